#include "dialogs/database_info.h"

#include "core/messages.h"
#include "engine/dbf_table.h"
#include "layout/layout_fields.h"

#include <QString>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kvilbo::dialogs {
namespace {

namespace fs = std::filesystem;

std::string upperText(const std::string &s)
{
    return QString::fromStdString(s).toUpper().toStdString();
}

std::string trimmed(const std::string &s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string threeDigits(int n)
{
    char text[16];
    std::snprintf(text, sizeof text, "%03d", n);
    return text;
}

bool validPathChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 32 && std::string_view("<>\"|?*").find(c) == std::string_view::npos;
}

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

// Mount table fields escape blanks and other bytes as backslash and three octal digits.
std::string unescapeMountField(std::string_view field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string_view digits = field.substr(i + 1, 3);
            if (digits.size() == 3 && digits.find_first_not_of("01234567") == std::string_view::npos) {
                out += static_cast<char>(std::stoi(std::string(digits), nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool isNetworkFsType(const std::string &type)
{
    return type == "cifs" || type == "smb3" || type == "smbfs" || type == "nfs" || type == "nfs4";
}

bool isUnder(const std::string &folder, const std::string &mountPoint)
{
    if (mountPoint == "/")
        return true;
    return folder.starts_with(mountPoint) &&
           (folder.size() == mountPoint.size() || folder[mountPoint.size()] == '/');
}

struct Context
{
    engine::TDbfTable &DBF;
    const core::Texts &texts;
    std::string folder;     // the table's folder without a trailing separator
    std::string notUsed;    // "<" + text 2830 + ">"
    std::optional<std::string> network;
};

std::string inFolder(const Context &c, const std::string &name)
{
    return (fs::path(c.folder) / name).string();
}

void addFileRows(const Context &c, DatabaseInfo &info, std::int64_t &total)
{
    const std::string table = engine::fileNamePart(c.DBF.fileName());
    auto add = [&](int caption, const std::string &name, std::int64_t size) {
        info.files.push_back({c.texts.ss(caption), name, std::to_string(size), c.folder});
        total += size;
    };
    add(1201, upperText(table), fileSizeOf(inFolder(c, table)));
    for (const auto &[caption, ext] : {std::pair{1202, ".for"}, std::pair{1203, ".prt"}}) {
        const std::string name = upperText(engine::replaceExtension(table, ext));
        add(caption, name, fileSizeOf(inFolder(c, name)));
    }
    if (!c.DBF.memoFileName().empty()) {
        const std::string memo = upperText(c.DBF.askdbf(8));
        add(1204, memo, fileSizeOf(inFolder(c, memo)));
    } else {
        info.files.push_back({c.texts.ss(1204), c.notUsed, "0", c.folder});
    }
}

InfoRow pictureRow(const Context &c, const std::string &source, std::int64_t &total)
{
    std::string path = source;
    for (char &ch : path)
        if (ch == '\\')
            ch = '/';
    const std::string name = upperText(engine::fileNamePart(path));
    const std::string missing = c.folder + " " + c.texts.ss(1290);
    if (path.find('/') == std::string::npos) {
        const std::int64_t size = fileSizeOf(inFolder(c, path));
        if (size < 0)
            return {"", name, "0", missing};
        total += size;
        return {"", name, std::to_string(size), c.folder};
    }
    if (c.network)
        return {"", name, "0", c.texts.ss(1280, {name, c.folder})};
    // A folder in the picture's name is taken from the table's folder when it is relative.
    const fs::path where = fs::path(path).is_absolute() ? fs::path(path) : fs::path(c.folder) / path;
    const std::int64_t size = fileSizeOf(where.string());
    if (size < 0)
        return {"", name, "0", missing};
    total += size;
    return {"", name, std::to_string(size), where.parent_path().string()};
}

void addPictureRows(const Context &c, engine::TDbfTable *FORFIL, DatabaseInfo &info,
                    std::int64_t &total)
{
    const std::size_t first = info.files.size();
    if (FORFIL != nullptr && FORFIL->isOpen()) {
        const int current = FORFIL->RecNo();
        for (int r = 1; r <= FORFIL->RecCount(); ++r) {
            FORFIL->Go(r);
            if (FORFIL->IsCurrentRecDeleted() || trimmed(FORFIL->GetF(layout::FormType)) != "2" ||
                trimmed(FORFIL->GetF(layout::ObjType)) != "4")
                continue;
            const std::string source = trimmed(FORFIL->GetF(layout::ObjRefTxt));
            if (source.starts_with("[INTERNTBILDE"))
                continue;
            InfoRow row = pictureRow(c, source, total);
            row[0] = info.files.size() == first ? c.texts.ss(1210) : " - ";
            info.files.push_back(std::move(row));
        }
        if (current > 0)
            FORFIL->Go(current);
    }
    if (info.files.size() == first)
        info.files.push_back({c.texts.ss(1210), c.notUsed, "0", ""});
}

void addMainRows(const Context &c, DatabaseInfo &info)
{
    engine::TDbfTable &t = c.DBF;
    const bool memo = !t.memoFileName().empty();
    const std::string bytes = " " + c.texts.ss(1345);
    const std::int64_t expected = static_cast<std::int64_t>(t.Rlen()) * t.RecCount() + t.Hlen() + 1;
    const std::string location =
        c.network ? c.texts.ss(1283) + *c.network : c.texts.ss(1282);
    auto add = [&](int caption, std::string value) {
        info.mainTable.push_back({c.texts.ss(caption), std::move(value)});
    };
    add(1000, upperText(engine::fileNamePart(t.fileName())));
    add(1281, location);
    add(1001, std::to_string(t.RecCount()));
    add(1002, std::to_string(t.fieldCount()));
    add(1301, t.askdbf(5));
    add(1302, t.askdbf(6));
    add(1303, t.askdbf(10));
    add(1304, memo ? t.askdbf(7) : c.notUsed);
    add(1310, "");
    add(1312, std::to_string(t.Hlen()) + bytes);
    add(1314, std::to_string(t.Rlen()) + bytes);
    add(1316, std::to_string(expected) + bytes);
    add(1318, std::to_string(t.FSize()) + bytes);
    add(1320, c.texts.ss(expected == t.FSize() ? 2840 : 2841));
    add(1330, t.HeaderStru(1));
    add(1332, t.HeaderStru(2));
    add(1334, t.HeaderStru(3));
    add(1340, memo ? std::to_string(t.MemoBlkSize()) : c.notUsed);
}

void addFieldRows(const Context &c, DatabaseInfo &info)
{
    engine::TDbfTable &t = c.DBF;
    const bool english = c.texts.spraak() == 1;
    for (int i = 1; i <= t.fieldCount(); ++i)
        info.fields.push_back({threeDigits(i), t.FieldName(i), english ? t.FieldTypeE(i) : t.FieldType(i),
                               std::to_string(t.FieldLen(i)), std::to_string(t.FieldDes(i))});
}

} // namespace

std::int64_t fileSizeOf(const std::string &path)
{
    const std::string actual = engine::posixFileSystem()->resolve(path);
    std::error_code ec;
    if (!fs::is_regular_file(actual, ec))
        return -1;
    const auto size = fs::file_size(actual, ec);
    return ec ? -1 : static_cast<std::int64_t>(size);
}

bool isUncPath(std::string_view folder)
{
    if (folder.size() < 3 || !isSeparator(folder[0]) || !isSeparator(folder[1]) || isSeparator(folder[2]))
        return false;
    for (const char c : folder)
        if (!validPathChar(c))
            return false;
    return true;
}

std::optional<std::string> networkDrivePart(std::string_view folder, std::string_view mountTable)
{
    if (isUncPath(folder)) {
        // Server and share: up to the separator after the share name.
        const auto server = folder.find_first_of("/\\", 2);
        if (server == std::string_view::npos)
            return std::string(folder);
        const auto share = folder.find_first_of("/\\", server + 1);
        return std::string(folder.substr(0, share));
    }
    const std::string path(folder);
    std::istringstream lines{std::string(mountTable)};
    std::string line, best, source;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint, type;
        if (!(fields >> device >> mountPoint >> type))
            continue;
        mountPoint = unescapeMountField(mountPoint);
        if (isUnder(path, mountPoint) && mountPoint.size() >= best.size()) {
            best = mountPoint;
            source = isNetworkFsType(type) ? unescapeMountField(device) : std::string();
        }
    }
    if (source.empty())
        return std::nullopt;
    return source;
}

std::string readMountTable()
{
    std::ifstream in("/proc/mounts", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

DatabaseInfo describeDatabase(engine::TDbfTable &DBF, engine::TDbfTable *FORFIL,
                              const core::Texts &texts, std::string_view mountTable)
{
    DatabaseInfo info;
    std::string folder = engine::folderPart(DBF.fileName());
    if (folder.size() > 1 && isSeparator(folder.back()))
        folder.pop_back();
    Context c{DBF, texts, folder, "<" + texts.ss(2830) + ">", networkDrivePart(folder, mountTable)};
    info.name = upperText(engine::fileNamePart(DBF.fileName()));
    info.fullName = DBF.fileName();
    std::int64_t total = 0;
    addFileRows(c, info, total);
    addPictureRows(c, FORFIL, info, total);
    info.files.push_back({texts.ss(1205), "", std::to_string(total), ""});
    addMainRows(c, info);
    addFieldRows(c, info);
    return info;
}

} // namespace kvilbo::dialogs
