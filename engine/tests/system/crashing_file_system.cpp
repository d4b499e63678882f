#include "engine/tests/system/crashing_file_system.h"

#include <signal.h>

namespace kvilbo::engine::systemtest {

namespace {

// The kernel copies a write page by page and a SIGKILL can stop it between
// two pages; within one page a write lands whole or not at all.
constexpr std::uint64_t kPageSize = 4096;

class ChangeCounter {
public:
    explicit ChangeCounter(long crashAt) : m_crashAt(crashAt) {}
    /// Counts one crash point; true when the process is to die there.
    bool reached() { return ++m_changes == m_crashAt; }
    void beforeChange()
    {
        if (reached())
            raise(SIGKILL);
    }

private:
    long m_crashAt;
    long m_changes = 0;
};

class CrashingFile : public File {
public:
    CrashingFile(std::unique_ptr<File> inner, std::shared_ptr<ChangeCounter> counter)
        : m_inner(std::move(inner)), m_counter(std::move(counter))
    {
    }
    std::size_t readAt(std::uint64_t offset, void *data, std::size_t count) override
    {
        return m_inner->readAt(offset, data, count);
    }
    void writeAt(std::uint64_t offset, const void *data, std::size_t count) override
    {
        m_counter->beforeChange();
        // A write reaching over a page boundary has a second crash point: torn
        // after its first page.
        const std::uint64_t firstPageEnd = (offset / kPageSize + 1) * kPageSize;
        if (offset + count > firstPageEnd && m_counter->reached()) {
            m_inner->writeAt(offset, data, firstPageEnd - offset);
            raise(SIGKILL);
        }
        m_inner->writeAt(offset, data, count);
    }
    std::uint64_t size() override { return m_inner->size(); }
    void truncate(std::uint64_t size) override
    {
        m_counter->beforeChange();
        m_inner->truncate(size);
    }
    void sync() override
    {
        m_counter->beforeChange();
        m_inner->sync();
    }
    void lockClaim() override { m_inner->lockClaim(); }
    void unlockClaim() override { m_inner->unlockClaim(); }
    const std::string &path() const override { return m_inner->path(); }

private:
    std::unique_ptr<File> m_inner;
    std::shared_ptr<ChangeCounter> m_counter;
};

class CrashingFileSystem : public FileSystem {
public:
    explicit CrashingFileSystem(long crashAt)
        : m_inner(posixFileSystem()), m_counter(std::make_shared<ChangeCounter>(crashAt))
    {
    }
    std::unique_ptr<File> open(const std::string &path, ShareMode mode) override
    {
        return wrap(m_inner->open(path, mode));
    }
    std::unique_ptr<File> create(const std::string &path) override
    {
        m_counter->beforeChange();
        return wrap(m_inner->create(path));
    }
    std::string resolve(const std::string &path) override { return m_inner->resolve(path); }
    bool exists(const std::string &path) override { return m_inner->exists(path); }
    bool remove(const std::string &path) override
    {
        m_counter->beforeChange();
        return m_inner->remove(path);
    }
    bool rename(const std::string &from, const std::string &to) override
    {
        m_counter->beforeChange();
        return m_inner->rename(from, to);
    }
    std::time_t modifiedTime(const std::string &path) override { return m_inner->modifiedTime(path); }
    bool canOpenReadWrite(const std::string &path) override { return m_inner->canOpenReadWrite(path); }

private:
    std::unique_ptr<File> wrap(std::unique_ptr<File> file)
    {
        if (!file)
            return file;
        return std::make_unique<CrashingFile>(std::move(file), m_counter);
    }

    std::shared_ptr<FileSystem> m_inner;
    std::shared_ptr<ChangeCounter> m_counter;
};

} // namespace

std::shared_ptr<FileSystem> crashingFileSystem(long crashAt)
{
    return std::make_shared<CrashingFileSystem>(crashAt);
}

} // namespace kvilbo::engine::systemtest
