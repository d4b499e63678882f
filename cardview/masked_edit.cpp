#include "cardview/masked_edit.h"

namespace kvilbo::cardview {

MaskedEdit::MaskedEdit(QWidget *parent) : QLineEdit(parent) {}

void MaskedEdit::setEditMask(const QString &mask)
{
    m_mask = EditMask(mask);
    setInputMask(m_mask.qtInputMask());
}

void MaskedEdit::setFieldText(const QString &value)
{
    setText(m_mask.fit(value));
}

QString MaskedEdit::fieldText() const
{
    // A masked line edit's text() drops the blanks; the notation keeps them.
    return m_mask.isEmpty() ? text() : displayText();
}

} // namespace kvilbo::cardview
