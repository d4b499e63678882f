#include "cp1252.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace kvilbo::engine {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes cp1252 leaves unassigned.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The UTF-8 bytes of one code point, padded to four bytes so that a whole
// entry can be stored at once and the output pointer moved on by length.
struct Utf8Sequence {
    char bytes[3];
    std::uint8_t length;
};
static_assert(sizeof(Utf8Sequence) == 4);

constexpr Utf8Sequence utf8Of(char32_t cp)
{
    if (cp < 0x80)
        return {{static_cast<char>(cp), 0, 0}, 1};
    if (cp < 0x800)
        return {{static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F)), 0}, 2};
    return {{static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
             static_cast<char>(0x80 | (cp & 0x3F))},
            3};
}

constexpr std::array<Utf8Sequence, 256> makeUtf8Table()
{
    std::array<Utf8Sequence, 256> table{};
    for (char32_t b = 0; b < 256; ++b) {
        char32_t cp = b;
        if (b >= 0x80 && b < 0xA0)
            cp = kHighControls[b - 0x80] != 0 ? kHighControls[b - 0x80] : char32_t{0xFFFD};
        table[b] = utf8Of(cp);
    }
    return table;
}

// Decoding is a table look-up per byte: building each sequence from its code
// point, appending byte by byte, was most of the time of a whole-table scan.
constexpr std::array<Utf8Sequence, 256> kUtf8Of = makeUtf8Table();

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

std::uint64_t load8(const std::uint8_t *p)
{
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}

std::uint32_t load4(const std::uint8_t *p)
{
    std::uint32_t word;
    std::memcpy(&word, p, 4);
    return word;
}

// Most field values are plain ASCII and are returned as they stand; short
// ones are looked at with overlapping loads instead of byte by byte.
bool allAscii(const std::uint8_t *p, std::size_t n)
{
    if (n >= 8) {
        std::uint64_t seen = load8(p + n - 8);
        for (std::size_t i = 0; i + 8 <= n; i += 8)
            seen |= load8(p + i);
        return (seen & kHighBits) == 0;
    }
    if (n >= 4)
        return ((load4(p) | load4(p + n - 4)) & 0x80808080u) == 0;
    if (n == 0)
        return true;
    return ((p[0] | p[n / 2] | p[n - 1]) & 0x80) == 0;
}

// Writes the UTF-8 form of n bytes at out, which must have room for three
// bytes more than the result; returns the end of the result.
char *decodeInto(const std::uint8_t *in, std::size_t n, char *out)
{
    std::size_t i = 0;
    while (i + 8 <= n) {
        const std::uint64_t word = load8(in + i);
        const std::uint64_t high = word & kHighBits;
        if (high == 0) {
            std::memcpy(out, &word, 8);
            out += 8;
            i += 8;
            continue;
        }
        if constexpr (std::endian::native == std::endian::little) {
            // The ASCII bytes before the first high one go out with the whole
            // word; the eight input bytes left make at least eight output
            // bytes, so the store stays inside the result.
            const auto ascii = static_cast<std::size_t>(std::countr_zero(high) / 8);
            std::memcpy(out, &word, 8);
            out += ascii;
            i += ascii;
            std::memcpy(out, &kUtf8Of[in[i]], 4);
            out += kUtf8Of[in[i]].length;
            ++i;
        } else {
            for (const std::size_t end = i + 8; i < end; ++i) {
                std::memcpy(out, &kUtf8Of[in[i]], 4);
                out += kUtf8Of[in[i]].length;
            }
        }
    }
    for (; i < n; ++i) {
        std::memcpy(out, &kUtf8Of[in[i]], 4);
        out += kUtf8Of[in[i]].length;
    }
    return out;
}

// Values up to this length are decoded on the stack and copied out once;
// longer ones (memos) are measured first and decoded in place.
constexpr std::size_t kStackInput = 256;

// Kept out of fromCp1252, so that the plain ASCII values do not pay for
// setting up the stack buffer.
std::string decodeMixed(const std::uint8_t *in, std::size_t n)
{
    if (n <= kStackInput) {
        char buffer[3 * kStackInput + 3];
        return std::string(buffer, decodeInto(in, n, buffer));
    }
    std::size_t size = 0;
    for (std::size_t i = 0; i < n; ++i)
        size += kUtf8Of[in[i]].length;
    std::string out(size + 3, '\0');
    decodeInto(in, n, out.data());
    out.resize(size);
    return out;
}

char encodeCodePoint(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

// Decodes one UTF-8 sequence at pos; malformed input yields U+FFFD and
// consumes one byte, so the loop always advances.
char32_t decodeUtf8(std::string_view s, std::size_t &pos)
{
    const auto b0 = static_cast<std::uint8_t>(s[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (b0 < 0x80) {
        ++pos;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + extra >= s.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<std::uint8_t>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += 1 + extra;
    return cp;
}

} // namespace

std::string toCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();)
        out += encodeCodePoint(decodeUtf8(utf8, pos));
    return out;
}

std::string fromCp1252(std::string_view bytes)
{
    const auto *in = reinterpret_cast<const std::uint8_t *>(bytes.data());
    if (allAscii(in, bytes.size()))
        return std::string(bytes);
    return decodeMixed(in, bytes.size());
}

} // namespace kvilbo::engine
