#pragma once

// TDbfTable: one dBASE/FoxPro table file, its memo file and one record buffer.
//
// Program strings are UTF-8; the files hold Windows-1252, converted at this
// class's boundary. Records are numbered from 1 for Go and RecNo and from 0 for
// Seek; fields from 1. Validation failures are reported through LVD (OnWarn)
// and a false or empty result; unexpected I/O failures throw DbfIoError.
//
// Sharing: an exclusive opener is refused while anyone has the table open, a
// shared opener while someone holds it exclusively (open-file-description
// locks, so closing one handle never drops another's). Writers of a shared
// table serialise through the write claim in header byte 14; the claim's
// read-test-write runs under an OS lock, so two processes never both hold it.
// The engine's own writes (Write, AppendBlank, MemoWrite) keep that OS lock for
// their whole short work when the claim is free, and release only a claim they
// took themselves. File names are matched without regard to case.
//
// Crash safety (kill at any moment): appends write the record and end byte
// before the header count; Write writes only the bytes that changed; memo text
// goes before the memo header and the pointer, and is rewritten in place only
// within one page; Pack gives the old files their backup names as second names,
// replaces each file in one rename and leaves a marker (table name +
// ".packing") that the next OpenDatabase completes. OpenDatabase accepts one
// uncounted record left by an interrupted append.
//
// Reading: sequential positioning is served from a read-ahead window (in a
// shared table only for 50 ms after it was read), so a scan does not cost one
// system call per record.

#include "engine/dbf_format.h"
#include "engine/file_io.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kvilbo::engine {

class MemoPacker;

class TDbfTable {
public:
    /// Warning notification: message text and whether it is an error.
    using TDBFWarn = std::function<void(const std::string &TekstMelding, bool Feilmelding)>;
    /// Error notification for invalid input to LagFelt and the field lookups.
    using TDBFError = std::function<void(const std::string &ErrorMsg)>;

    TDBFWarn OnWarn;   ///< raised by LVD with every engine message
    TDBFError OnError; ///< raised with an empty text on invalid field input

    /// A closed instance using the given file system (the real one by default).
    explicit TDbfTable(std::shared_ptr<FileSystem> fs = posixFileSystem());
    /// Closes an open table.
    ~TDbfTable();
    TDbfTable(const TDbfTable &) = delete;
    TDbfTable &operator=(const TDbfTable &) = delete;

    /// Replaces the clock used for claim stamps, claim ages and header dates.
    void setClock(std::function<DateTimeStamp()> clock);
    /// Replaces the wait used between claim attempts (milliseconds).
    void setSleeper(std::function<void(int ms)> sleeper);

    // Creation and opening
    /// Adds one field to the pending definition; false (and OnError) when invalid.
    bool LagFelt(const std::string &FeltNavn, char FeltType, std::uint8_t FeltLengde,
                 std::uint8_t FeltDes, std::uint8_t DatabaseType);
    /// Creates the table file (and memo file) from the pending definition; leaves the instance closed.
    void LagDatabase(const std::string &fname, std::uint8_t DatabaseType);
    /// Opens and validates a table; false with a message when it cannot be used.
    bool OpenDatabase(const std::string &Filnavn, bool eksklusivt, bool TvingLagManglendeMemo);
    /// Closes the table and its memo file, ending the file with 0x1A unless a live claim is set.
    void closedatabase();
    /// Re-reads the 32-byte header from the file (record count of other instances).
    void H_Refresh();

    // Header accessors
    /// Table file size in bytes; 0 when not open.
    std::int64_t FSize();
    /// Header length (offset of the first record).
    int Hlen() const;
    /// Record length including the flag byte.
    int Rlen() const;
    /// Version byte.
    std::uint8_t HType() const;
    /// True when the table was opened exclusively.
    bool IsExclusive() const;
    /// Stores a folder for the caller; not used by the engine.
    void exepath(const std::string &omrade);
    /// Reports a message: keeps it (and as error when TypeMelding) and raises OnWarn.
    void LVD(const std::string &tekst, bool TypeMelding);

