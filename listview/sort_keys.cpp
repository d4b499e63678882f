#include "listview/sort_keys.h"

#include "engine/cp1252.h"
#include "engine/dbf_format.h"
#include "listview/record_store.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace kvilbo::listview {

namespace {

// Letters in collation order; each byte of a group weighs the same (cp1252).
constexpr const char *kLetterGroups[] = {
    "aA\xE0\xE1\xE2\xE3\xC0\xC1\xC2\xC3\xAA", "bB", "cC\xE7\xC7", "dD\xF0\xD0",
    "eE\xE8\xE9\xEA\xEB\xC8\xC9\xCA\xCB", "fF\x83", "gG", "hH", "iI\xEC\xED\xEE\xEF\xCC\xCD\xCE\xCF",
    "jJ", "kK", "lL", "mM", "nN\xF1\xD1", "oO\xF2\xF3\xF4\xF5\xD2\xD3\xD4\xD5\xBA\x9C\x8C", "pP", "qQ",
    "rR", "sS\x9A\x8A\xDF", "tT\xFE\xDE", "uU\xF9\xFA\xFB\xD9\xDA\xDB", "vV", "wW", "xX",
    "yY\xFC\xDC\xFD\xDD\xFF\x9F", "zZ\x9E\x8E", "\xE6\xC6\xE4\xC4", "\xF8\xD8\xF6\xD6", "\xE5\xC5",
};

std::array<std::uint8_t, 256> buildWeights()
{
    std::array<std::uint8_t, 256> w{};
    std::array<bool, 256> letter{};
    for (const char *group : kLetterGroups)
        for (const char *p = group; *p; ++p)
            letter[static_cast<std::uint8_t>(*p)] = true;
    std::uint8_t next = 1;
    for (int b = 1; b < 256; ++b) // everything that is not a letter, in byte order, first
        if (!letter[static_cast<std::size_t>(b)])
            w[static_cast<std::size_t>(b)] = next++;
    for (const char *group : kLetterGroups) {
        for (const char *p = group; *p; ++p)
            w[static_cast<std::uint8_t>(*p)] = next;
        ++next;
    }
    return w;
}

const std::array<std::uint8_t, 256> kWeights = buildWeights();

enum Cls : std::uint8_t { Blank = 0, Number = 1, Date = 2, Text = 3 };

// One record's key. Numbers and dates keep their value in k1 as order-preserving
// bits; texts keep their first 16 collation weights in k1 and k2, so the rest of
// the text is looked at only for long common beginnings.
struct Item {
    std::uint64_t k1;
    std::uint64_t k2;
    std::uint32_t rec; // record number - 1
    std::uint32_t pos; // row before the sort: equal keys keep their order
    std::uint8_t cls;
};

std::uint64_t orderedBits(double v)
{
    if (v == 0)
        v = 0; // -0 and 0 are equal
    std::uint64_t u = 0;
    std::memcpy(&u, &v, sizeof u);
    return (u & 0x8000000000000000ull) ? ~u : (u | 0x8000000000000000ull);
}

constexpr std::size_t kInline = 16;

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\0'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0'))
        s.remove_suffix(1);
    return s;
}

bool validDate(int y, int m, int d)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1900 || y > 2178 || m < 1 || m > 12 || d < 1)
        return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= days[m - 1] + (m == 2 && leap ? 1 : 0);
}

bool digits(std::string_view s, int &v)
{
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size() && s.front() != '-';
}

// Stored number text ("  -12.50"): blanks read as 0, as the display does.
bool storedNumber(std::string_view s, double &v)
{
    s = trim(s);
    if (s.empty()) {
        v = 0;
        return true;
    }
    char buf[64];
    const std::size_t n = std::min(s.size(), sizeof buf);
    for (std::size_t i = 0; i < n; ++i)
        buf[i] = s[i] == ',' ? '.' : s[i];
    const char *first = buf[0] == '+' ? buf + 1 : buf;
    const auto [end, ec] = std::from_chars(first, buf + n, v);
    return ec == std::errc() && end == buf + n;
}

