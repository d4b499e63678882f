#include "core/messages.h"
#include "dialogs/database_info.h"
#include "dialogs/log_view.h"
#include "dialogs/settings_rules.h"
#include "engine/dbf_table.h"
#include "layout/layout_fields.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kvilbo::dialogs {
namespace {

namespace fs = std::filesystem;

void writeBytes(const fs::path &file, const std::string &bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

void appendBytes(const fs::path &file, const std::string &bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::app) << bytes;
}

// A layout table holding card pictures with the given sources (and one text box).
void makeLayout(const std::string &file, const std::vector<std::string> &pictures)
{
    engine::TDbfTable t;
    for (const layout::FeltDef &f : layout::kFelter)
        ASSERT_TRUE(t.LagFelt(std::string(f.name), f.type, static_cast<std::uint8_t>(f.length), 0, 0));
    t.LagDatabase(file, 0);
    ASSERT_TRUE(t.OpenDatabase(file, true, false));
    const auto add = [&](const char *formType, const char *objType, const std::string &source) {
        t.AppendBlank();
        t.Store("FORMTYPE", formType);
        t.Store("OBJTYPE", objType);
        t.Store("OBJREFTXT", source);
        t.Write(true);
    };
    add("2", "1", "bilde.png");
    for (const std::string &source : pictures)
        add("2", "4", source);
    t.closedatabase();
}

class DatabaseInfoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = m_dir.path().toStdString();
        m_table = (fs::path(m_folder) / "Kunder.dbf").string();
    }

    void makeTable(bool memo)
    {
        engine::TDbfTable t;
        ASSERT_TRUE(t.LagFelt("NAVN", 'C', 20, 0, 0));
        ASSERT_TRUE(t.LagFelt("BELOP", 'N', 10, 2, 0));
        ASSERT_TRUE(t.LagFelt("TID", 'T', 6, 0, 0));
        if (memo)
            ASSERT_TRUE(t.LagFelt("NOTAT", 'M', 4, 0, 0));
        t.LagDatabase(m_table, 0);
    }

    DatabaseInfo describe(engine::TDbfTable *layoutTable = nullptr, std::uint16_t spraak = 0,
                          std::string_view mounts = {})
    {
        EXPECT_TRUE(m_dbf.OpenDatabase(m_table, false, false));
        m_texts.setSpraak(spraak);
        return describeDatabase(m_dbf, layoutTable, m_texts, mounts);
    }

    std::string value(const DatabaseInfo &info, int caption) const
    {
        for (const InfoRow &row : info.mainTable)
            if (row[0] == m_texts.ss(caption))
                return row[1];
        return "<no row>";
    }

    QTemporaryDir m_dir;
    std::string m_folder;
    std::string m_table;
    core::Texts m_texts{0};
    engine::TDbfTable m_dbf;
};

TEST_F(DatabaseInfoTest, TableWithoutMemoOrPrintTextShowsNotUsedAndMinusOne)
{
    makeTable(false);
    writeBytes(fs::path(m_folder) / "KUNDER.FOR", std::string(100, 'x'));
    const DatabaseInfo info = describe();
    const std::string notUsed = "<" + m_texts.ss(2830) + ">";
    const std::int64_t tableSize = static_cast<std::int64_t>(fs::file_size(m_table));

    ASSERT_EQ(info.files.size(), 6u);
    EXPECT_EQ(info.files[0], (InfoRow{m_texts.ss(1201), "KUNDER.DBF", std::to_string(tableSize), m_folder}));
    EXPECT_EQ(info.files[1], (InfoRow{m_texts.ss(1202), "KUNDER.FOR", "100", m_folder}));
    EXPECT_EQ(info.files[2], (InfoRow{m_texts.ss(1203), "KUNDER.PRT", "-1", m_folder}));
    EXPECT_EQ(info.files[3], (InfoRow{m_texts.ss(1204), notUsed, "0", m_folder}));
    EXPECT_EQ(info.files[4], (InfoRow{m_texts.ss(1210), notUsed, "0", ""}));
    EXPECT_EQ(info.files[5], (InfoRow{m_texts.ss(1205), "", std::to_string(tableSize + 100 - 1), ""}));
    EXPECT_EQ(value(info, 1304), notUsed);
    EXPECT_EQ(value(info, 1340), notUsed);
    EXPECT_EQ(info.name, "KUNDER.DBF");
    EXPECT_EQ(info.fullName, m_table);
}