    // State read by the program
    /// Full file name of the open table, empty when closed.
    const std::string &fileName() const { return FDBFName; }
    /// True when a table is open.
    bool isOpen() const { return FDBFIsOpened; }
    /// Number of fields of the open table.
    int fieldCount() const { return FDBFCountItems; }
    /// The header as last read or written.
    const TDBFHeader &header() const { return FDBFHeader; }
    /// Last message reported through LVD.
    const std::string &lastMessage() const { return FDBFLastMSG; }
    /// Last error message reported through LVD (empty after a non-error message).
    const std::string &lastErrorMessage() const { return FDBFLastERRMSG; }
    /// Memo file name of the open table, empty without memo file.
    const std::string &memoFileName() const { return FDBFmemoNavn; }
    /// The folder stored with exepath.
    const std::string &exeFolder() const { return FDBFexepath; }

    // Record access
    /// Makes record R (1-based) current and reads it.
    void Go(int R);
    /// Makes index r (0-based) current and reads it (also beyond the last record).
    void Seek(int r);
    /// Seek to the next index.
    void GotoNext();
    /// Seek to the previous index (nothing on the first).
    void GotoPrev();
    /// Go to record 1.
    void GotoStart();
    /// Go to the last record.
    void GotoEnd();
    /// Current record number; 0 when the table has no records.
    int RecNo() const;
    /// Number of records (numRecs).
    int RecCount() const;
    /// Number of records (numRecs).
    int GetRecordsCount() const;
    /// True when a table is open and has records.
    bool Records() const;
    /// True on the last record. (EOF is taken by the C library's macro.)
    bool Eof() const;

    // Values and writing
    /// Text of field FeltNr of the buffer; memo fields give their block number.
    std::string GetF(int FeltNr) const;
    /// Puts a value into the buffer field named Key, padded or cut to its length.
    void Store(const std::string &Key, const std::string &Rec);
    /// Writes the buffer to the current record, under the claim unless OverseCover;
    /// afterwards releases the claim if this instance holds it.
    bool Write(bool OverseCover);
    /// Appends one blank record under the claim and makes it current.
    void AppendBlank();
    /// Sets or clears the deletion flag of the current record in the file.
    void Delete(bool verdi);
    /// True when the buffer's flag byte is '*'.
    bool IsCurrentRecDeleted() const;
    /// True when the whole record contains SokeStreng, compared in upper case.
    bool KortSok(const std::string &SokeStreng) const;

    // Field descriptions
    /// Copy of descriptor Index; empty descriptor and OnError when out of range.
    TdbField GetField(int Index);
    /// Copy of the descriptor named Key; empty descriptor and OnError when none matches.
    TdbField GetFieldByName(const std::string &Key);
    /// Number of the field named FeltNavn, 0 when none matches.
    int FieldNumber(const std::string &FeltNavn) const;
    /// Trimmed upper-case name of field FeltNr.
    std::string FieldName(int FeltNr);
    /// Length of field FeltNr.
    int FieldLen(int FeltNr);
    /// Decimal places of field FeltNr.
    int FieldDes(int FeltNr);
    /// Norwegian type name of field FeltNr.
    std::string FieldType(int FeltNr);
    /// English type name of field FeltNr.
    std::string FieldTypeE(int FeltNr);

    // Memo files
    /// Creates an empty memo file of kind MemoType (0 FoxPro, 1 dBASE IV, 2 dBASE III).
    void MemoMake(const std::string &Filnavn, std::uint8_t MemoType);
    /// Memo text of field feltnummer of the current record (re-read from the file).
    std::string MemoRead(std::uint16_t feltnummer);
    /// Stores Innhold as the memo of field feltnummer of the current record, under the claim.
    void MemoWrite(std::uint16_t feltnummer, const std::string &Innhold);
    /// "EDITOR" when the field holds a memo, "editor" when it is empty.
    std::string MemoState(int FeltNrX) const;
    /// Memo block size, 0 without an open memo file.
    int MemoBlkSize() const;

    // Write claim and sharing
    /// Takes the write claim (waiting up to ten times 100 ms); false when refused.
    bool Cover();
    /// Releases the write claim, whoever took it.
    void UnCover();
    /// True when a live claim (flag 1, age 0..zombie time) is set.
    bool LegalCover();
    /// True when the claim flag is set.
    bool CoverCheck();
    /// With 0 returns the zombie time in seconds; otherwise sets it.
    std::uint16_t ZoombieTid(std::uint16_t msek);
    /// True when another opener keeps the file from being opened exclusively.
    bool IsFileInUse(const std::string &FileName);
    /// True when the file can be opened for reading and writing.
    bool FileExists_readwrite(const std::string &fname);

