// The marking menu's commands: marks that travel with sorted rows, count,
// sum in both languages, and physical deletion with its refusals.
#include "search/marking.h"

#include "cardview/converters.h"
#include "core/messages.h"

#include "card_table.h"
#include "recording_host.h"
#include "text_grid.h"

#include <gtest/gtest.h>

using namespace kvilbo::search;
using namespace kvilbo::search::testing;

namespace {

std::vector<Card> fourCards()
{
    return {
        {"Dora", "", "10.50", "3", "T", ""},
        {"Anne", "", "0.25", "1", "F", ""},
        {"Cecilie", "", "-2.00", "4", "T", ""},
        {"Berit", "", "100.00", "2", "F", ""},
    };
}

class MarkingTest : public ::testing::Test {
protected:
    explicit MarkingTest(bool exclusive = true) : table(fourCards(), exclusive) {}

    std::vector<int> markedRecords() const
    {
        std::vector<int> recs;
        for (int row : markedRows(grid))
            recs.push_back(grid.RowRecNo(row));
        std::sort(recs.begin(), recs.end());
        return recs;
    }
    std::vector<std::string> names()
    {
        std::vector<std::string> all;
        for (int r = 1; r <= table.DBF.RecCount(); ++r) {
            table.DBF.Go(r);
            all.push_back(table.DBF.GetF(1).substr(0, table.DBF.GetF(1).find_last_not_of(' ') + 1));
        }
        return all;
    }