TEST_F(DatabaseInfoTest, MainTableRowsFollowTheHeader)
{
    makeTable(true);
    const DatabaseInfo info = describe();
    ASSERT_EQ(info.mainTable.size(), 18u);
    EXPECT_EQ(value(info, 1000), "KUNDER.DBF");
    EXPECT_EQ(value(info, 1281), m_texts.ss(1282));
    EXPECT_EQ(value(info, 1001), "0");
    EXPECT_EQ(value(info, 1002), "4");
    EXPECT_EQ(value(info, 1312), "424 bytes");
    EXPECT_EQ(value(info, 1314), "41 bytes");
    EXPECT_EQ(value(info, 1316), "425 bytes");
    EXPECT_EQ(value(info, 1318), "425 bytes");
    EXPECT_EQ(value(info, 1320), "Nei");
    EXPECT_EQ(value(info, 1330).substr(0, 3), "30 ");
    EXPECT_EQ(value(info, 1330).size(), 48u);
    EXPECT_EQ(value(info, 1340), std::to_string(m_dbf.MemoBlkSize()));
    EXPECT_EQ(info.files[3][1], "KUNDER.FPT");
    EXPECT_EQ(info.files[3][2], "512");
}

TEST_F(DatabaseInfoTest, BytesAppendedBehindTheHeaderShowAsADeviation)
{
    makeTable(false);
    appendBytes(m_table, "xyz");
    const DatabaseInfo info = describe(nullptr, 1);
    EXPECT_EQ(value(info, 1320), "Yes");
}

TEST_F(DatabaseInfoTest, FieldRowsAreNumberedWithTypeNamesOfTheLanguage)
{
    makeTable(false);
    DatabaseInfo info = describe(nullptr, 1);
    ASSERT_EQ(info.fields.size(), 3u);
    EXPECT_EQ(info.fields[0], (InfoRow{"001", "NAVN", m_dbf.FieldTypeE(1), "20", "0"}));
    EXPECT_EQ(info.fields[1], (InfoRow{"002", "BELOP", m_dbf.FieldTypeE(2), "10", "2"}));
    EXPECT_EQ(info.fields[2][2], "");
    m_dbf.closedatabase();
    info = describe(nullptr, 0);
    EXPECT_EQ(info.fields[1][2], m_dbf.FieldType(2));
}

TEST_F(DatabaseInfoTest, PictureRowsListFilesOfTheCardLayout)
{
    makeTable(false);
    writeBytes(fs::path(m_folder) / "logo.png", std::string(40, 'p'));
    fs::create_directory(fs::path(m_folder) / "bilder");
    writeBytes(fs::path(m_folder) / "bilder" / "kart.jpg", std::string(7, 'j'));
    const std::string layoutFile = (fs::path(m_folder) / "KUNDER.FOR").string();
    makeLayout(layoutFile, {"[INTERNTBILDE001]", "logo.png", "borte.png", "bilder\\kart.jpg"});
    engine::TDbfTable layoutTable;
    ASSERT_TRUE(layoutTable.OpenDatabase(layoutFile, false, false));
    layoutTable.Go(2);

    const DatabaseInfo info = describe(&layoutTable);
    const std::string missing = m_folder + " " + m_texts.ss(1290);
    ASSERT_EQ(info.files.size(), 8u);
    EXPECT_EQ(info.files[4], (InfoRow{m_texts.ss(1210), "LOGO.PNG", "40", m_folder}));
    EXPECT_EQ(info.files[5], (InfoRow{" - ", "BORTE.PNG", "0", missing}));
    EXPECT_EQ(info.files[6], (InfoRow{" - ", "KART.JPG", "7", m_folder + "/bilder"}));
    const std::int64_t sum = std::stoll(info.files[0][2]) + std::stoll(info.files[1][2]) - 1 + 40 + 7;
    EXPECT_EQ(info.files[7][2], std::to_string(sum));
    EXPECT_EQ(layoutTable.RecNo(), 2) << "the layout table's current record is kept";
}

