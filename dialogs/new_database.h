#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kvilbo::core {
struct TKonfig;
}

// The wizard's field list and the create step, kept apart from its window so
// that every check and the bytes it leaves on disk can be tested directly.

namespace kvilbo::dialogs {

/// Type choices of the wizard, in the order of its type box.
enum class FieldKind { Karakter = 0, Numerisk, Logisk, Dato, Editor, Float };
inline constexpr int kFieldKindCount = 6;

/// Text number of a kind's type text.
int fieldKindText(FieldKind kind);
/// Type letter of a type text: its first letter, C/K, N, L, D, E/M, F; 0 when none fits.
char typeLetterOf(std::string_view typeText);

/// What the length and decimals boxes allow for a kind.
struct KindRule
{
    bool lengthOpen = true;
    int lengthMin = 1;
    int lengthMax = 255;
    int fixedLength = 0; ///< the length a locked box holds (0: keep the row's)
    bool decimalsOpen = false;
    int decimalsMax = 0;
};
/// The length and decimals rule of a kind.
KindRule kindRule(FieldKind kind);

/// One row of the field list.
struct FieldRow
{
    std::string name;   ///< as typed, upper case
    FieldKind kind = FieldKind::Karakter;
    int length = 100;
    int decimals = 0;

    /// The row with kind chosen and its length and decimals brought under the kind's rule.
    FieldRow withKind(FieldKind chosen) const;
};

/// The row a new list starts with and "Legg til" appends; defaultName is text 4070.
FieldRow defaultFieldRow(const std::string &defaultName);

/// True for a character the name box accepts: A-Z, a-z, 0-9 and '_'.
bool isFieldNameChar(char32_t c);
/// Longest name the name box holds.
inline constexpr int kFieldNameMax = 10;
/// Text as the name box keeps it: accepted characters only, upper case, at most 10.
std::string filterFieldName(std::string_view typed);

/// The rows in their new order after moving the rows at selected before row target
/// (target equal to rows.size() or beyond: to the end).
std::vector<FieldRow> moveRows(const std::vector<FieldRow> &rows, std::vector<int> selected,
                               int target);

/// Message of the field checks (4051, 4052, 4054, 4056, the last failing one), or 0.
int checkFields(const std::vector<FieldRow> &rows);
/// True when the table engine accepts the whole definition (field count and record length).
bool engineAcceptsFields(const std::vector<FieldRow> &rows);
/// Message when the definition is too large for a table.
inline constexpr int kDefinitionTooLarge = 4062;

/// Full name of a chosen file: ".DBF" appended when it has no extension.
std::string withTableExtension(std::string_view chosen);
/// Folder the file dialog starts in: the trimmed DefMappePATH when DefMappeJN is set, else programFolder.
std::filesystem::path wizardStartFolder(const core::TKonfig &konfig,
                                        const std::filesystem::path &programFolder);

/// Deletes the table file and its ".DBT", ".FPT", ".FOR" and ".PRT" companions that exist.
void deleteTableFiles(const std::string &tableFile);

/// Answer to the overwrite question: true to delete the existing files and go on.
using ConfirmOverwrite = std::function<bool(const std::string &fileName)>;

/// The create step: checks, the overwrite question, then the table. Returns the
/// message to show (0 when the table was made). Throws engine::DbfIoError on file failures.
int createNewDatabase(const std::vector<FieldRow> &rows, std::string_view fileNameBox,
                      const ConfirmOverwrite &confirm);

} // namespace kvilbo::dialogs
