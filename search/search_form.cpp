#include "search/search_form.h"

#include "search/condition_list.h"

#include "cardview/converters.h"
#include "core/messages.h"
#include "engine/dbf_format.h"

#include <QStringList>

namespace kvilbo::search {

QString fieldItemText(int feltNr, const QString &name)
{
    return QStringLiteral("%1 %2").arg(feltNr, 3, 10, QLatin1Char('0')).arg(name);
}

int fieldNumberOfItem(const QString &item)
{
    bool ok = false;
    const int n = item.left(3).toInt(&ok);
    return ok ? n : 0;
}

QString notUsedItem(const core::Texts &texts)
{
    return QLatin1Char('<') + QString::fromStdString(texts.ss(9210)) + QLatin1Char('>');
}

const std::vector<QString> &operatorItems()
{
    static const std::vector<QString> items{"=", "<>", "<=", ">=", "<", ">"};
    return items;
}

ConditionLists buildConditionLists(const std::vector<ConditionRow> &rows, const core::Texts &texts)
{
    QStringList names, ops, values, words;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ConditionRow &row = rows[i];
        if (i > 0 && !row.used)
            continue;
        names << row.fieldItem.mid(4).trimmed();
        ops << row.op.trimmed();
        values << row.value.trimmed();
        words << names.back() + u' ' + ops.back() + u' ' + u'"' + values.back() + u'"';
    }
    const QString og = u' ' + QString::fromStdString(texts.ss(9062)) + u' ';
    return {joinConditionList(names), joinConditionList(ops), joinConditionList(values),
            QString::fromStdString(texts.ss(9060)) + words.join(og)};
}

ValueRules valueRules(const engine::TdbField &f, int spraak)
{
    ValueRules rules;
    switch (f.what) {
    case 'C':
        rules.maxLength = f.len;
        rules.lowerCase = true;
        break;
    case 'M':
        rules.maxLength = 100;
        rules.lowerCase = true;
        break;
    case 'D':
        rules.mask = QStringLiteral("!99.99.9999;1; ");
        break;
    case 'L':
        rules.mask = QStringLiteral("!ccc;1; ");
        break;
    case 'F':
    case 'N': {
        QString picture(f.len, u'#');
        if (f.places > 0 && f.len > f.places)
            picture[f.len - f.places - 1] = spraak == cardview::kEngelsk ? u'.' : u',';
        rules.mask = u'!' + picture + QStringLiteral(";1; ");
        rules.initialText = cardview::FreshNum(QStringLiteral("0"), f.len, f.places, spraak);
        break;
    }
    default:
        break;
    }
    return rules;
}

} // namespace kvilbo::search
