#include "card_table_fixture.h"

#include "cardview/converters.h"

namespace kvilbo::printing {
namespace {

using cardview::kEngelsk;
using cardview::kNorsk;

struct TagCase {
    std::string name;
    const char* raw;
    const char* expected; // UTF-8, on record 1 in Norwegian
};

class Parser1Test : public CardTableTest, public testing::WithParamInterface<TagCase> {};

TEST_P(Parser1Test, expandsTagsOfTheCurrentRecord)
{
    const TagCase& c = GetParam();
    EXPECT_EQ(Parser1(QString::fromUtf8(c.raw), sources(kNorsk)), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Tags, Parser1Test,
    testing::Values(
        TagCase{"DefaultCardLine", "Databasens filnavn : [%DBFNAME] Dagens dato er : [%DATE].",
                "Databasens filnavn : KORT.DBF Dagens dato er : 02.01.2026."},
        TagCase{"TimeTwentyFourHour", "kl. [%TIME]", "kl. 14:05"},
        TagCase{"RecordNumber", "#[%RECNO]#", "#1#"},
        TagCase{"EveryOccurrence", "[%RECNO][%recno][%RecNo]", "111"},
        TagCase{"LowerCaseFieldTag", "[%field001]", "Bj\xC3\xB8rn"},
        TagCase{"MixedCaseFieldTag", "[%FiElD3]", "12,50"},
        TagCase{"LeadingZerosIgnored", "[%FIELD4]/[%FIELD04]/[%FIELD004]", "1250/1250/1250"},
        TagCase{"FourDigitsIsNoFieldTag", "[%FIELD0001]", "[%FIELD0001]"},
        TagCase{"NoDigitsIsNoFieldTag", "[%FIELD]", "[%FIELD]"},
        TagCase{"FieldZeroIsEmpty", "<[%FIELD000]>", "<>"},
        TagCase{"FieldBeyondTableIsEmpty", "<[%FIELD999]>", "<>"},
        TagCase{"DateFieldTag", "[%FIELD002]", "05.03.2015"},
        TagCase{"LogicalFieldTag", "[%FIELD005]", "Ja "},
        TagCase{"MemoFieldTagGivesWholeTextTrimmed", "[%FIELD006]", "Linje 1\r\nLinje 2"},
        TagCase{"UnknownTagStays", "[%FOO] [%PAGENO] [%JOB]", "[%FOO] [%PAGENO] [%JOB]"},
        TagCase{"PlainTextStays", "ingen tagger her", "ingen tagger her"}),
    [](const testing::TestParamInfo<TagCase>& info) { return info.param.name; });

TEST_F(CardTableTest, Parser1FollowsTheCurrentRecord)
{
    m_table.Go(2);
    EXPECT_EQ(Parser1(QStringLiteral("[%RECNO]:[%FIELD002]:[%FIELD006]"), sources()),
              QStringLiteral("2:  .  .    :"));
}

TEST_F(CardTableTest, WithoutCardsTagsGiveEmptyTextAndFieldsTheNoDatabaseText)
{
    const QString raw = QStringLiteral("[[%DBFNAME]][[%RECNO]][%FIELD001]");
    const QString norsk = QString::fromUtf8("[][]<ingen database \xC3\xA5pen>");

    TemplateSources noTable = sources(kNorsk);
    noTable.table = nullptr;
    EXPECT_EQ(Parser1(raw, noTable), norsk);

    m_table.closedatabase();
    EXPECT_EQ(Parser1(raw, sources(kNorsk)), norsk);
    EXPECT_EQ(Parser1(raw, sources(kEngelsk)), QStringLiteral("[][]<no open database>"));

    engine::TDbfTable empty;
    ASSERT_TRUE(empty.LagFelt("NAVN", 'C', 10, 0, 0));
    const std::string path = m_dir.filePath(QStringLiteral("TOM.DBF")).toStdString();
    empty.LagDatabase(path, 0);
    ASSERT_TRUE(empty.OpenDatabase(path, true, false)) << empty.lastMessage();
    TemplateSources emptyTable = sources(kNorsk);
    emptyTable.table = &empty;
    EXPECT_EQ(Parser1(raw, emptyTable), norsk);
}

TEST_F(CardTableTest, ValuesAreInsertedLiterally)
{
    put("NAVN", QStringLiteral("$1 \\1 %1"));
    EXPECT_EQ(Parser1(QStringLiteral("[%FIELD1]"), sources()), QStringLiteral("$1 \\1 %1"));
}

// A value inserted for a tag is searched only for the tags replaced after it.
TEST_F(CardTableTest, ExpansionOrderDecidesWhichInsertedTagsExpand)
{
    put("NAVN", QStringLiteral("[%RECNO]|[%PAGENO]|[%field004]"));
    m_table.MemoWrite(6, "[%FIELD001]");
    const TemplateSources src = sources();
    // RECNO and field tags come before the field's own value, so they stay as written.
    EXPECT_EQ(Parser1(QStringLiteral("[%FIELD001]"), src),
              QStringLiteral("[%RECNO]|[%PAGENO]|[%field004]"));
    EXPECT_EQ(Parser1(QStringLiteral("[%FIELD006]"), src), QStringLiteral("[%FIELD001]"));
    // The page number is replaced after the fields, so EgenParser expands it there.
    const PageTags page{3, QStringLiteral("  Jobb : Liste [%PAGENO] [%DATE] ")};
    EXPECT_EQ(EgenParser(QStringLiteral("[%FIELD001]"), src, page),
              QStringLiteral("[%RECNO]|3|[%field004]"));
    // The job line is the last tag: nothing in it expands.
    EXPECT_EQ(EgenParser(QStringLiteral("[%JOB]"), src, page),
              QStringLiteral("Jobb : Liste [%PAGENO] [%DATE]"));
}

TEST_F(CardTableTest, EgenParserAddsPageNumberAndTrimmedJobLine)
{
    const PageTags page{3, QStringLiteral(" Jobb : Etiketter ")};
    EXPECT_EQ(EgenParser(QStringLiteral("Side [%PAGENO] av [%job] - [%RECNO]"), sources(), page),
              QStringLiteral("Side 3 av Jobb : Etiketter - 1"));
}

TEST_F(CardTableTest, ClockIsReadOncePerTimeTag)
{
    int reads = 0;
    TemplateSources src = sources();
    src.clock = [&reads] {
        ++reads;
        return QDateTime(QDate(2026, 1, 2), QTime(reads, 0));
    };
    EXPECT_EQ(Parser1(QStringLiteral("[%DATE] [%TIME] [%DATE] [%TIME] [%RECNO]"), src),
              QStringLiteral("02.01.2026 02:00 02.01.2026 02:00 1"));
    EXPECT_EQ(reads, 2);
}

TEST(ParserCallback, readsTheDigitsAfterTheSevenTagCharacters)
{
    TemplateSources none;
    none.ingenDatabase = QStringLiteral("x");
    EXPECT_EQ(ParserCallback(QStringLiteral("[%FIELD007]"), none), QStringLiteral("<x>"));
}

} // namespace
} // namespace kvilbo::printing
