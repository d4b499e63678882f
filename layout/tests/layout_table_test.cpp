// Opening an existing layout table: the label repair, the default print text,
// the maintenance pack, the sharing mode, and files that are not layout tables.

#include "layout_test_support.h"

#include "failing_file_system.h"

#include "layout/layout_error.h"

#include <algorithm>

namespace kvilbo::layout::test {
namespace {

const std::string kLabelsMissing = "Ikke funnet innstillinger LABELS, nye laget";
const std::string kMaintenanceDone = "Planlagt vedlikehold av FOR fil utf\xC3\xB8rt";

bool logged(const std::vector<std::string> &messages, const std::string &text)
{
    return std::find(messages.begin(), messages.end(), text) != messages.end();
}

struct LabelCase {
    std::string name;
    bool deleteLabelRecords;
    bool repaired;
};

class LabelRepairTest : public LayoutFixture, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(LabelRepairTest, AppendsTheDefaultLabelsOnlyWhenNoLiveLabelRecordIsLeft)
{
    makeCardTable({{"NAVN", 'C', 20}, {"POSTNR", 'C', 4}});
    auto layout = newLayout();
    layout->Formularaapne(DBF);
    engine::TDbfTable &FORFIL = layout->FORFIL();
    if (GetParam().deleteLabelRecords) {
        for (int r = 1; r <= FORFIL.RecCount(); ++r) {
            FORFIL.Go(r);
            if (engine::trimBlanks(FORFIL.GetF(FormType)) == "6")
                FORFIL.Delete(true);
        }
    }
    const auto before = readAll(FORFIL);

    layout->Formularaapne(DBF);
    const auto after = readAll(layout->FORFIL());
    ASSERT_GE(after.size(), before.size());
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin(), [](const auto &a, const auto &b) {
        return a.deleted == b.deleted && a.values == b.values;
    }));
    EXPECT_EQ(logged(loggedMessages(), kLabelsMissing), GetParam().repaired);
    if (!GetParam().repaired) {
        EXPECT_EQ(after.size(), before.size());
        return;
    }
    ASSERT_EQ(after.size(), before.size() + 3);
    const StoredRecord &header = after[before.size()];
    EXPECT_EQ(header.values.at(FormType), "6");
    EXPECT_EQ(header.values.at(ObjType), "1");
    EXPECT_EQ(header.values.at(ObjLinje), "8");
    EXPECT_EQ(header.values.at(ObjFontN), "PrintFont");
    EXPECT_EQ(after[before.size() + 1].values.at(ObjRefTxt), "Labels example");
    EXPECT_EQ(after[before.size() + 2].values.at(ObjRefTxt), "[%FIELD001]");
}

INSTANTIATE_TEST_SUITE_P(Labels, LabelRepairTest,
                         ::testing::Values(LabelCase{"AllLabelRecordsDeleted", true, true},
                                           LabelCase{"LiveLabelHeaderKept", false, false}),
                         [](const auto &info) { return info.param.name; });

struct PackCase {
    std::string name;
    int records; // records of the layout table before opening, deleted ones included
    bool exclusive;
    bool packed;
};

class MaintenancePackTest : public LayoutFixture, public ::testing::WithParamInterface<PackCase> {};

TEST_P(MaintenancePackTest, PacksAboveTwentyRecordsPerFieldWhenExclusive)
{
    const PackCase &c = GetParam();
    makeCardTable({{"NAVN", 'C', 20}, {"POSTNR", 'C', 4}}, c.exclusive);
    auto layout = newLayout();
    std::vector<std::string> notices;
    layout->setMelding([&notices](const std::string &text) { notices.push_back(text); });
    layout->Formularaapne(DBF);
    engine::TDbfTable &FORFIL = layout->FORFIL();
    const int live = FORFIL.RecCount();
    while (FORFIL.RecCount() < c.records) {
        FORFIL.AppendBlank();
        FORFIL.Store("FormType", "2");
        ASSERT_TRUE(FORFIL.Write(false));
        FORFIL.Delete(true);
    }

    layout->Formularaapne(DBF);
    EXPECT_EQ(layout->FORFIL().IsExclusive(), c.exclusive);
    EXPECT_EQ(layout->FORFIL().RecCount(), c.packed ? live : c.records);
    EXPECT_EQ(logged(loggedMessages(), kMaintenanceDone), c.packed);
    EXPECT_EQ(notices, c.packed ? std::vector<std::string>{kMaintenanceDone} : std::vector<std::string>{});
    if (c.packed) {
        for (const auto &r : readAll(layout->FORFIL()))
            EXPECT_FALSE(r.deleted);
    }
}

INSTANTIATE_TEST_SUITE_P(Maintenance, MaintenancePackTest,
                         ::testing::Values(PackCase{"ExactlyTwentyPerFieldKept", 40, true, false},
                                           PackCase{"OneMorePacked", 41, true, true},
                                           PackCase{"SharedTableNotPacked", 41, false, false}),
                         [](const auto &info) { return info.param.name; });

