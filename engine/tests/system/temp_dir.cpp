#include "engine/tests/system/temp_dir.h"

#include <stdlib.h>

#include <stdexcept>
#include <system_error>

namespace kvilbo::engine::systemtest {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kvilbo-system-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void copyFolderFiles(const std::filesystem::path &from, const std::filesystem::path &to)
{
    for (const auto &entry : std::filesystem::directory_iterator(from)) {
        if (entry.is_regular_file())
            std::filesystem::copy_file(entry.path(), to / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
    }
}

} // namespace kvilbo::engine::systemtest
