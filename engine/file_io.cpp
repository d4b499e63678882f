#include "engine/file_io.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace kvilbo::engine {
namespace {

// Lock bytes far beyond any real data: locks are advisory and never touch
// the bytes themselves, so they cannot disturb reads and writes.
constexpr off_t kShareLockOffset = off_t{1} << 62;
constexpr off_t kClaimLockOffset = kShareLockOffset + 1;

std::string errnoText(const std::string &what, const std::string &path)
{
    return what + " '" + path + "': " + std::strerror(errno);
}

bool setOfdLock(int fd, short type, off_t offset, bool wait)
{
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = offset;
    fl.l_len = 1;
    for (;;) {
        if (::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl) == 0)
            return true;
        if (errno != EINTR)
            return false;
    }
}

bool sameIgnoringCase(const char *a, const std::string &b)
{
    std::size_t i = 0;
    for (; a[i] != '\0' && i < b.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return a[i] == '\0' && i == b.size();
}

class PosixFile final : public File {
public:
    PosixFile(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    ~PosixFile() override { ::close(m_fd); }

    std::size_t readAt(std::uint64_t offset, void *data, std::size_t count) override
    {
        auto *p = static_cast<char *>(data);
        std::size_t done = 0;
        while (done < count) {
            const ssize_t n = ::pread(m_fd, p + done, count - done, static_cast<off_t>(offset + done));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throw DbfIoError(errnoText("Cannot read file", m_path));
            }
            if (n == 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }

    void writeAt(std::uint64_t offset, const void *data, std::size_t count) override
    {
        const auto *p = static_cast<const char *>(data);
        std::size_t done = 0;
        while (done < count) {
            const ssize_t n = ::pwrite(m_fd, p + done, count - done, static_cast<off_t>(offset + done));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throw DbfIoError(errnoText("Cannot write file", m_path));
            }
            done += static_cast<std::size_t>(n);
        }
    }

    std::uint64_t size() override
    {
        struct stat st {};
        if (::fstat(m_fd, &st) != 0)
            throw DbfIoError(errnoText("Cannot get the size of file", m_path));
        return static_cast<std::uint64_t>(st.st_size);
    }

    void truncate(std::uint64_t size) override
    {
        if (::ftruncate(m_fd, static_cast<off_t>(size)) != 0)
            throw DbfIoError(errnoText("Cannot change the size of file", m_path));
    }

    void sync() override
    {
        if (::fsync(m_fd) != 0)
            throw DbfIoError(errnoText("Cannot flush file", m_path));
    }

    void lockClaim() override
    {
        if (!setOfdLock(m_fd, F_WRLCK, kClaimLockOffset, true))
            throw DbfIoError(errnoText("Cannot lock the write claim of", m_path));
    }

    void unlockClaim() override { setOfdLock(m_fd, F_UNLCK, kClaimLockOffset, false); }

    const std::string &path() const override { return m_path; }

private:
    int m_fd;
    std::string m_path;
};

class PosixFileSystem final : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string &path, ShareMode mode) override
    {
        const std::string real = resolve(path);
        const int fd = ::open(real.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0)
            return nullptr;
        if (mode != ShareMode::Unlocked) {
            const short type = mode == ShareMode::Exclusive ? F_WRLCK : F_RDLCK;
            if (!setOfdLock(fd, type, kShareLockOffset, false)) {
                ::close(fd);
                return nullptr;
            }
        }
        return std::make_unique<PosixFile>(fd, real);
    }

    std::unique_ptr<File> create(const std::string &path) override
    {
        const std::string real = resolve(path);
        const int fd = ::open(real.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0)
            throw DbfIoError(errnoText("Cannot create file", real));
        return std::make_unique<PosixFile>(fd, real);
    }

    std::string resolve(const std::string &path) override
    {
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0)
            return path;
        const std::string folder = folderPart(path);
        const std::string name = fileNamePart(path);
        DIR *dir = ::opendir(folder.empty() ? "." : folder.c_str());
        if (!dir)
            return path;
        std::string found;
        while (const dirent *e = ::readdir(dir)) {
            if (sameIgnoringCase(e->d_name, name)) {
                found = folder + e->d_name;
                break;
            }
        }
        ::closedir(dir);
        return found.empty() ? path : found;
    }

    bool exists(const std::string &path) override
    {
        struct stat st {};
        return ::stat(resolve(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }

    bool remove(const std::string &path) override
    {
        if (!exists(path))
            return false;
        return ::unlink(resolve(path).c_str()) == 0;
    }

    bool rename(const std::string &from, const std::string &to) override
    {
        return ::rename(resolve(from).c_str(), resolve(to).c_str()) == 0;
    }

    bool duplicate(const std::string &from, const std::string &to) override
    {
        if (::link(resolve(from).c_str(), resolve(to).c_str()) == 0)
            return true;
        // File systems without hard links get a copy.
        return FileSystem::duplicate(from, to);
    }

    std::time_t modifiedTime(const std::string &path) override
    {
        struct stat st {};
        if (::stat(resolve(path).c_str(), &st) != 0)
            return 0;
        return st.st_mtime;
    }

    bool canOpenReadWrite(const std::string &path) override
    {
        const int fd = ::open(resolve(path).c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0)
            return false;
        ::close(fd);
        return true;
    }
};

} // namespace

bool FileSystem::duplicate(const std::string &from, const std::string &to)
{
    try {
        auto in = open(from, ShareMode::Unlocked);
        if (!in)
            return false;
        auto out = create(to);
        std::vector<char> buffer(1 << 20);
        for (std::uint64_t at = 0;;) {
            const std::size_t got = in->readAt(at, buffer.data(), buffer.size());
            if (got == 0)
                break;
            out->writeAt(at, buffer.data(), got);
            at += got;
        }
        out->sync();
        return true;
    } catch (const DbfIoError &) {
        return false;
    }
}

std::shared_ptr<FileSystem> posixFileSystem()
{
    static const auto fs = std::make_shared<PosixFileSystem>();
    return fs;
}

std::string fileNamePart(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderPart(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string replaceExtension(const std::string &path, const std::string &ext)
{
    const std::string name = fileNamePart(path);
    const auto dot = name.find_last_of('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    return folderPart(path) + stem + ext;
}

} // namespace kvilbo::engine
