#include "dialogs/new_database.h"

#include "core/config.h"
#include "engine/dbf_table.h"

#include <algorithm>
#include <set>

namespace kvilbo::dialogs {
namespace {

constexpr int kTypeTexts[kFieldKindCount] = {4090, 4091, 4092, 4093, 4094, 4095};

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

char letterOf(FieldKind kind)
{
    static constexpr char kLetters[kFieldKindCount] = {'C', 'N', 'L', 'D', 'M', 'F'};
    return kLetters[static_cast<int>(kind)];
}

bool hasDecimals(FieldKind kind)
{
    return kind == FieldKind::Numerisk || kind == FieldKind::Float;
}

} // namespace

int fieldKindText(FieldKind kind)
{
    return kTypeTexts[static_cast<int>(kind)];
}

char typeLetterOf(std::string_view typeText)
{
    if (typeText.empty())
        return 0;
    switch (upper(typeText.front())) {
    case 'C': case 'K': return 'C';
    case 'N': return 'N';
    case 'L': return 'L';
    case 'D': return 'D';
    case 'E': case 'M': return 'M';
    case 'F': return 'F';
    default: return 0;
    }
}

KindRule kindRule(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Karakter: return {true, 1, 255, 0, false, 0};
    case FieldKind::Numerisk:
    case FieldKind::Float: return {true, 1, 18, 0, true, 15};
    case FieldKind::Logisk: return {false, 1, 1, 1, false, 0};
    case FieldKind::Dato: return {false, 8, 8, 8, false, 0};
    case FieldKind::Editor: return {false, 4, 4, 4, false, 0};
    }
    return {};
}

FieldRow FieldRow::withKind(FieldKind chosen) const
{
    FieldRow row = *this;
    row.kind = chosen;
    const KindRule rule = kindRule(chosen);
    if (rule.fixedLength != 0)
        row.length = rule.fixedLength;
    row.length = std::clamp(row.length, rule.lengthMin, rule.lengthMax);
    row.decimals = rule.decimalsOpen ? std::clamp(row.decimals, 0, rule.decimalsMax) : 0;
    return row;
}

FieldRow defaultFieldRow(const std::string &defaultName)
{
    return FieldRow{defaultName, FieldKind::Karakter, 100, 0};
}

bool isFieldNameChar(char32_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::string filterFieldName(std::string_view typed)
{
    std::string name;
    for (const char c : typed) {
        if (name.size() == kFieldNameMax)
            break;
        if (isFieldNameChar(static_cast<unsigned char>(c)))
            name += upper(c);
    }
    return name;
}

std::vector<FieldRow> moveRows(const std::vector<FieldRow> &rows, std::vector<int> selected,
                               int target)
{
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    std::vector<FieldRow> moving;
    std::vector<FieldRow> staying;
    int insertAt = 0;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        if (std::binary_search(selected.begin(), selected.end(), i)) {
            moving.push_back(rows[i]);
        } else {
            if (i < target)
                ++insertAt;
            staying.push_back(rows[i]);
        }
    }
    staying.insert(staying.begin() + insertAt, moving.begin(), moving.end());
    return staying;
}

int checkFields(const std::vector<FieldRow> &rows)
{
    int message = 0;
    // Later checks replace the message of earlier ones, so the last failing one is shown.
    for (const FieldRow &row : rows)
        if (trimmed(row.name).starts_with('_'))
            message = 4051;
    for (const FieldRow &row : rows)
        if (hasDecimals(row.kind) && row.length < row.decimals + 1)
            message = 4052;
    for (const FieldRow &row : rows)
        if (trimmed(row.name).empty())
            message = 4054;
    std::set<std::string> seen;
    for (const FieldRow &row : rows)
        if (!seen.insert(trimmed(row.name)).second)
            message = 4056;
    return message;
}

namespace {

bool defineFields(engine::TDbfTable &table, const std::vector<FieldRow> &rows)
{
    for (const FieldRow &row : rows) {
        const bool ok = table.LagFelt(trimmed(row.name), letterOf(row.kind),
                                      static_cast<std::uint8_t>(std::clamp(row.length, 0, 255)),
                                      static_cast<std::uint8_t>(std::clamp(row.decimals, 0, 255)), 0);
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

bool engineAcceptsFields(const std::vector<FieldRow> &rows)
{
    // A scratch instance: the definition it builds is never turned into a file.
    engine::TDbfTable scratch;
    return !rows.empty() && defineFields(scratch, rows);
}

std::string withTableExtension(std::string_view chosen)
{
    const std::string name(chosen);
    if (name.empty())
        return name;
    return std::filesystem::path(name).has_extension() ? name : name + ".DBF";
}

std::filesystem::path wizardStartFolder(const core::TKonfig &konfig,
                                        const std::filesystem::path &programFolder)
{
    if (konfig.DefMappeJN)
        return trimmed(konfig.DefMappePATH.text());
    return programFolder;
}

void deleteTableFiles(const std::string &tableFile)
{
    auto fs = engine::posixFileSystem();
    fs->remove(tableFile);
    for (const char *ext : {".DBT", ".FPT", ".FOR", ".PRT"}) {
        const std::string companion = engine::replaceExtension(tableFile, ext);
        if (fs->exists(companion))
            fs->remove(companion);
    }
}

int createNewDatabase(const std::vector<FieldRow> &rows, std::string_view fileNameBox,
                      const ConfirmOverwrite &confirm)
{
    int message = checkFields(rows);
    if (message == 0 && !engineAcceptsFields(rows))
        message = kDefinitionTooLarge;
    const std::string fileName = trimmed(fileNameBox);
    auto fs = engine::posixFileSystem();
    // The question is only asked for a list that can be made, so that a
    // refused list never costs the user the files it would have replaced.
    if (message == 0 && !fileName.empty() && fs->exists(fileName)) {
        engine::TDbfTable probe;
        if (probe.IsFileInUse(fs->resolve(fileName)) || !confirm(fileName))
            message = 4060;
        else
            deleteTableFiles(fs->resolve(fileName));
    }
    if (fileName.empty())
        message = 4061;
    if (message != 0)
        return message;

    engine::TDbfTable NYDBF;
    defineFields(NYDBF, rows);
    NYDBF.LagDatabase(fileName, 0);
    if (!NYDBF.OpenDatabase(fileName, true, false))
        throw engine::DbfIoError("The new table " + fileName + " cannot be opened: " +
                                 NYDBF.lastErrorMessage());
    NYDBF.AppendBlank();
    NYDBF.Write(true);
    NYDBF.closedatabase();
    return 0;
}

} // namespace kvilbo::dialogs