    // Pack and description
    /// Rewrites an exclusively open table without deleted records, keeping backups.
    void Pack();
    /// One description text of the open table, chosen by valg 1..10.
    std::string askdbf(std::uint8_t valg);
    /// 16 bytes of the table file at (linje - 1) * 16 as hexadecimal text.
    std::string HeaderStru(std::uint8_t linje);

private:
    enum class MemoOpen { Opened, Created, Missing };
    struct PackFiles {
        std::string table, tableTemp, tableBackup, memo, memoTemp, memoBackup, marker;
    };

    void resetState();
    bool failOpen(const std::string &message);
    std::uint64_t stableSize(std::uint8_t *head);
    void refreshHeaderFrom(const std::uint8_t *head);
    bool sizeMatchesHeader(std::uint64_t size) const;
    const char *readDescriptors(std::uint64_t fileSize);
    MemoOpen openMemo(bool eksklusivt, bool createMissing);
    void emptyAllMemoPointers();
    std::uint64_t recordOffset(std::int64_t index) const;
    void readRecordAt(std::int64_t index);
    void writeRecordBytes(std::int64_t index);
    void writeHeaderDate();
    const TdbField *fieldByName(std::string_view key, bool trimKey) const;
    bool validField(int FeltNr);
    std::uint32_t memoPointer(int FeltNr) const;
    void storeMemoPointer(int FeltNr, std::uint32_t block);
    std::string readMemoBytes(std::uint32_t block);
    void writeMemoLocked(std::uint16_t feltnummer, int record, const std::string &bytes);
    std::int64_t claimAgeSeconds(DateTimeStamp stamp) const;
    bool tryTakeClaim(bool allowTakeover, bool &tookOver);
    bool underClaim(const std::function<void()> &work);
    void writeCurrentRecord();
    void appendUnderClaim();
    void releaseOwnClaim();
    void ensureEndByte();
    void releaseClaimAfterFailure() noexcept;
    PackFiles packFiles() const;
    void writePackedFiles(const PackFiles &files);
    void repackMemos(std::uint8_t *record, MemoPacker &packer);
    void swapInPackedFiles(const PackFiles &files);
    void writeMarker(const PackFiles &files);
    void recoverInterruptedPack(const std::string &tablePath);

    std::shared_ptr<FileSystem> m_fs;
    std::function<DateTimeStamp()> m_clock;
    std::function<void(int)> m_sleeper;
    std::unique_ptr<File> m_file;
    std::unique_ptr<File> m_memoFile;
    MemoKind m_memoKind = MemoKind::FoxPro;
    std::vector<TdbField> m_pending; // fields defined by LagFelt, consumed by LagDatabase
    std::vector<std::uint8_t> m_scratch;
    std::vector<std::uint8_t> m_cache; // read-ahead window of an exclusive table
    std::int64_t m_cacheFirst = 0;
    std::int64_t m_cacheCount = 0;
    std::int64_t m_lastRead = -2;
    std::vector<std::uint8_t> m_diskCopy; // the current record as last read from or written to the file
    std::int64_t m_diskCopyIndex = -1;
    std::chrono::steady_clock::time_point m_cacheFilled; // when a shared table's window was read
    bool m_headerFresh = false; // m_lockedHeader was read when the claim was taken just now
    std::array<std::uint8_t, 32> m_lockedHeader{};
    bool m_countPending = false; // an append left its date and count for the claim's release to write
    bool m_ownsClaim = false;                // this instance took the claim and has not released it
    std::array<std::uint8_t, 8> m_claimStamp{}; // the stamp it wrote then

    std::string FDBFName;
    std::string FDBFOFName;
    std::string FDBFPath;
    std::string FDBFexepath;
    bool FDBFIsOpened = false;
    bool FDBFExist = false;
    bool FDBFExclusive = false;
    TDBFHeader FDBFHeader;
    std::vector<std::uint8_t> FDBFBuff;
    std::int64_t FDBFCurrRec = 0;
    int FDBFCountItems = 0;
    std::vector<TdbField> FDBFFields; // slot 0 unused, 1..kMaxFields
    bool FDBFmemo = false;
    std::string FDBFmemoNavn;
    std::string FDBFmemoType;
    bool FDBFmemo512type = false;
    int FDBFmemoBlkSize = 0;
    std::uint16_t FDBFzoombieTid = 30;
    std::string FDBFLastMSG;
    std::string FDBFLastERRMSG;
    bool FDBFndbfStart = false;
    int FDBFndbfFteller = 0;
    int FDBFndbfBteller = 0;
};

} // namespace kvilbo::engine
