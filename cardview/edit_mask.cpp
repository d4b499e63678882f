#include "cardview/edit_mask.h"

#include <QStringList>

namespace kvilbo::cardview {

namespace {

using Slot = EditMask::Slot;

bool slotFor(QChar c, Slot &slot)
{
    switch (c.unicode()) {
    case '0': slot = {Slot::Digit, true, {}}; return true;
    case '9': slot = {Slot::Digit, false, {}}; return true;
    case '#': slot = {Slot::DigitOrSign, false, {}}; return true;
    case 'C': slot = {Slot::AnyChar, true, {}}; return true;
    case 'c': slot = {Slot::AnyChar, false, {}}; return true;
    case 'L': slot = {Slot::Letter, true, {}}; return true;
    case 'l': slot = {Slot::Letter, false, {}}; return true;
    case 'A': slot = {Slot::LetterOrDigit, true, {}}; return true;
    case 'a': slot = {Slot::LetterOrDigit, false, {}}; return true;
    default: return false;
    }
}

} // namespace

EditMask::EditMask(const QString &mask)
{
    if (mask.isEmpty())
        return;
    QString body = mask;
    // The trailing fields: ";<keep literals>;<blank>". The body may hold escaped ';'.
    const int last = body.lastIndexOf(QLatin1Char(';'));
    if (last > 0 && body[last - 1] != QLatin1Char('\\')) {
        const QString blankField = body.mid(last + 1);
        body.truncate(last);
        m_blank = blankField.isEmpty() ? QLatin1Char(' ') : blankField[0];
        const int second = body.lastIndexOf(QLatin1Char(';'));
        if (second > 0 && body[second - 1] != QLatin1Char('\\')) {
            m_keepLiterals = body.mid(second + 1) != QLatin1String("0");
            body.truncate(second);
        }
    }
    int i = 0;
    if (body.startsWith(QLatin1Char('!'))) {
        m_leadingBlanks = true;
        i = 1;
    }
    for (; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c == QLatin1Char('>') || c == QLatin1Char('<'))
            continue; // case conversion: the grid's cells never use it
        if (c == QLatin1Char('\\') && i + 1 < body.size()) {
            m_slots.push_back({Slot::Literal, false, body[++i]});
            continue;
        }
        Slot slot;
        if (!slotFor(c, slot))
            slot = {Slot::Literal, false, c == QLatin1Char('_') ? QLatin1Char(' ') : c};
        m_slots.push_back(slot);
    }
}

QString EditMask::fit(const QString &value) const
{
    if (isEmpty())
        return value;
    // Cut the value at the mask's literals, in order; each piece fills one group
    // of input positions.
    QString out;
    QString rest = value;
    std::size_t i = 0;
    while (i < m_slots.size()) {
        std::size_t end = i;
        while (end < m_slots.size() && m_slots[end].kind != Slot::Literal)
            ++end;
        const int width = static_cast<int>(end - i);
        QString piece;
        if (end < m_slots.size()) {
            const int at = rest.indexOf(m_slots[end].literal);
            piece = at < 0 ? rest : rest.left(at);
            rest = at < 0 ? QString() : rest.mid(at + 1);
        } else {
            piece = rest;
            rest.clear();
        }
        piece = piece.trimmed();
        if (piece.size() > width)
            piece = m_leadingBlanks ? piece.right(width) : piece.left(width);
        const QString fill(width - piece.size(), m_blank);
        out += m_leadingBlanks ? fill + piece : piece + fill;
        if (end < m_slots.size())
            out += m_slots[end].literal;
        i = end + 1;
    }
    return out;
}

bool EditMask::accepts(int pos, QChar ch) const
{
    if (pos < 0 || pos >= static_cast<int>(m_slots.size()))
        return false;
    const Slot &s = m_slots[static_cast<std::size_t>(pos)];
    if (!s.required && ch == m_blank && s.kind != Slot::Literal)
        return true;
    switch (s.kind) {
    case Slot::Literal: return ch == s.literal;
    case Slot::Digit: return ch.isDigit();
    case Slot::DigitOrSign: return ch.isDigit() || ch == QLatin1Char('-') || ch == QLatin1Char('+');
    case Slot::AnyChar: return true;
    case Slot::Letter: return ch.isLetter();
    case Slot::LetterOrDigit: return ch.isLetterOrNumber();
    }
    return false;
}

QString EditMask::qtInputMask() const
{
    if (isEmpty())
        return {};
    static const QString meta = QStringLiteral("AaNnXx90DdHhBb#><!\\[]{};");
    QString out;
    for (const Slot &s : m_slots) {
        switch (s.kind) {
        case Slot::Literal:
            if (meta.contains(s.literal))
                out += QLatin1Char('\\');
            out += s.literal;
            break;
        case Slot::Digit: out += QLatin1Char('0'); break;
        case Slot::DigitOrSign: out += QLatin1Char('#'); break;
        case Slot::AnyChar: out += QLatin1Char('x'); break;
        case Slot::Letter: out += QLatin1Char('a'); break;
        case Slot::LetterOrDigit: out += QLatin1Char('n'); break;
        }
    }
    return out + QLatin1Char(';') + m_blank;
}

} // namespace kvilbo::cardview
