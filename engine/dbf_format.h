#pragma once

// On-disk layout of dBASE/FoxPro tables and memo files. Structures are decoded
// from and encoded to explicit little-endian byte arrays, never overlaid on
// raw memory, so a damaged file can only ever produce odd values.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvilbo::engine {

/// The 32-byte table header as stored at offset 0 of a table file.
struct TDBFHeader {
    std::uint8_t version = 0;      ///< table kind (accepted version byte)
    std::uint8_t year = 0;         ///< last change, year modulo 100
    std::uint8_t month = 0;        ///< last change, 1..12
    std::uint8_t day = 0;          ///< last change, 1..31
    std::int32_t numRecs = 0;      ///< number of records
    std::uint16_t headLen = 0;     ///< offset of the first record
    std::uint16_t recLen = 0;      ///< record length including the flag byte
    std::uint16_t nets = 0;        ///< reserved, carried over
    std::uint8_t transaction = 0;  ///< write claim flag (1 = claimed)
    std::uint8_t encrypted = 0;    ///< reserved
    std::array<std::uint8_t, 12> network{}; ///< bytes 16..27; 20..27 hold the claim stamp
    std::uint8_t mdxfile = 0;      ///< 0x02 when created with a memo field
    std::uint8_t LangDrv = 0;      ///< language driver (code page) id
    std::uint16_t labeled = 0;     ///< reserved
};

/// One 32-byte field descriptor.
struct TdbField {
    std::array<char, 11> name{};   ///< upper case, zero padded (cp1252 bytes)
    char what = 0;                 ///< type letter
    std::uint16_t offset = 0;      ///< position within the record (flag byte is 0)
    std::uint16_t offuse = 0;      ///< reserved
    std::uint8_t len = 0;          ///< field length in bytes
    std::uint8_t places = 0;       ///< decimal places of N and F
    std::uint8_t idxtyp = 0;       ///< reserved
    std::uint8_t idxsrt = 0;       ///< reserved
    std::uint8_t dfIdent = 0;      ///< reserved
    std::array<char, 11> idx{};    ///< reserved
};

using Block32 = std::array<std::uint8_t, 32>;

/// Encodes a header into its 32 stored bytes.
Block32 encodeHeader(const TDBFHeader &h);
/// Decodes 32 stored bytes into a header.
TDBFHeader decodeHeader(const std::uint8_t *bytes);
/// Encodes a descriptor into its 32 stored bytes.
Block32 encodeField(const TdbField &f);
/// Decodes 32 stored bytes into a descriptor.
TdbField decodeField(const std::uint8_t *bytes);

/// Stored field name: bytes up to the first zero byte, blanks trimmed, a-z upper-cased (cp1252).
std::string storedFieldName(const TdbField &f);
/// Trims characters up to and including the space at both ends.
std::string_view trimBlanks(std::string_view s);
/// Upper-cases a-z only, as field names are compared.
std::string upperAscii(std::string_view s);

/// True for the version bytes a table may carry.
bool isAcceptedVersion(std::uint8_t version);

/// The three memo file kinds; the numbers are the creation types.
enum class MemoKind { FoxPro = 0, DBase4 = 1, DBase3 = 2 };
/// The memo kind a version byte implies.
MemoKind memoKindForVersion(std::uint8_t version);

// Offsets and constants of the formats.
inline constexpr std::uint8_t kTerminator = 0x0D;
inline constexpr std::uint8_t kEofByte = 0x1A;
inline constexpr std::uint8_t kLiveFlag = 0x20;
inline constexpr std::uint8_t kDeletedFlag = 0x2A;
inline constexpr int kFoxProExtra = 263;
inline constexpr int kMaxFields = 256;
inline constexpr std::uint64_t kClaimFlagOffset = 14;
inline constexpr std::uint64_t kClaimStampOffset = 20;
inline constexpr std::uint64_t kMemoHeaderSize = 512;

/// The 512-byte header of a new, empty memo file of the kind.
std::array<std::uint8_t, kMemoHeaderSize> memoFileHeader(MemoKind kind);
/// Whole blocks holding one memo as stored at its first block (block header, text, zero fill).
std::vector<std::uint8_t> memoBlockImage(MemoKind kind, std::uint32_t blockSize, std::string_view text);
/// Block size of a memo file from its header; 0 when the header gives none (dBASE IV word 0).
std::uint32_t memoBlockSize(MemoKind kind, const std::uint8_t *header512);
/// Block number held in a memo field's bytes: 4-byte binary (four spaces = 0) or decimal text.
std::uint32_t pointerFromBytes(const std::uint8_t *p, std::size_t len);
/// First block that lies after the 512-byte header.
std::uint32_t firstMemoBlock(std::uint32_t blockSize);

/// Reads a little-endian integer of N bytes.
std::uint32_t getLe(const std::uint8_t *p, int n);
/// Writes a little-endian integer of N bytes.
void putLe(std::uint8_t *p, std::uint32_t v, int n);
/// Reads a big-endian integer of N bytes.
std::uint32_t getBe(const std::uint8_t *p, int n);
/// Writes a big-endian integer of N bytes.
void putBe(std::uint8_t *p, std::uint32_t v, int n);

/// A local date and time as days since 1899-12-30, the stamp format of the claim.
using DateTimeStamp = double;
/// The release stamp 2000-01-01 01:01:01.010.
DateTimeStamp releaseStamp();
/// Current local time as a stamp.
DateTimeStamp localNow();
/// Local calendar date of a stamp.
struct CivilDate { int year; int month; int day; };
CivilDate civilDate(DateTimeStamp stamp);
/// Stamp of a local date and time.
DateTimeStamp makeStamp(int year, int month, int day, int hour, int minute, int second, int ms);

} // namespace kvilbo::engine
