// The matcher's single condition by type and operator, and the condition lists.
#include "search/condition.h"
#include "search/condition_list.h"

#include <gtest/gtest.h>

#include <string>

using namespace kvilbo::search;

namespace {

struct ConditionCase {
    const char *name;
    char type;
    const char *op;
    const char *cell;
    const char *value;
    bool partial;
    bool matchCase;
    bool expected;
};

void PrintTo(const ConditionCase &c, std::ostream *os) { *os << c.name; }

class ConditionTable : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(ConditionTable, Holds)
{
    const ConditionCase &c = GetParam();
    const Condition condition(c.type, parseOperator(QString::fromUtf8(c.op)), QString::fromUtf8(c.value),
                              MatchOptions{c.partial, c.matchCase}, u',');
    EXPECT_EQ(condition.test(QString::fromUtf8(c.cell)), c.expected);
}

const ConditionCase kCases[] = {
    // Text "=": the four combinations of partial match and match case
    {"text_whole_any_case", 'C', "=", "HE", "he", false, false, true},
    {"text_whole_any_case_refuses_longer", 'C', "=", "HEI", "he", false, false, false},
    {"text_whole_exact_case", 'C', "=", "he", "he", false, true, true},
    {"text_whole_exact_case_refuses_other_case", 'C', "=", "He", "he", false, true, false},
    {"text_partial_exact_case", 'C', "=", "the", "he", true, true, true},
    {"text_partial_exact_case_refuses_upper", 'C', "=", "HEI", "he", true, true, false},
    {"text_partial_any_case_upper", 'C', "=", "HEI", "he", true, false, true},
    {"text_partial_any_case_mixed", 'C', "=", "Hei", "he", true, false, true},
    {"text_partial_any_case_inside_word", 'C', "=", "the", "he", true, false, true},
    {"text_partial_any_case_miss", 'C', "=", "hallo", "he", true, false, false},
    {"text_norwegian_letters_any_case", 'C', "=", "BL\u00c5B\u00c6R\u00d8Y", "bl\u00e5b\u00e6r\u00f8y", false, false, true},
    {"text_norwegian_letters_partial", 'C', "=", "\u00c6rlig \u00d8ystein", "\u00f8ys", true, false, true},
    // Text "<>" ignores case whatever the options
    {"text_differs_other_text", 'C', "<>", "Ola", "Kari", false, true, true},
    {"text_differs_not_by_case_alone", 'C', "<>", "OLA", "ola", false, true, false},
    {"text_differs_whole_value_even_when_partial", 'C', "<>", "Olav", "ola", true, false, true},
    // Text order comparisons never hold
    {"text_less_never", 'C', "<", "a", "b", false, false, false},
    {"text_greater_equal_never", 'C', ">=", "b", "a", false, false, false},
    {"memo_partial", 'M', "=", "first line\nsecond LINE", "line", true, false, true},
    // Dates compare as calendar dates
    {"date_equal", 'D', "=", "17.05.2020", "17.05.2020", false, false, true},
    {"date_differs", 'D', "<>", "17.05.2020", "18.05.2020", false, false, true},
    {"date_less_across_years", 'D', "<", "31.12.2019", "01.01.2020", false, false, true},
    {"date_greater_is_not_text_order", 'D', ">", "01.02.2020", "31.01.2020", false, false, true},
    {"date_less_equal_same_day", 'D', "<=", "01.02.2020", "01.02.2020", false, false, true},
    {"date_greater_equal_earlier", 'D', ">=", "31.01.2020", "01.02.2020", false, false, false},
    {"date_empty_cell_is_false", 'D', "<>", "  .  .    ", "01.02.2020", false, false, false},
    {"date_empty_value_is_false", 'D', "<>", "01.02.2020", "  .  .    ", false, false, false},
    {"date_impossible_value_is_false", 'D', "<", "01.02.2020", "31.02.2021", false, false, false},
    // Numbers compare as numbers, cell on the left
    {"number_equal_other_form", 'N', "=", "100,00", "100", false, false, true},
    {"number_greater_equal_hit", 'N', ">=", "100,00", "100", false, false, true},
    {"number_greater_equal_miss", 'N', ">=", "99,99", "100", false, false, false},
    {"number_less_not_text_order", 'N', "<", "9,50", "10", false, false, true},
    {"number_greater", 'F', ">", "-1,5", "-2", false, false, true},
    {"number_differs", 'N', "<>", "1,5", "1,50", false, false, false},
    {"number_bad_cell_counts_as_zero", 'N', "=", "abc", "0", false, false, true},
    {"number_empty_cell_counts_as_zero", 'N', "<", "", "1", false, false, true},
    {"number_bad_value_is_false", 'N', "<>", "5,00", "fem", false, false, false},
    {"number_other_separator_is_not_a_number", 'N', "<>", "5,00", "1.5", false, false, false},
    // Logical: "=" on the first letter only
    {"logical_yes_matches_ja", 'L', "=", "Ja ", "j", false, false, true},
    {"logical_t_matches_yes", 'L', "=", "Yes", "T", false, false, true},
    {"logical_no_matches_other_word", 'L', "=", "Nei", "nei", false, false, true},
    {"logical_yes_refuses_nei", 'L', "=", "Nei", "ja", false, false, false},
    {"logical_differs_never", 'L', "<>", "Nei", "ja", false, false, false},
    {"logical_empty_cell_is_false", 'L', "=", "", "n", false, false, false},
    {"logical_empty_value_is_false", 'L', "=", "Nei", "", false, false, false},
    // Operators by their start
    {"operator_unknown_is_false", 'C', "!=", "a", "b", false, false, false},
    {"operator_equal_arrow_reads_as_equal", 'N', "=>", "5", "5", false, false, true},
};

INSTANTIATE_TEST_SUITE_P(ByTypeAndOperator, ConditionTable, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct ListCase {
    const char *name;
    const char *text;
    std::vector<QString> items;
};

void PrintTo(const ListCase &c, std::ostream *os) { *os << c.name; }

class ConditionListSplit : public ::testing::TestWithParam<ListCase> {};

TEST_P(ConditionListSplit, Items)
{
    const QStringList items = splitConditionList(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(std::vector<QString>(items.begin(), items.end()), GetParam().items);
}

const ListCase kLists[] = {
    {"plain_items", "NAVN;FODT", {"NAVN", "FODT"}},
    {"quoted_items_keep_separator_and_blanks", "\"ola nordmann\";\"a;b\"", {"ola nordmann", "a;b"}},
    {"blank_ends_an_unquoted_item", "ola nordmann", {"ola", "nordmann"}},
    {"leading_blanks_skipped", "  \"x\" ;  y", {"x", "y"}},
    {"empty_quoted_item", "\"\";\"b\"", {"", "b"}},
    {"trailing_separator_gives_empty_item", "a;", {"a", ""}},
    {"doubled_quote_is_one_quote", "\"si \"\"hei\"\"\"", {"si \"hei\""}},
    {"empty_text_no_items", "", {}},
};

INSTANTIATE_TEST_SUITE_P(Split, ConditionListSplit, ::testing::ValuesIn(kLists),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ConditionList, AnyValueTravelsUnchanged)
{
    const QStringList values{"ola", "", "a \"quoted\" word", "\"", "semi;colon", " blanks "};
    EXPECT_EQ(splitConditionList(joinConditionList(values)), values);
}

} // namespace
