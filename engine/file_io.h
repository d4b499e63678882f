#pragma once

// The engine's only door to the file system. Everything the table engine does
// with files goes through FileSystem and File, so tests can substitute a
// FileSystem whose files come short or fail at a chosen moment.

#include <cstdint>
#include <ctime>
#include <memory>
#include <stdexcept>
#include <string>

namespace kvilbo::engine {

/// An unexpected file input/output failure; the text names the file and the operation.
class DbfIoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// How a file is opened with regard to other openers (in this and other processes).
enum class ShareMode {
    Exclusive, ///< no other opener admitted, refused while anyone has it open
    Shared,    ///< other shared openers admitted, refused while someone holds it exclusively
    Unlocked   ///< no sharing lock at all (temporary and memo-creation files)
};

/// One open file, read and written at byte offsets.
class File {
public:
    virtual ~File() = default;
    /// Reads up to count bytes at offset; returns fewer only at the end of the file.
    virtual std::size_t readAt(std::uint64_t offset, void *data, std::size_t count) = 0;
    /// Writes exactly count bytes at offset or throws DbfIoError.
    virtual void writeAt(std::uint64_t offset, const void *data, std::size_t count) = 0;
    /// Current size in bytes.
    virtual std::uint64_t size() = 0;
    /// Cuts or extends the file to size bytes.
    virtual void truncate(std::uint64_t size) = 0;
    /// Forces written data to stable storage.
    virtual void sync() = 0;
    /// Waits for and takes the process-wide lock that makes claim updates indivisible.
    virtual void lockClaim() = 0;
    /// Releases the lock taken by lockClaim.
    virtual void unlockClaim() = 0;
    /// The path the file was opened under.
    virtual const std::string &path() const = 0;
};

/// Opens, creates, renames and probes files; names are matched without regard to case.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    /// Opens an existing file read-write; nullptr when the sharing mode is refused.
    virtual std::unique_ptr<File> open(const std::string &path, ShareMode mode) = 0;
    /// Creates (or truncates) a file read-write, reusing an existing name that differs only in case.
    virtual std::unique_ptr<File> create(const std::string &path) = 0;
    /// The existing file's actual name when one matches path without regard to case, else path.
    virtual std::string resolve(const std::string &path) = 0;
    /// True when a file matches path without regard to case.
    virtual bool exists(const std::string &path) = 0;
    /// Removes the file matching path; false when none existed or removal failed.
    virtual bool remove(const std::string &path) = 0;
    /// Renames from to to (replacing a file matching to); false on failure.
    virtual bool rename(const std::string &from, const std::string &to) = 0;
    /// Gives the content of from a second name to (which must not exist) while
    /// from stays; the default copies through open/create, the real file system
    /// makes a hard link. False on failure.
    virtual bool duplicate(const std::string &from, const std::string &to);
    /// Last-modified time; 0 when the file does not exist.
    virtual std::time_t modifiedTime(const std::string &path) = 0;
    /// True when the file exists and can be opened for reading and writing.
    virtual bool canOpenReadWrite(const std::string &path) = 0;
};

/// The real file system: POSIX files with open-file-description locks.
std::shared_ptr<FileSystem> posixFileSystem();

/// Name part of a path (after the last '/').
std::string fileNamePart(const std::string &path);
/// Folder part of a path including the trailing '/', empty when there is none.
std::string folderPart(const std::string &path);
/// The path with its extension (from the last '.' of the name part) replaced by ext.
std::string replaceExtension(const std::string &path, const std::string &ext);

} // namespace kvilbo::engine
