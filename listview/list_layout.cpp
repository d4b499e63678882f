#include "listview/list_layout.h"

#include "engine/dbf_table.h"
#include "layout/layout_fields.h"

#include <charconv>
#include <stdexcept>

namespace kvilbo::listview {

namespace {

using layout::Felt;

std::string trimmed(const std::string &s)
{
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

bool toInt(const std::string &text, long long &value)
{
    const std::string t = trimmed(text);
    const char *first = t.data();
    if (!t.empty() && t[0] == '+')
        ++first;
    const auto [end, ec] = std::from_chars(first, t.data() + t.size(), value);
    return !t.empty() && ec == std::errc() && end == t.data() + t.size();
}

long long intOr(const std::string &text, long long fallback)
{
    long long v = 0;
    return toInt(text, v) ? v : fallback;
}

int strictInt(engine::TDbfTable &t, Felt f, const char *name)
{
    long long v = 0;
    const std::string text = t.GetF(f);
    if (!toInt(text, v))
        throw std::invalid_argument(std::string("List layout ") + name + " '" + trimmed(text)
                                    + "' is not an integer");
    return static_cast<int>(v);
}

void readAppearance(engine::TDbfTable &FORFIL, ListLayout &out)
{
    FORFIL.Go(1);
    const std::string font = trimmed(FORFIL.GetF(Felt::ObjFontN));
    if (FORFIL.RecCount() < 1 || font.empty())
        return;
    layout::ListViewState &s = out.state;
    out.hasAppearance = true;
    s.fontName = font;
    s.fontSize = static_cast<int>(intOr(FORFIL.GetF(Felt::ObjFontS), 8));
    s.horizontalLines = trimmed(FORFIL.GetF(Felt::ObjJust)) == "1";
    s.verticalLines = trimmed(FORFIL.GetF(Felt::ObjRamme)) == "1";
    s.bold = trimmed(FORFIL.GetF(Felt::ObjFontF)) == "T";
    s.italic = trimmed(FORFIL.GetF(Felt::ObjFontK)) == "T";
    s.underline = trimmed(FORFIL.GetF(Felt::ObjFontU)) == "T";
    s.fontColour = static_cast<std::uint32_t>(intOr(FORFIL.GetF(Felt::ObjFtxt), 0)) & 0xFFFFFFu;
    s.gridColour = static_cast<std::uint32_t>(intOr(FORFIL.GetF(Felt::ObjFbg), 0)) & 0xFFFFFFu;
    s.rowHeight = static_cast<int>(intOr(FORFIL.GetF(Felt::ObjHoyde), 21));
}

int findHeader(engine::TDbfTable &FORFIL)
{
    for (int r = 1; r <= FORFIL.RecCount(); ++r) {
        FORFIL.Go(r);
        // With the header deletion-marked the first live FormType 1 record is a
        // column; taking it for the header would read every column one record off.
        if (!FORFIL.IsCurrentRecDeleted() && trimmed(FORFIL.GetF(Felt::FormType)) == "1"
            && trimmed(FORFIL.GetF(Felt::ObjType)) == "1")
            return r;
    }
    return 0;
}

layout::ListColumnState defaultColumn(engine::TDbfTable &DBF, int c)
{
    return {c, 0, DBF.FieldName(c)};
}

} // namespace

ListLayout readListLayout(engine::TDbfTable &FORFIL, engine::TDbfTable &DBF)
{
    ListLayout out;
    const int n = DBF.fieldCount();
    if (FORFIL.isOpen()) {
        readAppearance(FORFIL, out);
        const int header = findHeader(FORFIL);
        out.headerFound = header > 0;
        for (int c = 1; out.headerFound && c <= n; ++c) {
            // A layout made for a table with fewer fields has no column record for
            // the last columns: they show their own field with the default width.
            if (header + c <= FORFIL.RecCount())
                FORFIL.Go(header + c);
            if (header + c > FORFIL.RecCount() || trimmed(FORFIL.GetF(Felt::FormType)) != "1"
                || trimmed(FORFIL.GetF(Felt::ObjType)) != "2") {
                out.state.columns.push_back(defaultColumn(DBF, c));
                out.defaultWidth.push_back(true);
                continue;
            }
            layout::ListColumnState col;
            col.heading = trimmed(FORFIL.GetF(Felt::ObjRefTxt));
            col.fieldNumber = strictInt(FORFIL, Felt::ObjRefNr, "ObjRefNr");
            col.width = strictInt(FORFIL, Felt::ObjBredde, "ObjBredde");
            const bool ownField = col.fieldNumber >= 1 && col.fieldNumber <= n;
            if (!ownField)
                col = defaultColumn(DBF, c);
            out.state.columns.push_back(col);
            out.defaultWidth.push_back(!ownField);
        }
    }
    if (!out.headerFound)
        for (int c = 1; c <= n; ++c) {
            out.state.columns.push_back(defaultColumn(DBF, c));
            out.defaultWidth.push_back(true);
        }
    return out;
}

} // namespace kvilbo::listview
