#include "engine/dbf_format.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <limits>

namespace kvilbo::engine {

std::uint32_t getLe(const std::uint8_t *p, int n)
{
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

void putLe(std::uint8_t *p, std::uint32_t v, int n)
{
    for (int i = 0; i < n; ++i, v >>= 8)
        p[i] = static_cast<std::uint8_t>(v & 0xFF);
}

std::uint32_t getBe(const std::uint8_t *p, int n)
{
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | p[i];
    return v;
}

void putBe(std::uint8_t *p, std::uint32_t v, int n)
{
    for (int i = n - 1; i >= 0; --i, v >>= 8)
        p[i] = static_cast<std::uint8_t>(v & 0xFF);
}

Block32 encodeHeader(const TDBFHeader &h)
{
    Block32 b{};
    b[0] = h.version;
    b[1] = h.year;
    b[2] = h.month;
    b[3] = h.day;
    putLe(&b[4], static_cast<std::uint32_t>(h.numRecs), 4);
    putLe(&b[8], h.headLen, 2);
    putLe(&b[10], h.recLen, 2);
    putLe(&b[12], h.nets, 2);
    b[14] = h.transaction;
    b[15] = h.encrypted;
    std::copy(h.network.begin(), h.network.end(), b.begin() + 16);
    b[28] = h.mdxfile;
    b[29] = h.LangDrv;
    putLe(&b[30], h.labeled, 2);
    return b;
}

TDBFHeader decodeHeader(const std::uint8_t *b)
{
    TDBFHeader h;
    h.version = b[0];
    h.year = b[1];
    h.month = b[2];
    h.day = b[3];
    h.numRecs = static_cast<std::int32_t>(getLe(&b[4], 4));
    h.headLen = static_cast<std::uint16_t>(getLe(&b[8], 2));
    h.recLen = static_cast<std::uint16_t>(getLe(&b[10], 2));
    h.nets = static_cast<std::uint16_t>(getLe(&b[12], 2));
    h.transaction = b[14];
    h.encrypted = b[15];
    std::copy(b + 16, b + 28, h.network.begin());
    h.mdxfile = b[28];
    h.LangDrv = b[29];
    h.labeled = static_cast<std::uint16_t>(getLe(&b[30], 2));
    return h;
}

Block32 encodeField(const TdbField &f)
{
    Block32 b{};
    std::copy(f.name.begin(), f.name.end(), b.begin());
    b[11] = static_cast<std::uint8_t>(f.what);
    putLe(&b[12], f.offset, 2);
    putLe(&b[14], f.offuse, 2);
    b[16] = f.len;
    b[17] = f.places;
    b[18] = f.idxtyp;
    b[19] = f.idxsrt;
    b[20] = f.dfIdent;
    std::copy(f.idx.begin(), f.idx.end(), b.begin() + 21);
    return b;
}

TdbField decodeField(const std::uint8_t *b)
{
    TdbField f;
    std::copy(b, b + 11, f.name.begin());
    f.what = static_cast<char>(b[11]);
    f.offset = static_cast<std::uint16_t>(getLe(&b[12], 2));
    f.offuse = static_cast<std::uint16_t>(getLe(&b[14], 2));
    f.len = b[16];
    f.places = b[17];
    f.idxtyp = b[18];
    f.idxsrt = b[19];
    f.dfIdent = b[20];
    std::copy(b + 21, b + 32, f.idx.begin());
    return f;
}

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20)
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20)
        s.remove_suffix(1);
    return s;
}

std::string upperAscii(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string storedFieldName(const TdbField &f)
{
    std::string_view raw(f.name.data(), f.name.size());
    raw = raw.substr(0, raw.find('\0'));
    return upperAscii(trimBlanks(raw));
}

bool isAcceptedVersion(std::uint8_t v)
{
    switch (v) {
    case 0x02: case 0x03: case 0x04: case 0x05: case 0x30: case 0x31:
    case 0x32: case 0x43: case 0x63: case 0x7B: case 0x83: case 0x8B:
    case 0xCB: case 0xF5: case 0xE5: case 0xEB: case 0xFB:
        return true;
    default:
        return false;
    }
}

MemoKind memoKindForVersion(std::uint8_t v)
{
    if (v == 0x30 || v == 0x31 || v == 0x32 || v == 0xF5)
        return MemoKind::FoxPro;
    if (v == 0x02 || v == 0x83)
        return MemoKind::DBase3;
    return MemoKind::DBase4;
}

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

constexpr std::int64_t kUnixToStampDays = 25569; // 1899-12-30 .. 1970-01-01

} // namespace

