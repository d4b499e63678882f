// Searching the list model itself: columns in the layout's order, marks kept
// by the model, and a sorted model searched in list order.
#include "search/condition_list.h"
#include "search/list_model_cards.h"
#include "search/locate.h"
#include "search/quick_search.h"

#include "listview/list_model.h"

#include "card_table.h"

#include <gtest/gtest.h>

using namespace kvilbo;
using namespace kvilbo::search;
using namespace kvilbo::search::testing;

namespace {

class ListModelCardsTest : public ::testing::Test {
protected:
    ListModelCardsTest()
    {
        listview::ListLayout layout; // BELOP first, then NAVN, then AKTIV
        for (int f : {3, 1, 5})
            layout.state.columns.push_back({f, 0, table.DBF.FieldName(f)});
        model.build(table.DBF, layout);
        while (!model.loadStep(100)) {
        }
    }

    CardTable table{{{"Ola", "", "100.00", "1", "T", ""},
                     {"Kari", "", "5.00", "2", "F", ""},
                     {"Per Ola", "", "300.00", "3", "F", ""}}};
    listview::ListModel model;
    ListModelCards cards{model};
};

TEST_F(ListModelCardsTest, ConditionsFindTheirFieldsColumnsAndMarkInTheModel)
{
    EXPECT_EQ(cards.columnField(0), 3);
    EXPECT_EQ(Locate(table.DBF, cards, joinConditionList({"NAVN", "BELOP"}), joinConditionList({"=", ">"}),
                     joinConditionList({"ola", "50"}), {true, false, true, false}, u','),
              2);
    EXPECT_TRUE(model.IsRowMarked(0));
    EXPECT_FALSE(model.IsRowMarked(1));
    EXPECT_TRUE(model.IsRowMarked(2));
    EXPECT_EQ(cards.CountMarkedRows(), 2);
    cards.setAllMarks(false);
    EXPECT_EQ(model.CountMarkedRows(), 0);
}

TEST_F(ListModelCardsTest, QuickSearchFollowsTheSortedOrder)
{
    model.sortRows(0, listview::SortState::Descending); // 300, 100, 5
    cards.setCurrentCell(0, 0);
    const QuickSearchResult hit = quickSearch(cards, "ola", true);
    EXPECT_EQ(hit.recNo, 1);
    EXPECT_EQ(hit.row, 1);
    EXPECT_TRUE(model.IsRowMarked(1));
    EXPECT_EQ(model.RowRecNo(1), 1);
}

} // namespace
