#include "search/locate.h"

#include "search/condition.h"
#include "search/condition_list.h"

#include "engine/dbf_table.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace kvilbo::search {
namespace {

// A condition bound to the grid: where its cell text comes from.
struct BoundCondition {
    Condition condition;
    int field = 0;   // 0: the field does not exist, the condition never holds
    int column = -1; // list column of the field (not used for memo fields)
};

// The last column showing a field of this name, as the list's descriptors say.
int lastColumnNamed(engine::TDbfTable &DBF, const CardGrid &grid, const QString &name)
{
    int found = -1;
    for (int c = 0; c < grid.columnCount(); ++c) {
        const int f = grid.columnField(c);
        if (f >= 1 && f <= DBF.fieldCount() && QString::fromStdString(DBF.FieldName(f)) == name)
            found = c;
    }
    return found;
}

std::vector<BoundCondition> bindConditions(engine::TDbfTable &DBF, const CardGrid &grid,
                                           const QString &feltnavn, const QString &operatorer,
                                           const QString &verdier, const LocateOptions &options,
                                           QChar decSep)
{
    const QStringList names = splitConditionList(feltnavn);
    const QStringList ops = splitConditionList(operatorer);
    const QStringList values = splitConditionList(verdier);
    const MatchOptions match{options.partialMatch, options.matchCase};
    std::vector<BoundCondition> bound;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString name = names.at(i).trimmed().toUpper();
        const int field = DBF.FieldNumber(name.toStdString());
        const char typ = field > 0 ? DBF.GetField(field).what : 'C';
        const Operator op = parseOperator(ops.value(i).trimmed());
        bound.push_back({Condition(typ, op, values.value(i), match, decSep), field,
                         lastColumnNamed(DBF, grid, name)});
    }
    // All conditions must hold, so the costly memo reads come last and are
    // skipped for every card that an earlier condition already turned down.
    std::stable_partition(bound.begin(), bound.end(),
                          [](const BoundCondition &bc) { return bc.condition.type() != 'M'; });
    return bound;
}

bool holds(engine::TDbfTable &DBF, const CardGrid &grid, int row, const BoundCondition &bc)
{
    if (bc.field == 0)
        return false;
    try {
        if (bc.condition.type() == 'M') {
            DBF.Go(grid.RowRecNo(row));
            return bc.condition.test(
                QString::fromStdString(DBF.MemoRead(static_cast<std::uint16_t>(bc.field))));
        }
        return bc.column >= 0 && bc.condition.test(grid.cellText(row, bc.column));
    } catch (const std::exception &) {
        // A card that cannot be read for one condition fails that condition only.
        return false;
    }
}

} // namespace

int Locate(engine::TDbfTable &DBF, CardGrid &grid, const QString &feltnavn,
           const QString &operatorer, const QString &verdier, const LocateOptions &options,
           QChar decSep)
{
    if (!DBF.isOpen() || DBF.RecCount() < 1)
        return 0;
    const int savedRecNo = DBF.RecNo();
    const std::vector<BoundCondition> conditions =
        bindConditions(DBF, grid, feltnavn, operatorer, verdier, options, decSep);
    int k = 0;
    for (int row = 0; row < grid.rowCount(); ++row) {
        bool hit = true;
        for (const BoundCondition &bc : conditions) {
            if (!holds(DBF, grid, row, bc)) {
                hit = false;
                break;
            }
        }
        const bool was = grid.IsRowMarked(row);
        const bool now = hit || (was && !options.clearMarks);
        if (now != was)
            grid.SetRowMark(row, now);
        if (hit) {
            ++k;
            if (options.stopAtFirst)
                break;
        }
    }
    if (savedRecNo > 0 && DBF.RecNo() != savedRecNo)
        DBF.Go(savedRecNo);
    return k;
}

} // namespace kvilbo::search
