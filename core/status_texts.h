#pragma once

#include <optional>
#include <string>

// What the status bar and the database header labels show. Plain values so
// every case can be checked without building the window.

namespace kvilbo::core {

class Texts;

/// The sort state of the list as the list reports it.
struct ListSort
{
    int fieldNumber = 0;
    std::string fieldName; ///< upper case, as the table names it
    int sortType = 1;      ///< 1 ascending, 2 descending
};

/// Everything the status bar is computed from.
struct StatusInputs
{
    bool tableOpen = false;
    int recordCount = 0;
    std::string fileName; ///< the table's file name without folder
    bool listView = true; ///< ListeVisningAktiv
    std::optional<ListSort> sort;
    bool exclusive = false;
    int Verdi = 0;        ///< shown as the current card number when above 0
    bool currentMarked = false;
};

/// One label: its new text (nullopt keeps the text it has) and whether it is enabled.
struct LabelState
{
    std::optional<std::string> text;
    bool enabled = false;
};

/// The labels the status refresh touches.
struct StatusBarState
{
    bool noDatabase = true; ///< the state shown without an open table with records
    LabelState headertekst, visningtekst, sorttekst, label2, Label66, sLabel3, nkort, akort;
    bool clearNotice = false; ///< mlabel is emptied
};

/// The status bar for these inputs, texts in the current language.
StatusBarState statusFor(const StatusInputs &in, const Texts &texts);

/// The notice for a field of this type letter, length and decimals (listView: the list is current).
std::string fieldHint(char type, int length, int decimals, bool listView, const Texts &texts);

/// n with leading zeros up to width digits; negative numbers count as 0.
std::string zeroPad(long long n, int width);

} // namespace kvilbo::core
