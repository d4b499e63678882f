// The list view's state written back into the layout table at close, and
// read again after the database is reopened.

#include "layout_test_support.h"

#include "layout/list_view_writeback.h"

namespace kvilbo::layout::test {
namespace {

class ListViewWriteBackTest : public LayoutFixture {
protected:
    void SetUp() override
    {
        makeCardTable({{"NAVN", 'C', 20}, {"POSTNR", 'C', 4}, {"STED", 'C', 20}});
        m_layout = newLayout();
        m_layout->Formularaapne(DBF);
    }

    // Columns moved, one widened, one hidden, headings renamed.
    static ListViewState changedState()
    {
        ListViewState s;
        s.rowHeight = 30;
        s.horizontalLines = false;
        s.verticalLines = true;
        s.fontName = "Segoe UI";
        s.fontSize = 10;
        s.bold = false;
        s.underline = true;
        s.italic = true;
        s.fontColour = 0x123456;
        s.gridColour = 0xABCDEF;
        s.columns = {{3, 150, "Sted \xC3\xA6\xC3\xB8\xC3\xA5"}, {1, 0, "Navn"}, {2, -1, "Postnr"}};
        return s;
    }

    std::unique_ptr<LayoutTable> m_layout;
};

TEST_F(ListViewWriteBackTest, ReopenedLayoutHoldsTheGridAsItWasClosed)
{
    const auto before = readAll(m_layout->FORFIL());
    ASSERT_TRUE(m_layout->saveListView(DBF, changedState()));
    m_layout->close();

    auto reopened = newLayout();
    reopened->Formularaapne(DBF);
    const auto after = readAll(reopened->FORFIL());
    ASSERT_EQ(after.size(), before.size());

    auto header = before[0].values;
    header[ObjHoyde] = "30";
    header[ObjJust] = "0";
    header[ObjFontN] = "Segoe UI";
    header[ObjFontS] = "10";
    header[ObjFontF] = "F";
    header[ObjFontU] = "T";
    header[ObjFontK] = "T";
    header[ObjRamme] = "1";
    header[ObjFtxt] = "1193046";
    header[ObjFbg] = "11259375";
    EXPECT_EQ(after[0].values, header);

    const std::vector<std::vector<std::string>> columns = {
        {"150", "003", "Sted \xC3\xA6\xC3\xB8\xC3\xA5"}, {"0", "001", "Navn"}, {"-1", "002", "Postnr"}};
    for (std::size_t c = 0; c < columns.size(); ++c) {
        SCOPED_TRACE("column " + std::to_string(c + 1));
        auto want = before[c + 1].values;
        want[ObjBredde] = columns[c][0];
        want[ObjRefNr] = columns[c][1];
        want[ObjRefTxt] = columns[c][2];
        EXPECT_EQ(after[c + 1].values, want);
    }
    for (std::size_t r = columns.size() + 1; r < after.size(); ++r)
        EXPECT_EQ(after[r].values, before[r].values) << "record " << r + 1;
}

TEST_F(ListViewWriteBackTest, NothingIsWrittenWithoutALiveListHeader)
{
    engine::TDbfTable &FORFIL = m_layout->FORFIL();
    FORFIL.Go(1);
    FORFIL.Delete(true);
    const auto before = readAll(FORFIL);

    EXPECT_FALSE(m_layout->saveListView(DBF, changedState()));
    const auto after = readAll(FORFIL);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t r = 0; r < after.size(); ++r) {
        EXPECT_EQ(after[r].deleted, before[r].deleted) << "record " << r + 1;
        EXPECT_EQ(after[r].values, before[r].values) << "record " << r + 1;
    }
}

TEST_F(ListViewWriteBackTest, MoreColumnsThanTheLayoutHasLeaveTheListPrintLayoutAlone)
{
    // A card table that gained fields after its layout was made.
    ListViewState state = changedState();
    state.columns.push_back({4, 77, "Ny"});
    state.columns.push_back({5, 88, "Nyere"});
    const auto before = readAll(m_layout->FORFIL());

    EXPECT_TRUE(writeBackListView(m_layout->FORFIL(), 5, state));
    const auto after = readAll(m_layout->FORFIL());
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after[3].values.at(ObjRefTxt), "Postnr");
    for (std::size_t r = 4; r < after.size(); ++r)
        EXPECT_EQ(after[r].values, before[r].values) << "record " << r + 1;
}

} // namespace
} // namespace kvilbo::layout::test
