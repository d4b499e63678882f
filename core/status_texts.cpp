#include "core/status_texts.h"

#include "core/messages.h"

#include <cctype>

namespace kvilbo::core {

namespace {

constexpr int kNoDatabase = 2100;
constexpr int kNoShow = 2101;
constexpr int kListView = 2092;
constexpr int kCardView = 2093;
constexpr int kAscending = 2094;
constexpr int kDescending = 2095;
constexpr int kRecordOrder = 2096;
constexpr int kExclusive = 2097;
constexpr int kMarked = 2105;

std::string upper(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

StatusBarState noDatabaseState(const Texts &texts)
{
    StatusBarState s;
    s.noDatabase = true;
    s.headertekst = {texts.ss(kNoDatabase), false};
    s.visningtekst = {texts.ss(kNoShow), false};
    s.sorttekst = {std::string(" "), false};
    s.label2 = {texts.ss(kExclusive), false};
    s.Label66 = {texts.ss(kMarked), false};
    s.sLabel3 = {std::string("000"), false};
    s.nkort = {std::string("000000"), false};
    s.akort = {std::string("000000"), false};
    s.clearNotice = true;
    return s;
}

} // namespace

std::string zeroPad(long long n, int width)
{
    std::string digits = std::to_string(n < 0 ? 0 : n);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

std::string fieldHint(char type, int length, int decimals, bool listView, const Texts &texts)
{
    switch (type) {
    case 'C': return texts.ss(2017, {std::to_string(length)});
    case 'D': return texts.ss(listView ? 2013 : 2014);
    case 'N':
    case 'F': return texts.ss(2015, {std::to_string(length), std::to_string(decimals)});
    case 'L': return texts.ss(2016);
    case 'M': return texts.ss(listView ? 2011 : 2012);
    default: return {};
    }
}

StatusBarState statusFor(const StatusInputs &in, const Texts &texts)
{
    if (!in.tableOpen || in.recordCount <= 0)
        return noDatabaseState(texts);

    StatusBarState s;
    s.noDatabase = false;
    s.headertekst = {"  " + upper(in.fileName), true};
    s.visningtekst = {texts.ss(in.listView ? kListView : kCardView), true};
    if (in.sort) {
        const int direction = in.sort->sortType == 1 ? kAscending : kDescending;
        s.sorttekst = {zeroPad(in.sort->fieldNumber, 3) + " " + in.sort->fieldName + " "
                           + texts.ss(direction),
                       true};
    } else {
        s.sorttekst = {texts.ss(kRecordOrder), true};
    }
    s.label2 = {texts.ss(kExclusive), in.exclusive};
    s.Label66 = {std::nullopt, in.currentMarked};
    s.sLabel3 = {std::nullopt, true};
    s.nkort = {in.Verdi > 0 ? std::optional<std::string>(zeroPad(in.Verdi, 6)) : std::nullopt,
               true};
    s.akort = {zeroPad(in.recordCount, 6), true};
    return s;
}

} // namespace kvilbo::core