TEST_F(LayoutFixture, DefaultPrintTextIsWrittenInWindows1252WithCrLf)
{
    makeCardTable({{"navn", 'C', 20}, {"POSTNR", 'C', 4}});
    auto layout = newLayout();
    layout->Formularaapne(DBF);
    EXPECT_EQ(fileBytes(beside("KUNDER.prt")),
              "Standard utskriftformular for utskrift av et helt kort tilh\xF8rende databasen [%DBFNAME].\r\n"
              "Du kan selv endre og manipulere dette dokumentet, s\xE5 det blir som du \xF8nsker.\r\n"
              "Dokumentet fungerer som fletting fra \xF8nsket kort i databasen, og du kan selv endre og "
              "sette inn de feletene du \xF8nsker.\r\n"
              "\r\n"
              "\r\n"
              "NAVN : \r\n[%FIELD001]\r\n\r\n"
              "POSTNR : \r\n[%FIELD002]\r\n\r\n"
              "\r\n"
              "Siste linje i kort [%RECNO].\r\n");
}

TEST_F(LayoutFixture, ExistingFilesAreFoundWhateverTheCaseOfTheirNames)
{
    makeCardTable({{"NAVN", 'C', 20}});
    newLayout()->Formularaapne(DBF);
    std::filesystem::rename(beside("KUNDER.for"), beside("KUNDER.FOR"));
    std::filesystem::remove(beside("KUNDER.prt"));
    writeBytes(beside("KUNDER.PRT"), "Egen mal [%FIELD001]\r\n");
    const std::string layoutBytes = fileBytes(beside("KUNDER.FOR"));
    const std::size_t messagesBefore = loggedMessages().size();

    auto layout = newLayout();
    layout->Formularaapne(DBF);
    layout->close();
    EXPECT_FALSE(std::filesystem::exists(beside("KUNDER.for")));
    EXPECT_FALSE(std::filesystem::exists(beside("KUNDER.prt")));
    EXPECT_EQ(fileBytes(beside("KUNDER.PRT")), "Egen mal [%FIELD001]\r\n");
    EXPECT_EQ(fileBytes(beside("KUNDER.FOR")), layoutBytes);
    EXPECT_EQ(loggedMessages().size(), messagesBefore);
}

struct RefusedCase {
    std::string name;
    std::vector<FieldSpec> fields; // empty: the file is not a table at all
};

class RefusedLayoutFileTest : public LayoutFixture, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedLayoutFileTest, ThrowsAndLeavesTheFileAlone)
{
    makeCardTable({{"NAVN", 'C', 20}});
    const std::string path = beside("KUNDER.for");
    if (GetParam().fields.empty()) {
        writeBytes(path, "not a table");
    } else {
        engine::TDbfTable other;
        for (const auto &f : GetParam().fields)
            ASSERT_TRUE(other.LagFelt(f.name, f.type, static_cast<std::uint8_t>(f.length), 0, 1));
        other.LagDatabase(path, 1);
    }
    const std::string bytes = fileBytes(path);

    auto layout = newLayout();
    try {
        layout->Formularaapne(DBF);
        FAIL() << "no error";
    } catch (const LayoutTableError &e) {
        EXPECT_NE(std::string(e.what()).find("KLARER IKKE \xC3\x85PNE DATABASE FIL"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_FALSE(layout->FORFIL().isOpen());
    EXPECT_EQ(fileBytes(path), bytes);
}

INSTANTIATE_TEST_SUITE_P(Damaged, RefusedLayoutFileTest,
                         ::testing::Values(RefusedCase{"NotATable", {}},
                                           RefusedCase{"OtherFields", {{"NAVN", 'C', 10}, {"TALL", 'N', 5}}}),
                         [](const auto &info) { return info.param.name; });

TEST_F(LayoutFixture, LayoutLeftHalfMadeByAWriteFailureIsMadeAgainNextTime)
{
    makeCardTable({{"NAVN", 'C', 20}, {"POSTNR", 'C', 4}});
    LayoutTable failing(m_konfig, m_texts, m_log, std::make_shared<FailingFileSystem>(".for", 20));
    EXPECT_THROW(failing.Formularaapne(DBF), engine::DbfIoError);
    EXPECT_FALSE(std::filesystem::exists(beside("KUNDER.for")));

    auto layout = newLayout();
    layout->Formularaapne(DBF);
    EXPECT_EQ(layout->FORFIL().RecCount(), 13 + 4 * 2);
}

TEST_F(LayoutFixture, PrintFileWriteFailureReachesTheCaller)
{
    makeCardTable({{"NAVN", 'C', 20}});
    LayoutTable failing(m_konfig, m_texts, m_log, std::make_shared<FailingFileSystem>(".prt", 0));
    EXPECT_THROW(failing.Formularaapne(DBF), engine::DbfIoError);
    EXPECT_FALSE(logged(loggedMessages(), "Ny PRT fil laget"));
}

} // namespace
} // namespace kvilbo::layout::test