// Weights of display into k1, k2 and tail (the weights past the first kInline).
void textKey(std::string_view display, std::uint8_t *tail, std::size_t width, std::uint64_t &k1, std::uint64_t &k2)
{
    std::uint8_t out[256 + kInline];
    const std::size_t n = std::min(display.size(), width);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = kWeights[static_cast<std::uint8_t>(display[i])];
    std::memset(out + n, 0, width - n);
    k1 = k2 = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        k1 = (k1 << 8) | out[i];
        k2 = (k2 << 8) | out[8 + i];
    }
    std::memcpy(tail, out + kInline, width - kInline);
}

// Key class and value of one cell whose display text is display (cp1252).
std::uint8_t textCellKey(std::string_view display, const SortSpec &sortSpec, double &num)
{
    if (display.empty())
        return Blank;
    if (readLocaleNumber(display, sortSpec.spraak == 1 ? '.' : ',', num))
        return Number;
    if (readLocaleDate(display, sortSpec.DefAarHundre, num))
        return Date;
    return Text;
}

struct Keys {
    std::vector<Item> items; // one per record, in record order
    std::vector<std::uint8_t> text; // width - kInline bytes per record, text cells only
    std::size_t width = 0;
    std::size_t tail() const { return width - kInline; }
};

// Keys are read in record order, so the record bytes are walked front to back
// whatever the rows' order is.
Keys buildKeys(const std::vector<std::int32_t> &order, RecordStore &store, const engine::TdbField &f,
               const SortSpec &sortSpec)
{
    Keys k;
    const bool textual = f.what != 'N' && f.what != 'F' && f.what != 'D' && f.what != 'L' && f.what != 'M';
    k.width = std::max<std::size_t>(kInline, textual ? f.len : 0);
    const std::size_t n = order.size();
    k.items.resize(n);
    for (std::size_t row = 0; row < n; ++row)
        k.items[static_cast<std::size_t>(order[row] - 1)].pos = static_cast<std::uint32_t>(row);
    if (textual || f.what == 'N' || f.what == 'F')
        k.text.resize(n * k.tail() + 1);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t *rec = store.record(static_cast<int>(i) + 1);
        const std::string_view stored(reinterpret_cast<const char *>(rec + f.offset), f.len);
        Item &it = k.items[i];
        double num = 0;
        it.k1 = it.k2 = 0;
        it.rec = static_cast<std::uint32_t>(i);
        it.cls = Number;
        switch (f.what) {
        case 'N':
        case 'F':
            if (!storedNumber(stored, num)) { // damaged: shown (and sorted) as stored text
                it.cls = trim(stored).empty() ? Blank : Text;
                textKey(trim(stored), &k.text[i * k.tail()], k.width, it.k1, it.k2);
            }
            break;
        case 'D': {
            int y = 0, m = 0, d = 0;
            const bool ok = digits(stored.substr(0, 4), y) && digits(stored.substr(4, 2), m)
                            && digits(stored.substr(6, 2), d) && validDate(y, m, d);
            it.cls = ok ? Date : Blank; // the empty date form counts as blank
            num = y * 10000.0 + m * 100 + d;
            break;
        }
        case 'L': {
            const char c = stored.empty() ? ' ' : stored[0];
            const bool yes = c != '\0' && std::strchr("JTYjty", c) != nullptr;
            // "Ja " before "Nei"; "No " before "Yes".
            num = sortSpec.spraak == 1 ? (yes ? 1 : 0) : (yes ? 0 : 1);
            break;
        }
        case 'M':
            break; // "EDITOR" and "editor" are equal without regard to case
        default: {
            const std::string_view display = trim(stored);
            it.cls = textCellKey(display, sortSpec, num);
            if (it.cls == Text)
                textKey(display, &k.text[i * k.tail()], k.width, it.k1, it.k2);
        }
        }
        if (it.cls == Number || it.cls == Date)
            it.k1 = orderedBits(num);
    }
    return k;
}

} // namespace