DateTimeStamp makeStamp(int year, int month, int day, int hour, int minute, int second, int ms)
{
    const double days = static_cast<double>(daysFromCivil(year, month, day) + kUnixToStampDays);
    const double frac = (hour * 3600.0 + minute * 60.0 + second + ms / 1000.0) / 86400.0;
    return days + frac;
}

DateTimeStamp releaseStamp()
{
    return makeStamp(2000, 1, 1, 1, 1, 1, 10);
}

DateTimeStamp localNow()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    const int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm tm{};
    localtime_r(&t, &tm);
    return makeStamp(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                     tm.tm_sec, ms);
}

CivilDate civilDate(DateTimeStamp stamp)
{
    std::int64_t z = static_cast<std::int64_t>(std::floor(stamp)) - kUnixToStampDays + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
    return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

} // namespace kvilbo::engine

namespace kvilbo::engine {

std::array<std::uint8_t, kMemoHeaderSize> memoFileHeader(MemoKind kind)
{
    std::array<std::uint8_t, kMemoHeaderSize> h{};
    if (kind == MemoKind::FoxPro) {
        putBe(&h[0], 8, 4);
        putBe(&h[6], 64, 2);
    } else {
        putLe(&h[0], 1, 4);
        h[16] = kind == MemoKind::DBase3 ? 0x03 : 0x00;
        putLe(&h[20], 512, 2);
    }
    return h;
}

std::vector<std::uint8_t> memoBlockImage(MemoKind kind, std::uint32_t blockSize, std::string_view text)
{
    const std::uint64_t length = text.size();
    const std::uint64_t needed = kind == MemoKind::DBase3 ? length + 2 : length + 8;
    const std::uint64_t blocks = (needed + blockSize - 1) / blockSize;
    std::vector<std::uint8_t> image(blocks * blockSize, 0);
    std::uint8_t *p = image.data();
    if (kind == MemoKind::FoxPro) {
        putBe(p, 1, 4);
        putBe(p + 4, static_cast<std::uint32_t>(length), 4);
        p += 8;
    } else if (kind == MemoKind::DBase4) {
        p[0] = 0xFF;
        p[1] = 0xFF;
        p[2] = 0x08;
        p[3] = 0x00;
        putLe(p + 4, static_cast<std::uint32_t>(needed), 4);
        p += 8;
    }
    std::copy(text.begin(), text.end(), p);
    if (kind == MemoKind::DBase3) {
        p[length] = kEofByte;
        p[length + 1] = kEofByte;
    }
    return image;
}

std::uint32_t memoBlockSize(MemoKind kind, const std::uint8_t *h)
{
    if (kind == MemoKind::FoxPro) {
        const std::uint32_t w = getBe(h + 6, 2);
        if (w == 0)
            return 1;
        return w <= 32 ? w * 512 : w;
    }
    if (kind == MemoKind::DBase4) {
        const std::uint32_t w = getLe(h + 20, 2);
        if (w == 0)
            return 0;
        return w < 64 ? w * 512 : w;
    }
    return 512;
}

namespace {

// Decimal pointer text: leading and trailing blanks allowed, anything else is no pointer.
std::uint32_t parseDecimalPointer(const std::uint8_t *p, std::size_t n)
{
    std::size_t i = 0;
    while (i < n && (p[i] == ' ' || p[i] == 0))
        ++i;
    std::uint64_t value = 0;
    std::size_t digits = 0;
    for (; i < n && p[i] >= '0' && p[i] <= '9'; ++i, ++digits) {
        value = value * 10 + (p[i] - '0');
        if (value > std::numeric_limits<std::uint32_t>::max())
            return 0;
    }
    for (; i < n; ++i)
        if (p[i] != ' ' && p[i] != 0)
            return 0;
    return digits > 0 ? static_cast<std::uint32_t>(value) : 0;
}

} // namespace

std::uint32_t pointerFromBytes(const std::uint8_t *p, std::size_t len)
{
    if (len == 4)
        return (p[0] == ' ' && p[1] == ' ' && p[2] == ' ' && p[3] == ' ') ? 0 : getLe(p, 4);
    if (len == 10)
        return parseDecimalPointer(p, 10);
    return 0;
}

std::uint32_t firstMemoBlock(std::uint32_t blockSize)
{
    return static_cast<std::uint32_t>((kMemoHeaderSize + blockSize - 1) / blockSize);
}

} // namespace kvilbo::engine
