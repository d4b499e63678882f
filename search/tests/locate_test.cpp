// The matcher over a card table and its list: options, memo conditions,
// conditions that cannot hold, and what it leaves as it found it.
#include "search/condition_list.h"
#include "search/locate.h"

#include "card_table.h"
#include "text_grid.h"

#include <gtest/gtest.h>

using namespace kvilbo::search;
using namespace kvilbo::search::testing;

namespace {

std::vector<Card> someCards()
{
    return {
        {"Ola", "19800101", "100.00", "1", "T", "ringes i mars"},
        {"Kari Ola", "19900215", "99.99", "2", "F", ""},
        {"OLA", "20000101", "250.50", "3", "T", "Husk: ola skal ha tilbud"},
        {"Per", "", "0.00", "4", "", "", "Storgata 1"},
        {"ola", "19751231", "100.00", "5", "F", ""},
    };
}

class LocateTest : public ::testing::Test {
protected:
    CardTable table{someCards()};
    TextGrid grid{table.DBF, 0};

    int locate(const QStringList &names, const QStringList &ops, const QStringList &values,
               LocateOptions options = {})
    {
        return Locate(table.DBF, grid, joinConditionList(names), joinConditionList(ops),
                      joinConditionList(values), options, u',');
    }
    std::vector<int> markedRecords() const
    {
        std::vector<int> recs;
        for (int row : markedRows(grid))
            recs.push_back(grid.RowRecNo(row));
        return recs;
    }
};

TEST_F(LocateTest, PartialAnyCaseMarksEveryNameContainingTheValue)
{
    EXPECT_EQ(locate({"NAVN"}, {"="}, {"ola"}, {true, false, true, false}), 4);
    EXPECT_EQ(markedRecords(), (std::vector<int>{1, 2, 3, 5}));
}

TEST_F(LocateTest, WholeValueAnyCaseMarksOnlyExactNames)
{
    EXPECT_EQ(locate({"NAVN"}, {"="}, {"ola"}, {true, false, false, false}), 3);
    EXPECT_EQ(markedRecords(), (std::vector<int>{1, 3, 5}));
}

TEST_F(LocateTest, ConditionsAreJoinedByAnd)
{
    EXPECT_EQ(locate({"NAVN", "BELOP", "AKTIV"}, {"=", ">=", "="}, {"ola", "100", "ja"},
                     {true, false, true, false}),
              2);
    EXPECT_EQ(markedRecords(), (std::vector<int>{1, 3}));
}

TEST_F(LocateTest, NumberAtLeastMarksExactlyTheCardsFromThatValue)
{
    EXPECT_EQ(locate({"BELOP"}, {">="}, {"100"}, {true}), 3);
    EXPECT_EQ(markedRecords(), (std::vector<int>{1, 3, 5}));
}

TEST_F(LocateTest, MemoConditionReadsTheWholeMemo)
{
    EXPECT_EQ(locate({"NOTAT"}, {"="}, {"tilbud"}, {true, false, true, false}), 1);
    EXPECT_EQ(markedRecords(), (std::vector<int>{3}));
}

TEST_F(LocateTest, FieldWithTenLetterNameCanBeSearched)
{
    EXPECT_EQ(locate({"ADRESSELIN"}, {"="}, {"storgata"}, {true, false, true, false}), 1);
    EXPECT_EQ(markedRecords(), (std::vector<int>{4}));
}

TEST_F(LocateTest, ConditionsThatCannotHoldMarkNothingAndTheSearchCompletes)
{
    grid.row(1).marked = true;
    EXPECT_EQ(locate({"BELOP"}, {"="}, {"hundre"}, {true}), 0);
    EXPECT_EQ(locate({"NAVN"}, {"<"}, {"x"}, {true}), 0);
    EXPECT_EQ(locate({"FINNESIKKE"}, {"="}, {"ola"}, {true}), 0);
    EXPECT_TRUE(markedRecords().empty());
}

TEST_F(LocateTest, WithoutClearingMarksTwoSearchesAddUp)
{
    const LocateOptions keep{false, false, false, false};
    EXPECT_EQ(locate({"ANTALL"}, {"="}, {"1"}, keep), 1);
    EXPECT_EQ(locate({"ANTALL"}, {"="}, {"4"}, keep), 1);
    EXPECT_EQ(markedRecords(), (std::vector<int>{1, 4}));
}

TEST_F(LocateTest, ClearAndStopAtFirstLeaveLaterRowsAsTheyWere)
{
    grid.row(0).marked = true; // Ola, 100: no hit for "> 200", cleared
    grid.row(4).marked = true; // after the first hit: kept
    EXPECT_EQ(locate({"BELOP"}, {">"}, {"50"}, {true, true, false, false}), 1);
    EXPECT_EQ(markedRecords(), (std::vector<int>{1, 5}));
    EXPECT_EQ(locate({"BELOP"}, {">"}, {"200"}, {true, true, false, false}), 1);
    EXPECT_EQ(markedRecords(), (std::vector<int>{3, 5}));
}

TEST_F(LocateTest, WorksInListOrderAfterASort)
{
    grid.sortByColumn(0, false); // "Kari Ola" first
    EXPECT_EQ(locate({"NAVN"}, {"="}, {"ola"}, {true, true, true, false}), 1);
    EXPECT_EQ(markedRecords(), (std::vector<int>{2}));
}

TEST_F(LocateTest, LeavesTheCurrentRecordAndCellAsTheyWere)
{
    table.DBF.Go(2);
    grid.setCurrentCell(1, 3);
    grid.setCurrentCalls = 0;
    locate({"NOTAT", "NAVN"}, {"<>", "="}, {"x", "ola"}, {true});
    EXPECT_EQ(table.DBF.RecNo(), 2);
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(grid.currentColumn(), 3);
    EXPECT_EQ(grid.setCurrentCalls, 0);
}

TEST_F(LocateTest, ValueWithQuotesReachesTheMatcher)
{
    table.DBF.Go(2);
    table.DBF.Store("NAVN", "Kari \"Ola\"; x");
    table.DBF.Write(false);
    grid.build(table.DBF, 0);
    EXPECT_EQ(locate({"NAVN"}, {"="}, {"kari \"ola\"; x"}, {true}), 1);
    EXPECT_EQ(markedRecords(), (std::vector<int>{2}));
}

TEST(LocateSmallTable, SingleMatchingCardIsMarked)
{
    CardTable table({{"Ola", "", "1.00", "1", "T", ""}});
    TextGrid grid(table.DBF, 0);
    EXPECT_EQ(Locate(table.DBF, grid, "NAVN", "=", "\"ola\"", {true}, u','), 1);
    EXPECT_TRUE(grid.IsRowMarked(0));
}

TEST(LocateSmallTable, EmptyTableFindsNothing)
{
    CardTable table({});
    TextGrid grid(table.DBF, 0);
    EXPECT_EQ(Locate(table.DBF, grid, "NAVN", "=", "\"\"", {true}, u','), 0);
}

} // namespace