std::uint8_t collationWeight(std::uint8_t b) { return kWeights[b]; }

std::string collationKey(const QString &text)
{
    const std::string bytes = engine::toCp1252(text.toStdString());
    std::string key(bytes.size(), '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        key[i] = static_cast<char>(kWeights[static_cast<std::uint8_t>(bytes[i])]);
    return key;
}

bool readLocaleNumber(std::string_view text, char decSep, double &value)
{
    text = trim(text);
    char buf[64];
    if (text.empty() || text.size() >= sizeof buf)
        return false;
    std::size_t n = 0;
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-')
        buf[n++] = text[i++];
    bool anyDigit = false;
    bool sep = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            buf[n++] = c;
        } else if (c == decSep && !sep) {
            sep = true;
            buf[n++] = '.';
        } else {
            break;
        }
    }
    if (!anyDigit)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        buf[n++] = 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            buf[n++] = text[i++];
        const std::size_t expStart = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            buf[n++] = text[i++];
        if (i == expStart)
            return false;
    }
    if (i != text.size())
        return false;
    const char *first = buf[0] == '+' ? buf + 1 : buf;
    const auto [end, ec] = std::from_chars(first, buf + n, value);
    return ec == std::errc() && end == buf + n;
}

bool readLocaleDate(std::string_view text, int DefAarHundre, double &value)
{
    text = trim(text);
    const auto p1 = text.find('.');
    const auto p2 = p1 == std::string_view::npos ? p1 : text.find('.', p1 + 1);
    if (p2 == std::string_view::npos)
        return false;
    const std::string_view ds = text.substr(0, p1), ms = text.substr(p1 + 1, p2 - p1 - 1),
                           ys = text.substr(p2 + 1);
    int d = 0, m = 0, y = 0;
    if (ds.size() > 2 || ms.size() > 2 || (ys.size() != 2 && ys.size() != 4) || !digits(ds, d)
        || !digits(ms, m) || !digits(ys, y))
        return false;
    if (ys.size() == 2)
        y += DefAarHundre;
    if (!validDate(y, m, d))
        return false;
    value = y * 10000.0 + m * 100 + d;
    return true;
}

std::vector<std::int32_t> sortedOrder(const std::vector<std::int32_t> &order, RecordStore &store,
                                      const engine::TdbField &f, const SortSpec &sortSpec)
{
    Keys k = buildKeys(order, store, f, sortSpec);
    const std::uint8_t *text = k.text.data();
    const std::size_t w = k.tail();
    // Blanks first (by their row), then the key, then the row: a stable result
    // from the faster unstable sort.
    std::sort(k.items.begin(), k.items.end(), [text, w](const Item &a, const Item &b) {
        if (a.cls != b.cls)
            return a.cls < b.cls;
        if (a.k1 != b.k1)
            return a.k1 < b.k1;
        if (a.k2 != b.k2)
            return a.k2 < b.k2;
        if (a.cls == Text && w > 0) {
            const int c = std::memcmp(text + std::size_t{a.rec} * w, text + std::size_t{b.rec} * w, w);
            if (c != 0)
                return c < 0;
        }
        return a.pos < b.pos;
    });
    const auto blankEnd = std::partition_point(k.items.begin(), k.items.end(),
                                               [](const Item &it) { return it.cls == Blank; });
    if (!sortSpec.blanksFirst)
        std::rotate(k.items.begin(), blankEnd, k.items.end());
    std::vector<std::int32_t> out;
    out.reserve(order.size());
    for (const Item &it : k.items)
        out.push_back(static_cast<std::int32_t>(it.rec) + 1);
    if (!sortSpec.ascending)
        std::reverse(out.begin(), out.end());
    return out;
}

} // namespace kvilbo::listview