    CardTable table;
    TextGrid grid{table.DBF, 0};
    kvilbo::core::Texts texts{0};
    RecordingHost host{grid, table.DBF};
    MarkingCommands commands{table.DBF, grid, texts, host};
};

TEST_F(MarkingTest, MarksStayWithTheirCardsWhenTheListIsSorted)
{
    for (int row : {0, 2, 3}) {
        grid.setCurrentCell(row, 0);
        commands.markCurrent();
    }
    grid.sortByColumn(0, false);
    commands.countMarked();
    EXPECT_EQ(host.log.back(), std::make_pair(std::string("FUNNET 3 KORT SOM ER MARKERT"), true));
    EXPECT_EQ(host.notices.back(), "FUNNET 3 KORT SOM ER MARKERT");
    EXPECT_EQ(markedRecords(), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(host.statusRefreshes, 3);
}

TEST_F(MarkingTest, MarkButtonTogglesAndFollowsTheLabel)
{
    grid.setCurrentCell(1, 0);
    commands.MarkerDette();
    EXPECT_TRUE(grid.IsRowMarked(1));
    EXPECT_TRUE(host.label66);
    commands.MarkerDette();
    EXPECT_FALSE(grid.IsRowMarked(1));
    EXPECT_FALSE(host.label66);
    EXPECT_EQ(host.statusRefreshes, 0);
}

TEST_F(MarkingTest, MarkAllCountsEveryCardAndUnmarkAllNone)
{
    commands.markAll();
    commands.countMarked();
    EXPECT_EQ(host.log.back().first, "FUNNET 4 KORT SOM ER MARKERT");
    grid.setCurrentCell(2, 0);
    commands.unmarkCurrent();
    EXPECT_EQ(grid.CountMarkedRows(), 3);
    commands.unmarkAll();
    commands.countMarked();
    EXPECT_EQ(host.log.back().first, "FUNNET 0 KORT SOM ER MARKERT");
}

struct SumCase {
    const char *name;
    int spraak;
    std::vector<int> rows;
    const char *expected;
};

void PrintTo(const SumCase &c, std::ostream *os) { *os << c.name; }

class SumTest : public ::testing::TestWithParam<SumCase> {};

TEST_P(SumTest, SumOfTheMarkedCardsInTheLanguagesForm)
{
    const SumCase &c = GetParam();
    CardTable table(fourCards());
    TextGrid grid(table.DBF, c.spraak);
    const kvilbo::core::Texts texts(static_cast<std::uint16_t>(c.spraak));
    RecordingHost host(grid, table.DBF);
    host.chosenField = 3;
    for (int row : c.rows)
        grid.SetRowMark(row, true);
    MarkingCommands(table.DBF, grid, texts, host).sumField();
    ASSERT_EQ(host.log.size(), 1u);
    EXPECT_EQ(host.log[0], std::make_pair(std::string(c.expected), true));
}

const SumCase kSums[] = {
    {"norwegian_decimal_comma", 0, {0, 1, 2}, "Summen er : 8,75"},
    {"english_decimal_point", 1, {0, 1, 2}, "The sum is : 8.75"},
    {"whole_number_without_decimals", 0, {0, 3}, "Summen er : 110,5"},
    {"no_marked_cards_sum_zero", 0, {}, "Summen er : 0"},
};

INSTANTIATE_TEST_SUITE_P(Languages, SumTest, ::testing::ValuesIn(kSums),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(MarkingTest, SumRefusesOtherFieldTypesAndStopsWhenCancelled)
{
    commands.markAll();
    host.chosenField = 1;
    commands.sumField();
    EXPECT_EQ(host.log.back(), std::make_pair(std::string("Kun numeriske felt kan kalkuleres.."), true));
    host.chosenField = 0;
    commands.sumField();
    EXPECT_EQ(host.log.size(), 1u);
}

TEST_F(MarkingTest, SumOfACellThatIsNotANumberIsAnError)
{
    commands.markAll();
    grid.row(2).cells[2] = "";
    host.chosenField = 3;
    EXPECT_THROW(commands.sumField(), kvilbo::cardview::ConversionError);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(MarkingTest, DeleteRemovesTheMarkedCardsAndKeepsCardsFlaggedElsewhere)
{
    table.DBF.Go(4);
    table.DBF.Delete(true); // flagged by another program
    grid.SetRowMark(0, true);
    grid.SetRowMark(2, true);
    commands.deleteMarked();
    EXPECT_EQ(table.DBF.RecNo(), 1);
    EXPECT_EQ(names(), (std::vector<std::string>{"Anne", "Berit"}));
    table.DBF.Go(2);
    EXPECT_FALSE(table.DBF.IsCurrentRecDeleted());
    EXPECT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.log.at(0).first, "Begynner slette markerte kort..");
    EXPECT_EQ(host.log.at(1).first, "Sletting av markerte kort ferdig");
    EXPECT_EQ(host.rebuilds, 1);
    EXPECT_TRUE(host.listShown);
    EXPECT_EQ(grid.CountMarkedRows(), 0);
}

TEST_F(MarkingTest, DeleteOfEveryCardLeavesOneBlankCard)
{
    commands.markAll();
    commands.deleteMarked();
    ASSERT_EQ(table.DBF.RecCount(), 1);
    EXPECT_EQ(names(), (std::vector<std::string>{""}));
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.CountMarkedRows(), 0);
    EXPECT_TRUE(host.listShown);
}

TEST_F(MarkingTest, DeleteCancelledLeavesTableFlagsAndMarks)
{
    table.DBF.Go(3);
    table.DBF.Delete(true);
    grid.SetRowMark(1, true);
    host.answerYes = false;
    commands.deleteMarked();
    EXPECT_EQ(host.boxes.at(0).rfind("ADVARSEL!", 0), 0u);
    EXPECT_EQ(table.DBF.RecCount(), 4);
    for (int r = 1; r <= 4; ++r) {
        table.DBF.Go(r);
        EXPECT_EQ(table.DBF.IsCurrentRecDeleted(), r == 3) << r;
    }
    EXPECT_EQ(markedRecords(), (std::vector<int>{2}));
    EXPECT_EQ(host.rebuilds, 0);
}

TEST_F(MarkingTest, DeleteWithoutMarksDoesNothingAndShowsNothing)
{
    commands.deleteMarked();
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(table.DBF.RecCount(), 4);
}

class SharedMarkingTest : public MarkingTest {
protected:
    SharedMarkingTest() : MarkingTest(false) {}
};

TEST_F(SharedMarkingTest, DeleteOfASharedTableIsRefused)
{
    commands.markAll();
    commands.deleteMarked();
    EXPECT_EQ(host.boxes,
              (std::vector<std::string>{"Du m\u00e5 \u00e5pne n\u00e5v\u00e6rende database eksklusivt f\u00f8r sletting kan kj\u00f8res"}));
    EXPECT_EQ(table.DBF.RecCount(), 4);
    EXPECT_EQ(grid.CountMarkedRows(), 4);
}

} // namespace