TEST_F(DatabaseInfoTest, BuiltInPictureAloneGivesTheNotUsedRow)
{
    makeTable(false);
    const std::string layoutFile = (fs::path(m_folder) / "KUNDER.FOR").string();
    makeLayout(layoutFile, {"[INTERNTBILDE001]"});
    engine::TDbfTable layoutTable;
    ASSERT_TRUE(layoutTable.OpenDatabase(layoutFile, false, false));
    const DatabaseInfo info = describe(&layoutTable);
    EXPECT_EQ(info.files[4], (InfoRow{m_texts.ss(1210), "<" + m_texts.ss(2830) + ">", "0", ""}));
}

struct NetworkCase
{
    const char *behaviour;
    const char *folder;
    const char *mounts;
    const char *drive; // nullptr: own computer
};

class NetworkFolders : public ::testing::TestWithParam<NetworkCase> {};

TEST_P(NetworkFolders, AreRecognisedWithTheirServerAndShare)
{
    const NetworkCase &c = GetParam();
    const auto drive = networkDrivePart(c.folder, c.mounts);
    if (c.drive == nullptr)
        EXPECT_FALSE(drive.has_value()) << *drive;
    else
        EXPECT_EQ(drive.value_or("<none>"), c.drive);
}

constexpr const char *kMounts =
    "/dev/sda1 / ext4 rw 0 0\n"
    "//filer/felles /mnt/felles cifs rw 0 0\n"
    "nas:/export/data /srv/nfs\\040data nfs4 rw 0 0\n"
    "/dev/sdb1 /mnt/felles/lokal ext4 rw 0 0\n";

INSTANTIATE_TEST_SUITE_P(
    Info, NetworkFolders,
    ::testing::Values(
        NetworkCase{"windows_unc", "\\\\server\\share\\kort\\2024", "", "\\\\server\\share"},
        NetworkCase{"slashed_unc", "//server/share/kort", "", "//server/share"},
        NetworkCase{"unc_share_only", "//server/share", "", "//server/share"},
        NetworkCase{"unc_with_invalid_character", "//server/sha|re", "", nullptr},
        NetworkCase{"three_slashes", "///server/share", "", nullptr},
        NetworkCase{"local_folder", "/home/kari/kort", kMounts, nullptr},
        NetworkCase{"smb_mount", "/mnt/felles/kort", kMounts, "//filer/felles"},
        NetworkCase{"nfs_mount_with_blank", "/srv/nfs data/kort", kMounts, "nas:/export/data"},
        NetworkCase{"local_disk_inside_smb_mount", "/mnt/felles/lokal/kort", kMounts, nullptr},
        NetworkCase{"prefix_is_not_a_mount", "/mnt/fellesx", kMounts, nullptr}),
    [](const auto &info) { return std::string(info.param.behaviour); });

TEST(FileSizes, MissingFileIsMinusOne)
{
    QTemporaryDir dir;
    const fs::path file = fs::path(dir.path().toStdString()) / "Data.PRT";
    EXPECT_EQ(fileSizeOf(file.string()), -1);
    writeBytes(file, "12345");
    EXPECT_EQ(fileSizeOf((fs::path(dir.path().toStdString()) / "DATA.prt").string()), 5);
    EXPECT_EQ(fileSizeOf(dir.path().toStdString()), -1) << "a folder is not a file";
}

TEST(SettingsRules, CenturyIsTheNumberTypedOr2000)
{
    for (const auto &[typed, century] : std::vector<std::pair<std::string, int>>{
             {"1900", 1900}, {" 2100 ", 2100}, {"", 2000}, {"abc", 2000}, {"19x", 2000}, {"-5", 2000},
             {"70000", 2000}, {"0", 0}})
        EXPECT_EQ(centuryFromText(typed), century) << typed;
}

TEST(SettingsRules, SliderLabelsShowThreeDigits)
{
    EXPECT_EQ(sliderText(0), "000");
    EXPECT_EQ(sliderText(45), "045");
    EXPECT_EQ(sliderText(360), "360");
    EXPECT_EQ(sliderText(-7), "-007");
}

TEST(LogView, SizeIsCutToWholeBlocksOf128)
{
    EXPECT_EQ(wholeBlocks(1000), 896);
    EXPECT_EQ(wholeBlocks(127), 0);
    EXPECT_EQ(wholeBlocks(128), 128);
}

} // namespace
} // namespace kvilbo::dialogs
