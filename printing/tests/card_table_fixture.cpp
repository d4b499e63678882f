#include "card_table_fixture.h"

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace kvilbo::printing {

namespace {

constexpr std::uint8_t kFoxPro = 0;

} // namespace

void CardTableTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(m_table.LagFelt("NAVN", 'C', 40, 0, kFoxPro));
    ASSERT_TRUE(m_table.LagFelt("DATO", 'D', 8, 0, kFoxPro));
    ASSERT_TRUE(m_table.LagFelt("BELOP", 'N', 8, 2, kFoxPro));
    ASSERT_TRUE(m_table.LagFelt("ANTALL", 'N', 4, 0, kFoxPro));
    ASSERT_TRUE(m_table.LagFelt("AKTIV", 'L', 1, 0, kFoxPro));
    ASSERT_TRUE(m_table.LagFelt("NOTAT", 'M', 4, 0, kFoxPro));
    ASSERT_TRUE(m_table.LagFelt("KLOKKE", 'T', 6, 0, kFoxPro));
    m_table.LagDatabase(tablePath().toStdString(), kFoxPro);
    ASSERT_TRUE(m_table.OpenDatabase(tablePath().toStdString(), true, false))
        << m_table.lastMessage();
    m_table.AppendBlank();
    put("NAVN", QString::fromUtf8("  Bj\xC3\xB8rn  "));
    put("DATO", QStringLiteral("20150305"));
    put("BELOP", QStringLiteral("12.5"));
    put("ANTALL", QStringLiteral("1250"));
    put("AKTIV", QStringLiteral("T"));
    put("KLOKKE", QStringLiteral("123456"));
    m_table.MemoWrite(6, "\r\n  Linje 1\r\nLinje 2\r\n  ");
    m_table.AppendBlank();
    m_table.Go(1);
    ASSERT_EQ(m_table.RecCount(), 2);
}

void CardTableTest::TearDown()
{
    m_table.closedatabase();
}

void CardTableTest::put(const char* name, const QString& value)
{
    m_table.Store(name, value.toStdString());
    ASSERT_TRUE(m_table.Write(false)) << m_table.lastMessage();
}

TemplateSources CardTableTest::sources(int spraak)
{
    TemplateSources s;
    s.table = &m_table;
    s.spraak = spraak;
    s.ingenDatabase = spraak == 1 ? QStringLiteral("no open database")
                                  : QString::fromUtf8("ingen database \xC3\xA5pen");
    s.clock = [] { return QDateTime(QDate(2026, 1, 2), QTime(14, 5, 9)); };
    return s;
}

QString CardTableTest::tablePath() const
{
    return m_dir.filePath(QStringLiteral("KORT.DBF"));
}

} // namespace kvilbo::printing
