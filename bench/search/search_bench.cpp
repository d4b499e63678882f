// Quick search and the condition matcher over the 1,000,000-record table made
// by tools/benchgen (KVILBO_BENCH_DIR/scan.dbf), in two grids:
//   texts  the display texts held ready (stored text trimmed, dates as
//          dd.mm.yyyy, numbers with the decimal comma, logical words), so the
//          figure is the search's own cost;
//   model  the list model itself, which makes each cell's text when asked.
// Both read every record before the timed part, as the list does in the
// background after a database is opened.
#include "search/condition_list.h"
#include "search/list_model_cards.h"
#include "search/locate.h"
#include "search/quick_search.h"

#include "engine/dbf_table.h"
#include "listview/list_model.h"

#include <benchmark/benchmark.h>

#include <QStringList>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

using namespace kvilbo;

namespace {

// Display texts of every cell, one pooled string per column.
class TextsGrid : public search::CardGrid {
public:
    explicit TextsGrid(engine::TDbfTable &DBF)
    {
        const int fields = DBF.fieldCount();
        m_columns.resize(static_cast<std::size_t>(fields));
        m_records = DBF.RecCount();
        m_marks.assign(static_cast<std::size_t>(m_records), 0);
        for (int f = 1; f <= fields; ++f)
            m_types.push_back(DBF.GetField(f).what);
        for (int r = 1; r <= m_records; ++r) {
            DBF.Go(r);
            for (int f = 1; f <= fields; ++f) {
                Column &col = m_columns[static_cast<std::size_t>(f - 1)];
                col.starts.push_back(static_cast<std::int32_t>(col.pool.size()));
                col.pool += display(QString::fromStdString(DBF.GetF(f)), m_types[static_cast<std::size_t>(f - 1)]);
            }
        }
        for (Column &col : m_columns)
            col.starts.push_back(static_cast<std::int32_t>(col.pool.size()));
    }

    int rowCount() const override { return m_records; }
    int columnCount() const override { return static_cast<int>(m_columns.size()); }
    int RowRecNo(int row) const override { return row + 1; }
    bool IsRowMarked(int row) const override { return m_marks[static_cast<std::size_t>(row)] != 0; }
    void SetRowMark(int row, bool marked) override { m_marks[static_cast<std::size_t>(row)] = marked; }
    int columnField(int c) const override { return c + 1; }
    QString cellText(int row, int c) const override
    {
        const Column &col = m_columns[static_cast<std::size_t>(c)];
        const auto at = static_cast<std::size_t>(row);
        return col.pool.mid(col.starts[at], col.starts[at + 1] - col.starts[at]);
    }
    int currentRow() const override { return m_row; }
    int currentColumn() const override { return 0; }
    void setCurrentCell(int row, int) override { m_row = row; }

private:
    struct Column {
        QString pool;
        std::vector<std::int32_t> starts;
    };

    static QString display(const QString &stored, char type)
    {
        switch (type) {
        case 'D':
            return stored.mid(6, 2) + u'.' + stored.mid(4, 2) + u'.' + stored.left(4);
        case 'N':
        case 'F':
            return QString(stored.trimmed()).replace(u'.', u',');
        case 'L':
            return stored.startsWith(u'T') ? QStringLiteral("Ja ") : QStringLiteral("Nei");
        default:
            return stored.trimmed();
        }
    }

    std::vector<Column> m_columns;
    std::vector<char> m_types;
    std::vector<std::uint8_t> m_marks;
    int m_records = 0;
    int m_row = 0;
};

struct Loaded {
    engine::TDbfTable DBF;
    listview::ListModel model;
    std::unique_ptr<search::ListModelCards> cards;
    std::unique_ptr<TextsGrid> texts;
};

Loaded &loaded()
{
    static Loaded *l = [] {
        const char *dir = std::getenv("KVILBO_BENCH_DIR");
        if (!dir)
            throw std::runtime_error("KVILBO_BENCH_DIR is not set");
        auto *l = new Loaded;
        const std::string path = (std::filesystem::path(dir) / "scan.dbf").string();
        if (!l->DBF.OpenDatabase(path, false, false))
            throw std::runtime_error(path + ": " + l->DBF.lastMessage());
        listview::ListLayout layout;
        for (int f = 1; f <= l->DBF.fieldCount(); ++f)
            layout.state.columns.push_back({f, 0, l->DBF.FieldName(f)});
        l->model.build(l->DBF, layout);
        while (!l->model.loadStep(1000)) {
        }
        l->cards = std::make_unique<search::ListModelCards>(l->model);
        l->texts = std::make_unique<TextsGrid>(l->DBF);
        return l;
    }();
    return *l;
}

// A text no card shows: every cell of every row is examined.
search::CardGrid &gridOf(const benchmark::State &state)
{
    return state.range(0) == 0 ? static_cast<search::CardGrid &>(*loaded().texts) : *loaded().cards;
}

void BM_QuickSearchNotFound(benchmark::State &state)
{
    search::CardGrid &grid = gridOf(state);
    grid.setCurrentCell(0, 0);
    for (auto _ : state) {
        const search::QuickSearchResult r = search::quickSearch(grid, "finnes ikke", false);
        if (r.outcome != search::QuickSearchResult::Outcome::NotFound)
            state.SkipWithError("unexpected hit");
    }
    state.counters["rows"] = grid.rowCount();
}
BENCHMARK(BM_QuickSearchNotFound)->ArgName("model")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// Three conditions of three types, clearing earlier marks, partial match.
void BM_LocateThreeConditions(benchmark::State &state)
{
    Loaded &l = loaded();
    int k = 0;
    for (auto _ : state) {
        k = search::Locate(l.DBF, gridOf(state), search::joinConditionList({"STED", "BELOP", "AKTIV"}),
                           search::joinConditionList({"=", ">=", "="}),
                           search::joinConditionList({"bod\u00f8", "50000", "ja"}),
                           {true, false, true, false}, u',');
    }
    state.counters["marked"] = k;
}
BENCHMARK(BM_LocateThreeConditions)->ArgName("model")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
