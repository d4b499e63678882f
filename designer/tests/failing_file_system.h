#pragma once

// The real file system, except that one chosen write to files ending in a
// suffix fails, as a full or briefly unreachable disk does.

#include "engine/dbf_table.h"
#include "engine/file_io.h"

#include <memory>
#include <string>

namespace kvilbo::designer::test {

class OneFailingWrite : public engine::FileSystem {
public:
    /// Write number failAt (counted from 0 once armed) to a file ending in suffix fails.
    OneFailingWrite(std::string suffix, std::shared_ptr<int> countdown)
        : m_real(engine::posixFileSystem()), m_suffix(std::move(suffix)), m_countdown(std::move(countdown)) {}

    std::unique_ptr<engine::File> open(const std::string &path, engine::ShareMode mode) override
    {
        return wrap(m_real->open(path, mode));
    }
    std::unique_ptr<engine::File> create(const std::string &path) override { return wrap(m_real->create(path)); }
    std::string resolve(const std::string &path) override { return m_real->resolve(path); }
    bool exists(const std::string &path) override { return m_real->exists(path); }
    bool remove(const std::string &path) override { return m_real->remove(path); }
    bool rename(const std::string &from, const std::string &to) override { return m_real->rename(from, to); }
    std::time_t modifiedTime(const std::string &path) override { return m_real->modifiedTime(path); }
    bool canOpenReadWrite(const std::string &path) override { return m_real->canOpenReadWrite(path); }

private:
    class File : public engine::File {
    public:
        File(std::unique_ptr<engine::File> real, std::shared_ptr<int> countdown)
            : m_real(std::move(real)), m_countdown(std::move(countdown)) {}
        std::size_t readAt(std::uint64_t o, void *d, std::size_t n) override { return m_real->readAt(o, d, n); }
        void writeAt(std::uint64_t o, const void *d, std::size_t n) override
        {
            // A negative countdown is disarmed; 0 is the failing write.
            if (*m_countdown >= 0 && (*m_countdown)-- == 0)
                throw engine::DbfIoError("write failed (test): " + path());
            m_real->writeAt(o, d, n);
        }
        std::uint64_t size() override { return m_real->size(); }
        void truncate(std::uint64_t size) override { m_real->truncate(size); }
        void sync() override { m_real->sync(); }
        void lockClaim() override { m_real->lockClaim(); }
        void unlockClaim() override { m_real->unlockClaim(); }
        const std::string &path() const override { return m_real->path(); }

    private:
        std::unique_ptr<engine::File> m_real;
        std::shared_ptr<int> m_countdown;
    };

    std::unique_ptr<engine::File> wrap(std::unique_ptr<engine::File> real)
    {
        if (!real)
            return real;
        const std::string &p = real->path();
        if (p.size() < m_suffix.size() || p.compare(p.size() - m_suffix.size(), m_suffix.size(), m_suffix) != 0)
            return real;
        return std::make_unique<File>(std::move(real), m_countdown);
    }

    std::shared_ptr<engine::FileSystem> m_real;
    std::string m_suffix;
    std::shared_ptr<int> m_countdown;
};

} // namespace kvilbo::designer::test
