#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvilbo::core {
class Texts;
}
namespace kvilbo::engine {
class TDbfTable;
}

// What the information window lists about the open database, worked out
// without a window so the rows can be checked directly.

namespace kvilbo::dialogs {

/// One row of a report list: the caption first, then the columns.
using InfoRow = std::vector<std::string>;

/// The three lists and the two name labels of the information window.
struct DatabaseInfo
{
    std::string name;              ///< table file name, upper case
    std::string fullName;          ///< table file with its folder
    std::vector<InfoRow> files;    ///< caption, file name, size, folder
    std::vector<InfoRow> mainTable; ///< caption, value
    std::vector<InfoRow> fields;   ///< number, name, type, length, decimals
};

/// Describes the open table DBF and the pictures of its layout table FORFIL (may be nullptr);
/// mountTable is the text of /proc/mounts (empty: no mount points are known).
DatabaseInfo describeDatabase(engine::TDbfTable &DBF, engine::TDbfTable *FORFIL,
                              const core::Texts &texts, std::string_view mountTable);

/// The system's mount table, empty when it cannot be read.
std::string readMountTable();

/// Size of a file in bytes (name matched without regard to case); -1 when there is none.
std::int64_t fileSizeOf(const std::string &path);

/// True for a UNC-style folder: two slashes or backslashes, then only valid path characters.
bool isUncPath(std::string_view folder);
/// The server and share part of a network folder (UNC, or on an SMB or NFS mount), or nullopt.
std::optional<std::string> networkDrivePart(std::string_view folder, std::string_view mountTable);

} // namespace kvilbo::dialogs
