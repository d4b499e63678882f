#pragma once

// Shared helpers of the engine tests: a temporary folder, whole-file access,
// a controllable clock and a file system whose operations can be made to fail.

#include "engine/dbf_table.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace kvilbo::engine::test {

using Bytes = std::vector<std::uint8_t>;

/// A temporary folder removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvilbo-engine-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    /// Path of a file in the folder.
    std::string file(const std::string &name) const { return m_path + "/" + name; }
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

inline Bytes readBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string &path, const Bytes &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes slice(const Bytes &b, std::size_t at, std::size_t n)
{
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + n));
}

inline Bytes ascii(const std::string &s)
{
    return Bytes(s.begin(), s.end());
}

/// A clock the test sets; starts at 2024-05-17 12:00:00.
struct FakeClock {
    DateTimeStamp now = makeStamp(2024, 5, 17, 12, 0, 0, 0);
    void advanceSeconds(double s) { now += s / 86400.0; }
};

/// A table with a fake clock and a sleeper that advances it instead of waiting.
inline void useFakeTime(TDbfTable &t, FakeClock &clock, std::function<void(int)> onSleep = {})
{
    t.setClock([&clock] { return clock.now; });
    t.setSleeper([&clock, onSleep](int ms) {
        clock.advanceSeconds(ms / 1000.0);
        if (onSleep)
            onSleep(ms);
    });
}

/// Wraps the real file system; hooks decide which reads come short and which writes or renames fail.
class FaultyFileSystem : public FileSystem {
public:
    std::function<bool(const std::string &path, std::uint64_t offset)> failWrite;
    std::function<bool(const std::string &from, const std::string &to)> failRename;
    std::function<bool(const std::string &path, std::uint64_t offset)> shortRead;

    std::unique_ptr<File> open(const std::string &path, ShareMode mode) override
    {
        auto f = m_real->open(path, mode);
        return f ? std::make_unique<FaultyFile>(std::move(f), *this) : nullptr;
    }
    std::unique_ptr<File> create(const std::string &path) override
    {
        return std::make_unique<FaultyFile>(m_real->create(path), *this);
    }
    std::string resolve(const std::string &p) override { return m_real->resolve(p); }
    bool exists(const std::string &p) override { return m_real->exists(p); }
    bool remove(const std::string &p) override { return m_real->remove(p); }
    bool rename(const std::string &from, const std::string &to) override
    {
        if (failRename && failRename(from, to))
            return false;
        return m_real->rename(from, to);
    }
    std::time_t modifiedTime(const std::string &p) override { return m_real->modifiedTime(p); }
    bool canOpenReadWrite(const std::string &p) override { return m_real->canOpenReadWrite(p); }

private:
    class FaultyFile : public File {
    public:
        FaultyFile(std::unique_ptr<File> f, FaultyFileSystem &fs) : m_f(std::move(f)), m_fs(fs) {}
        std::size_t readAt(std::uint64_t o, void *d, std::size_t n) override
        {
            if (m_fs.shortRead && m_fs.shortRead(m_f->path(), o))
                n = n / 2;
            return m_f->readAt(o, d, n);
        }
        void writeAt(std::uint64_t o, const void *d, std::size_t n) override
        {
            if (m_fs.failWrite && m_fs.failWrite(m_f->path(), o))
                throw DbfIoError("injected write failure on " + m_f->path());
            m_f->writeAt(o, d, n);
        }
        std::uint64_t size() override { return m_f->size(); }
        void truncate(std::uint64_t s) override { m_f->truncate(s); }
        void sync() override { m_f->sync(); }
        void lockClaim() override { m_f->lockClaim(); }
        void unlockClaim() override { m_f->unlockClaim(); }
        const std::string &path() const override { return m_f->path(); }

    private:
        std::unique_ptr<File> m_f;
        FaultyFileSystem &m_fs;
    };

    std::shared_ptr<FileSystem> m_real = posixFileSystem();
};

/// Defines fields with LagFelt: each entry name, type letter, length, decimals.
struct FieldDef {
    const char *name;
    char type;
    int len;
    int places;
};

inline void createTable(TDbfTable &t, const std::string &path, std::uint8_t type,
                        const std::vector<FieldDef> &fields)
{
    for (const FieldDef &f : fields)
        t.LagFelt(f.name, f.type, static_cast<std::uint8_t>(f.len), static_cast<std::uint8_t>(f.places), type);
    t.LagDatabase(path, type);
}

} // namespace kvilbo::engine::test
