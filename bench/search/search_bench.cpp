// Quick search and the condition matcher over the list model of the
// 1,000,000-record table made by tools/benchgen (KVILBO_BENCH_DIR/scan.dbf).
// The model reads every record before the timed part, as it does in the
// background after a database is opened.
#include "search/condition_list.h"
#include "search/list_model_cards.h"
#include "search/locate.h"
#include "search/quick_search.h"

#include "engine/dbf_table.h"
#include "listview/list_model.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

using namespace kvilbo;

namespace {

struct Loaded {
    engine::TDbfTable DBF;
    listview::ListModel model;
    std::unique_ptr<search::ListModelCards> cards;
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
        return l;
    }();
    return *l;
}

// A text no card shows: every cell of every row is examined.
void BM_QuickSearchNotFound(benchmark::State &state)
{
    search::CardGrid &grid = *loaded().cards;
    grid.setCurrentCell(0, 0);
    for (auto _ : state) {
        const search::QuickSearchResult r = search::quickSearch(grid, "finnes ikke", false);
        if (r.outcome != search::QuickSearchResult::Outcome::NotFound)
            state.SkipWithError("unexpected hit");
    }
    state.counters["rows"] = grid.rowCount();
}
BENCHMARK(BM_QuickSearchNotFound)->Unit(benchmark::kMillisecond)->Iterations(3);

// Three conditions of three types, clearing earlier marks, partial match.
void BM_LocateThreeConditions(benchmark::State &state)
{
    Loaded &l = loaded();
    int k = 0;
    for (auto _ : state) {
        k = search::Locate(l.DBF, *l.cards, search::joinConditionList({"STED", "BELOP", "AKTIV"}),
                           search::joinConditionList({"=", ">=", "="}),
                           search::joinConditionList({"bod\u00f8", "50000", "ja"}),
                           {true, false, true, false}, u',');
    }
    state.counters["marked"] = k;
}
BENCHMARK(BM_LocateThreeConditions)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
