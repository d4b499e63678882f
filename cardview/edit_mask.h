#pragma once

// The masked-edit notation used by card fields, list cells and the search
// window, e.g. "!#####,##;1; ", "!99.99.9999;1; ", "ccc;1; ":
//   9 optional digit, 0 required digit, # optional digit or sign,
//   c optional / C required character, l/L letter, a/A letter or digit,
//   any other character a literal (\ makes the next one literal);
//   a leading "!" puts unfilled optional positions on the left (as blanks);
//   ";1" keeps the literals in the text; the last field is the blank character.

#include <QChar>
#include <QString>

#include <vector>

namespace kvilbo::cardview {

/// One parsed edit mask.
class EditMask {
public:
    /// One position of the mask.
    struct Slot {
        enum Kind { Literal, Digit, DigitOrSign, AnyChar, Letter, LetterOrDigit } kind = Literal;
        bool required = false;
        QChar literal;
    };

    /// Parses a mask; an empty mask means "no mask".
    explicit EditMask(const QString &mask = {});

    /// True when there is no mask.
    bool isEmpty() const { return m_slots.empty(); }
    /// The positions in order.
    const std::vector<Slot> &positions() const { return m_slots; }
    /// True when the mask starts with "!".
    bool leadingBlanks() const { return m_leadingBlanks; }
    /// True when literals are part of the text (";1").
    bool keepsLiterals() const { return m_keepLiterals; }
    /// The character shown in an empty position.
    QChar blank() const { return m_blank; }

    /// The value as the user sees it in the editor: literals in place, empty positions blank,
    /// with "!" the value's characters of each group pushed to the right of it.
    QString fit(const QString &value) const;
    /// True when ch may stand at position pos.
    bool accepts(int pos, QChar ch) const;
    /// The same mask in QLineEdit::inputMask notation (every position optional).
    QString qtInputMask() const;

private:
    std::vector<Slot> m_slots;
    bool m_leadingBlanks = false;
    bool m_keepLiterals = true;
    QChar m_blank = QLatin1Char(' ');
};

} // namespace kvilbo::cardview
