// The quick search box: where it starts, wrapping, case and the mark on a hit.
#include "search/quick_search.h"

#include "core/messages.h"

#include "text_grid.h"

#include <gtest/gtest.h>

using namespace kvilbo::search;
using namespace kvilbo::search::testing;
using Outcome = QuickSearchResult::Outcome;

namespace {

// Records 1..5 with a name and a town; "Ola" stands in rows 0, 2 and 4.
TextGrid fiveCards()
{
    TextGrid grid;
    grid.setRows({1, 2}, {
                             {1, false, {"Ola", "Oslo"}},
                             {2, false, {"Kari", "Bergen"}},
                             {3, false, {"Ola", "Troms\u00f8"}},
                             {4, false, {"Per", "\u00c6R\u00d8Y"}},
                             {5, false, {"Ola", "Bod\u00f8"}},
                         });
    return grid;
}

TEST(QuickSearch, StartsAfterTheCurrentRowAndWrapsFromTheLast)
{
    TextGrid grid = fiveCards();
    grid.setCurrentCell(4, 0);
    const QuickSearchResult hit = quickSearch(grid, "ola", false);
    EXPECT_EQ(hit.outcome, Outcome::Found);
    EXPECT_EQ(hit.row, 0);
    EXPECT_EQ(grid.currentRow(), 0);
    EXPECT_EQ(grid.currentColumn(), 0);
}

TEST(QuickSearch, FromTheSecondLastRowTheLastIsExaminedFirst)
{
    TextGrid grid = fiveCards();
    grid.setCurrentCell(3, 1);
    EXPECT_EQ(quickSearch(grid, "ola", false).recNo, 5);
}

TEST(QuickSearch, EveryRowIsExaminedOnceIncludingTheCurrent)
{
    TextGrid grid = fiveCards();
    grid.setCurrentCell(1, 0);
    EXPECT_EQ(quickSearch(grid, "kari", false).row, 1);
    EXPECT_EQ(quickSearch(grid, "nobody", false).outcome, Outcome::NotFound);
    EXPECT_EQ(grid.currentRow(), 1);
}

TEST(QuickSearch, LowerCaseNorwegianLettersFindUpperCase)
{
    TextGrid grid = fiveCards();
    EXPECT_EQ(quickSearch(grid, "\u00e6r\u00f8y", false).recNo, 4);
    EXPECT_EQ(quickSearch(grid, "TROMS\u00d8", false).recNo, 3);
}

TEST(QuickSearch, TextIsTrimmedAndBlankTextIsRefused)
{
    TextGrid grid = fiveCards();
    EXPECT_EQ(quickSearch(grid, "  bergen ", false).recNo, 2);
    EXPECT_EQ(quickSearch(grid, "   ", false).outcome, Outcome::EmptyText);
    EXPECT_EQ(grid.currentRow(), 1);
    TextGrid empty;
    EXPECT_EQ(quickSearch(empty, "x", false).outcome, Outcome::EmptyText);
}

TEST(QuickSearch, RepeatedSearchMarksEveryHitAndWrapsToTheSameRecords)
{
    TextGrid grid = fiveCards();
    grid.setCurrentCell(1, 0);
    std::vector<int> found;
    for (int i = 0; i < 4; ++i)
        found.push_back(quickSearch(grid, "ola", true).recNo);
    EXPECT_EQ(found, (std::vector<int>{3, 5, 1, 3}));
    EXPECT_EQ(grid.CountMarkedRows(), 3);
    EXPECT_FALSE(grid.IsRowMarked(1));
}

TEST(QuickSearch, NoticesInBothLanguages)
{
    const kvilbo::core::Texts no(0), en(1);
    const QuickSearchResult found{Outcome::Found, 2, 3};
    EXPECT_EQ(quickSearchNotice(found, no), "S\u00f8ketekst funnet p\u00e5 kort 3 ..");
    EXPECT_EQ(quickSearchNotice(found, en), "Search Text found in records 3 ..");
    EXPECT_EQ(quickSearchNotice({Outcome::NotFound}, no), "IKKE FUNNET");
    EXPECT_EQ(quickSearchNotice({Outcome::EmptyText}, en), "EMPTY SEARCH-STRING");
}

} // namespace
