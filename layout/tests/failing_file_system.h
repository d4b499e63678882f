#pragma once

#include "engine/file_io.h"

#include <memory>
#include <string>

namespace kvilbo::layout::test {

/// The real file system, except that files whose names end with suffix
/// accept only a given number of writes between them and then fail.
class FailingFileSystem : public engine::FileSystem {
public:
    FailingFileSystem(std::string suffix, int writesBeforeFailure);

    std::unique_ptr<engine::File> open(const std::string &path, engine::ShareMode mode) override;
    std::unique_ptr<engine::File> create(const std::string &path) override;
    std::string resolve(const std::string &path) override { return m_real->resolve(path); }
    bool exists(const std::string &path) override { return m_real->exists(path); }
    bool remove(const std::string &path) override { return m_real->remove(path); }
    bool rename(const std::string &from, const std::string &to) override { return m_real->rename(from, to); }
    std::time_t modifiedTime(const std::string &path) override { return m_real->modifiedTime(path); }
    bool canOpenReadWrite(const std::string &path) override { return m_real->canOpenReadWrite(path); }

private:
    std::shared_ptr<engine::FileSystem> m_real;
    std::string m_suffix;
    std::shared_ptr<int> m_writesLeft;
};

} // namespace kvilbo::layout::test
