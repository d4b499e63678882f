#include "tsv_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>
#include <regex>
#include <set>
#include <string>
#include <vector>

// Every text number that the program's sources ask for must exist in both
// languages. The sources are scanned for text lookups with a literal number.

namespace kvilbo::resources::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kEnglishOffset = 30000;

struct Request
{
    int number = 0;
    int line = 0;
};

using Constants = std::map<std::string, int>;

// Integer constants a source defines, as in "constexpr int kProgramEnd = 2055;".
Constants constantsIn(const std::string &source)
{
    static const std::regex definition(R"(\b(k[A-Z]\w*)\s*=\s*(\d+)\s*;)");
    Constants constants;
    for (std::sregex_iterator it(source.begin(), source.end(), definition), end; it != end; ++it)
        constants[(*it)[1].str()] = std::stoi((*it)[2].str());
    return constants;
}

// Numbers passed to the text lookup: ss(N), x.ss(N, ...), p->ss(N + i), a
// direct find(N) on the text table, and ss(kName) for a constant defined in the
// same source or, failing that, in `shared`.
std::vector<Request> textRequests(const std::string &source, const Constants &shared = {})
{
    static const std::regex lookup(
        R"(\bss\s*\(\s*(\d+|k[A-Z]\w*)\b)"
        R"(|(?:\w*(?:[Tt]able|[Tt]exts)\w*|builtIn\s*\(\s*\))\s*(?:\.|->)\s*find\s*\(\s*(\d+)\s*\))");
    const Constants local = constantsIn(source);
    std::vector<Request> requests;
    for (std::sregex_iterator it(source.begin(), source.end(), lookup), end; it != end; ++it) {
        const auto &match = *it;
        const std::string argument = match[1].matched ? match[1].str() : match[2].str();
        int number = 0;
        if (argument.front() != 'k') {
            number = std::stoi(argument);
        } else if (const auto own = local.find(argument); own != local.end()) {
            number = own->second;
        } else if (const auto other = shared.find(argument); other != shared.end()) {
            number = other->second;
        } else {
            continue;
        }
        const auto line = 1 + std::count(source.begin(), source.begin() + match.position(0), '\n');
        requests.push_back({number, static_cast<int>(line)});
    }
    return requests;
}

// Build folders, hidden folders and test folders are not program code.
bool skippedFolder(const fs::path &folder)
{
    const std::string name = folder.filename().string();
    return name.starts_with(".") || name.starts_with("build") || name == "tests";
}

std::vector<fs::path> programSources(const fs::path &root)
{
    std::vector<fs::path> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        if (it->is_directory()) {
            if (skippedFolder(it->path()))
                it.disable_recursion_pending();
            continue;
        }
        const auto ext = it->path().extension();
        if (ext == ".cpp" || ext == ".h")
            files.push_back(it->path());
    }
    return files;
}

struct ScanCase
{
    const char *name;
    const char *source;
    std::vector<int> numbers;
};

void PrintTo(const ScanCase &c, std::ostream *os)
{
    *os << c.source;
}

class TextRequestScan : public ::testing::TestWithParam<ScanCase>
{
};

TEST_P(TextRequestScan, FindsLiteralLookups)
{
    std::vector<int> numbers;
    for (const auto &request : textRequests(GetParam().source))
        numbers.push_back(request.number);
    EXPECT_EQ(numbers, GetParam().numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, TextRequestScan,
    ::testing::Values(
        ScanCase{"PlainCall", "melding(ss(2020));", {2020}},
        ScanCase{"MemberCalls", "a = m_texts.ss(2081, {name});\nb = texts->ss( 2026 );", {2081, 2026}},
        ScanCase{"EnglishNumber", "ss(32089)", {32089}},
        ScanCase{"TableFind", "TextTable::builtIn().find(2027); m_table->find(12000);", {2027, 12000}},
        ScanCase{"OtherCallsIgnored", "address(2089); class_(2089); v.find(2089); ss(n);", {}},
        ScanCase{"SeveralLines", "x;\ny;\nss(2040)", {2040}},
        ScanCase{"RangeBase", "texts.ss(2033 + line)", {2033}},
        ScanCase{"NamedConstant", "constexpr int kProgramEnd = 2055;\nm_texts->ss(kProgramEnd);", {2055}},
        ScanCase{"UnknownConstantIgnored", "ss(kSomewhereElse); ss(number);", {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TextRequestScan, ReportsTheLine)
{
    const auto requests = textRequests("a;\nb;\n  ss(2040);\n");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].line, 3);
}

TEST(TextNumbersInCode, EveryRequestedTextExistsInBothLanguages)
{
    std::set<int> keys;
    for (const auto &entry : parseTsv(readFile(KVILBO_TEXTS_FILE)).entries) {
        keys.insert(entry.number);
        keys.insert(entry.number + kEnglishOffset);
    }
    std::map<fs::path, std::string> sources;
    Constants shared;
    for (const auto &file : programSources(KVILBO_SOURCE_DIR)) {
        sources[file] = readFile(file.string());
        shared.merge(constantsIn(sources[file]));
    }
    int requests = 0;
    for (const auto &[file, source] : sources) {
        for (const auto &request : textRequests(source, shared)) {
            ++requests;
            const int norwegian = request.number >= kEnglishOffset ? request.number - kEnglishOffset : request.number;
            EXPECT_TRUE(keys.count(norwegian) && keys.count(norwegian + kEnglishOffset))
                << file.string() << ":" << request.line << " asks for text " << request.number
                << ", which the table does not hold in both languages";
        }
    }
    RecordProperty("text_requests", requests);
}

} // namespace
} // namespace kvilbo::resources::testing
