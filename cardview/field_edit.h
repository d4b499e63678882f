#pragma once

// Write on leave: what a card field held when the focus arrived is kept in
// FieldStack; when the focus leaves, a changed text is normalised for the
// field's type and that one field of the record it was entered on is written.

#include <QChar>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::cardview {

/// The edit-tracking record of the card view.
struct DEFFieldStack {
    std::int32_t KortNr = 0;  ///< record number when the field was entered
    std::int32_t FeltNr = 0;  ///< field number of the entered control
    std::int32_t KortNr2 = 0; ///< record number when the field was left
    std::int32_t FeltNr2 = 0; ///< field number of the control that was left
    QString Verdi;            ///< the control's text when entered
    QString Verdi2;           ///< the control's text when left
    std::int32_t ListeKortNr = 0, ListeFeltNr = 0, ListeKortNr2 = 0, ListeFeltNr2 = 0; ///< unused by the card
    std::int32_t crcEnter = 0; ///< checksum of the text when entered
    std::int32_t crcExit = 0;  ///< checksum of the text when left
    std::int32_t ListecrcEnter = 0, ListecrcExit = 0; ///< unused by the card
};

/// The settings the edit path follows.
struct EditOptions {
    int spraak = 0;          ///< 0 Norwegian, 1 English
    int DefAarHundre = 2000; ///< century base of two-digit years
};

/// ',' in Norwegian, '.' in English.
QChar decimalSeparatorOf(int spraak);

/// The text a field control shows once left: N/F through FreshNum, D through FreshDate,
/// L as the language's yes or no word, others unchanged; throws ConversionError for a
/// number FreshNum cannot read.
QString normalisedText(char fieldType, const QString &text, int length, int decimals, const EditOptions &options);

/// The stored form of verdi for a field of type, length and decimals; empty for a blank field.
QString storedText(char fieldType, const QString &verdi, int length, int decimals, const EditOptions &options);

/// Converts verdi for field feltnr and writes it into the current record of DBF.
void repl(engine::TDbfTable &DBF, int feltnr, const QString &verdi, const EditOptions &options);

/// The numeric key rule: digits, the language's separator, and one leading "-".
bool acceptNumericKey(QChar ch, const QString &text, int selStart, int selLength, QChar decSep);

/// The text a logical field gets for a key (Backspace is '\b'); nothing when the key is ignored.
std::optional<QString> logicalKeyText(QChar key, const QString &text, int spraak);

/// The change test and write of one card field, without widgets.
class FieldEditLogic {
public:
    /// Hooks around a write: busy before it, written after it.
    struct Hooks {
        std::function<void()> busy;
        std::function<void(int recNo, int feltNr)> written;
    };

    /// DBF must outlive this object.
    FieldEditLogic(engine::TDbfTable &DBF, EditOptions options);

    /// The settings in force.
    void setOptions(const EditOptions &options) { m_options = options; }
    /// Where busy and written go.
    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }

    /// Entering a field: records record, field, text and checksum.
    void StackStart(int feltNr, const QString &text);
    /// Leaving a masked field: the normalised text when it was written, else nothing.
    /// Throws ConversionError (nothing written) for an unreadable number.
    std::optional<QString> StackEnd(int feltNr, const QString &text);
    /// Leaving a memo: true when the memo text was written.
    bool StackEndMemo(int feltNr, const QString &text);

    /// The edit-tracking record.
    const DEFFieldStack &FieldStack() const { return m_stack; }

private:
    bool changed(int feltNr, const QString &text);

    engine::TDbfTable &m_DBF;
    EditOptions m_options;
    Hooks m_hooks;
    DEFFieldStack m_stack;
};

} // namespace kvilbo::cardview
