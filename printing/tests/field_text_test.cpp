#include "card_table_fixture.h"

#include "cardview/converters.h"
#include "printing/field_text.h"

#include <string>

namespace kvilbo::printing {
namespace {

using cardview::kEngelsk;
using cardview::kNorsk;

struct GetXCase {
    std::string name;
    int recNo;
    int feltNr;
    int spraak;
    const char* expected; // UTF-8
};

class GetXTest : public CardTableTest, public testing::WithParamInterface<GetXCase> {};

TEST_P(GetXTest, showsTheFieldForItsType)
{
    const GetXCase& c = GetParam();
    m_table.Go(c.recNo);
    EXPECT_EQ(GetX(m_table, c.feltNr, c.spraak), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Types, GetXTest,
    testing::Values(
        GetXCase{"CharacterTrimmedBothEnds", 1, 1, kNorsk, "Bj\xC3\xB8rn"},
        GetXCase{"CharacterBlank", 2, 1, kNorsk, ""},
        GetXCase{"DateRearranged", 1, 2, kNorsk, "05.03.2015"},
        GetXCase{"DateBlankIsEmptyForm", 2, 2, kNorsk, "  .  .    "},
        GetXCase{"NumberWithDecimalsNorwegian", 1, 3, kNorsk, "12,50"},
        GetXCase{"NumberWithDecimalsEnglish", 1, 3, kEngelsk, "12.50"},
        GetXCase{"NumberWithoutDecimals", 1, 4, kNorsk, "1250"},
        GetXCase{"NumberBlankIsZero", 2, 3, kNorsk, "0,00"},
        GetXCase{"LogicalTrueNorwegian", 1, 5, kNorsk, "Ja "},
        GetXCase{"LogicalTrueEnglish", 1, 5, kEngelsk, "Yes"},
        GetXCase{"LogicalBlankNorwegian", 2, 5, kNorsk, "Nei"},
        GetXCase{"LogicalBlankEnglish", 2, 5, kEngelsk, "No "},
        GetXCase{"MemoWithTextUpperCase", 1, 6, kNorsk, "EDITOR"},
        GetXCase{"MemoEmptyLowerCase", 2, 6, kNorsk, "editor"},
        GetXCase{"TimeShownAsStored", 1, 7, kNorsk, "123456"},
        GetXCase{"FieldZeroIsEmpty", 1, 0, kNorsk, ""},
        GetXCase{"FieldBeyondTableIsEmpty", 1, 8, kNorsk, ""}),
    [](const testing::TestParamInfo<GetXCase>& info) { return info.param.name; });

TEST_F(CardTableTest, GetXShowsADamagedNumberAsStoredInsteadOfFailing)
{
    put("BELOP", QStringLiteral("1-2"));
    EXPECT_EQ(GetX(m_table, 3, kNorsk), QStringLiteral("1-2"));
}

TEST_F(CardTableTest, GetXOfAClosedTableIsEmpty)
{
    m_table.closedatabase();
    EXPECT_EQ(GetX(m_table, 1, kNorsk), QString());
}

} // namespace
} // namespace kvilbo::printing
