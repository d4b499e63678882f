#pragma once

#include <filesystem>
#include <string>

namespace kvilbo::engine::systemtest {

/// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    /// Path of `name` inside the folder.
    std::string file(const std::string &name) const { return (m_path / name).string(); }
    /// The folder itself.
    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

/// Copies every file of `from` into `to` (replacing existing ones).
void copyFolderFiles(const std::filesystem::path &from, const std::filesystem::path &to);

} // namespace kvilbo::engine::systemtest
