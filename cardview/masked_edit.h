#pragma once

// A line edit that follows the masked-edit notation of EditMask: the field text
// is what the user sees, literals and blanks included, so "  .  .    " is the
// empty date and "   12,50" a number in "!#####,##;1; ".

#include "cardview/edit_mask.h"

#include <QLineEdit>

namespace kvilbo::cardview {

class MaskedEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskedEdit(QWidget *parent = nullptr);

    /// Sets the mask in the notation ("!99.99.9999;1; "); an empty mask means free text.
    void setEditMask(const QString &mask);
    /// The mask in force.
    const EditMask &editMask() const { return m_mask; }
    /// Shows value fitted into the mask (blanks where it has no characters).
    void setFieldText(const QString &value);
    /// The text as the user sees it, literals and blanks included.
    QString fieldText() const;

private:
    EditMask m_mask;
};

} // namespace kvilbo::cardview
