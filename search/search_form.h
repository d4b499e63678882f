#pragma once

// The decisions of the advanced search window that need no widget: the
// items of its field lists, the condition lists and summary built from its
// five rows, and the input rules of a value box for a field type.

#include <QChar>
#include <QString>

#include <vector>

namespace kvilbo::core {
class Texts;
}
namespace kvilbo::engine {
struct TdbField;
}

namespace kvilbo::search {

/// What one condition row shows.
struct ConditionRow {
    bool used = true;  ///< row 1, or a field other than the "not used" item
    QString fieldItem; ///< "003 NAVN"
    QString op;        ///< "=", "<>", ...
    QString value;     ///< the value box's text
};

/// The three condition lists for Locate and the summary in words.
struct ConditionLists {
    QString feltnavn;
    QString operatorer;
    QString verdier;
    QString summary;
};

/// The field list item of a field: its number in three digits, a blank and its name.
QString fieldItemText(int feltNr, const QString &name);
/// The field number of a field list item, 0 for the "not used" item.
int fieldNumberOfItem(const QString &item);
/// The "not used" item: "<ikke brukt>".
QString notUsedItem(const core::Texts &texts);
/// The operators in the order the operator lists show them.
const std::vector<QString> &operatorItems();

/// The condition lists and summary of the rows that take part.
ConditionLists buildConditionLists(const std::vector<ConditionRow> &rows, const core::Texts &texts);

/// Input rules of a value box for one field.
struct ValueRules {
    QString mask;          ///< edit-mask notation, empty for none
    int maxLength = 32767; ///< without a mask
    bool lowerCase = false;
    QString initialText;   ///< 0 in the field's number form for numbers, else empty
};

/// The rules of a value box for field f; spraak picks the decimal separator.
ValueRules valueRules(const engine::TdbField &f, int spraak);

} // namespace kvilbo::search
