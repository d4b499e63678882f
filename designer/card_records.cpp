#include "designer/card_records.h"

#include "designer/design_rules.h"

#include "engine/cp1252.h"
#include "engine/dbf_table.h"
#include "layout/layout_fields.h"

#include <cstring>
#include <optional>

namespace kvilbo::designer {

namespace {

using namespace layout;

std::optional<long long> integerOf(const QString &text)
{
    bool ok = false;
    const long long v = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<long long>(v) : std::nullopt;
}

int intOr(const QString &text, int fallback)
{
    const auto v = integerOf(text);
    return v && *v >= INT32_MIN && *v <= INT32_MAX ? static_cast<int>(*v) : fallback;
}

std::uint32_t colourOf(const QString &text)
{
    const auto v = integerOf(text);
    return v ? static_cast<std::uint32_t>(static_cast<unsigned long long>(*v) & 0xFFFFFFu) : 0u;
}

bool flagOf(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0).toUpper();
    return c == QLatin1Char('J') || c == QLatin1Char('T') || c == QLatin1Char('Y');
}

class RecordText {
public:
    explicit RecordText(engine::TDbfTable &t) : m_t(t) {}
    QString operator()(Felt f) const { return QString::fromStdString(m_t.GetF(f)); }
    int number(Felt f, int fallback = 0) const { return intOr((*this)(f), fallback); }

private:
    engine::TDbfTable &m_t;
};

void readGeometry(const RecordText &rec, DesignObject &o)
{
    o.top = rec.number(ObjLinje);
    o.left = rec.number(ObjKol);
    o.height = rec.number(ObjHoyde);
    o.width = rec.number(ObjBredde);
}

void readLook(const RecordText &rec, DesignObject &o, int defaultSize)
{
    const int just = rec.number(ObjJust);
    o.align = just == 1 ? ObjectAlign::Right : just == 2 ? ObjectAlign::Centre : ObjectAlign::Left;
    o.fontName = rec(ObjFontN).trimmed();
    o.fontSize = rec.number(ObjFontS, defaultSize);
    o.underline = flagOf(rec(ObjFontU));
    o.italic = flagOf(rec(ObjFontK));
    o.bold = flagOf(rec(ObjFontF));
    o.textColour = colourOf(rec(ObjFtxt));
    o.backgroundColour = colourOf(rec(ObjFbg));
}

std::string tf(bool on)
{
    return on ? "T" : "F";
}

void writeGeometry(LayoutRecord &r, const DesignObject &o)
{
    r.set(ObjLinje, o.top).set(ObjKol, o.left).set(ObjHoyde, o.height).set(ObjBredde, o.width);
}

void writeLook(LayoutRecord &r, const DesignObject &o)
{
    r.set(ObjJust, static_cast<long long>(o.align))
        .set(ObjFontN, o.fontName.trimmed().toStdString())
        .set(ObjFontS, o.fontSize)
        .set(ObjFontF, tf(o.bold))
        .set(ObjFontU, tf(o.underline))
        .set(ObjFontK, tf(o.italic))
        .set(ObjFtxt, static_cast<long long>(o.textColour & 0xFFFFFFu))
        .set(ObjFbg, static_cast<long long>(o.backgroundColour & 0xFFFFFFu));
}

LayoutRecord recordOf(const DesignObject &o)
{
    switch (o.kind) {
    case ObjectKind::TextBox: {
        LayoutRecord r(form::Side, 3);
        writeGeometry(r, o);
        writeLook(r, o);
        r.set(ObjRefTxt, o.text.trimmed().toStdString()).set(ObjBackS, o.transparent ? 1 : 0);
        r.set(ObjUtseen, "0").set(ObjRefNr, "301").set(ObjHendel, "00").set(ObjRO, "0");
        r.set(ObjTabNr, "000").set(ObjEksL1, "F").set(ObjEksN1, "0");
        return r;
    }
    case ObjectKind::Picture: {
        LayoutRecord r(form::Side, 4);
        writeGeometry(r, o);
        r.set(ObjRefTxt, o.hint.trimmed().toStdString()).set(ObjUtseen, o.stretch ? 1 : 0);
        r.set(ObjJust, "0").set(ObjFontN, "").set(ObjFontS, "");
        r.set(ObjFontF, "F").set(ObjFontU, "F").set(ObjFontK, "F").set(ObjFtxt, "0").set(ObjFbg, "0");
        r.set(ObjRamme, "0").set(ObjRefNr, "320").set(ObjHendel, "00").set(ObjBackS, "0").set(ObjRO, "0");
        r.set(ObjTabNr, "0").set(ObjEksL1, "F").set(ObjEksN1, "0");
        return r;
    }
    default: {
        LayoutRecord r(form::Side, 2);
        writeGeometry(r, o);
        writeLook(r, o);
        r.set(ObjRamme, o.border ? 1 : 0).set(ObjRefNr, o.fieldNumber).set(ObjRefTxt, "");
        r.set(ObjTabNr, o.hint.trimmed().toStdString());
        r.set(ObjUtseen, "0").set(ObjHendel, "00").set(ObjBackS, "0").set(ObjRO, "0");
        r.set(ObjEksL1, "F").set(ObjEksN1, "0");
        return r;
    }
    }
}

void setMark(engine::TDbfTable &FORFIL, int r, bool on)
{
    try {
        FORFIL.Go(r);
        FORFIL.Delete(on);
    } catch (...) {
        // Best effort: the write that failed may fail again; the caller reports the first.
    }
}

// Marks the records appended after oldCount again and clears the marks given.
void undo(engine::TDbfTable &FORFIL, const std::vector<int> &marked, int oldCount)
{
    for (int r = FORFIL.RecCount(); r > oldCount; --r)
        setMark(FORFIL, r, true);
    for (int r : marked)
        setMark(FORFIL, r, false);
}

} // namespace

CardField cardField(engine::TDbfTable &DBF, int f)
{
    if (f < 1 || f > DBF.fieldCount())
        return {};
    const engine::TdbField d = DBF.GetField(f);
    const std::string raw(d.name.data(), strnlen(d.name.data(), d.name.size()));
    return {QString::fromStdString(engine::fromCp1252(raw)).trimmed(), d.what == 'M', d.len};
}

DesignCard readDesignCard(engine::TDbfTable &FORFIL, engine::TDbfTable &DBF)
{
    DesignCard card;
    const RecordText rec(FORFIL);
    int pictures = 0, textBoxes = 0, fields = 0;
    for (int r = 0; r < FORFIL.RecCount(); ++r) {
        FORFIL.Seek(r);
        if (FORFIL.IsCurrentRecDeleted() || rec.number(FormType, -1) != form::Side)
            continue;
        DesignObject o;
        switch (rec.number(ObjType, -1)) {
        case 1:
            card.background = colourOf(rec(ObjFbg));
            continue;
        case 4:
            o.kind = ObjectKind::Picture;
            o.name = QStringLiteral("Picture%1").arg(++pictures);
            readGeometry(rec, o);
            o.stretch = rec.number(ObjUtseen) == 1;
            o.hint = rec(ObjRefTxt).trimmed();
            break;
        case 3:
            o.kind = ObjectKind::TextBox;
            o.name = QStringLiteral("TextBox%1").arg(++textBoxes);
            readGeometry(rec, o);
            readLook(rec, o, 0);
            o.transparent = rec.number(ObjBackS) == 1;
            o.text = rec(ObjRefTxt).trimmed();
            break;
        case 2: {
            o.fieldNumber = rec.number(ObjRefNr);
            const CardField field = cardField(DBF, o.fieldNumber);
            o.kind = field.memo ? ObjectKind::Editor : ObjectKind::DatabaseField;
            o.name = QStringLiteral("DatabaseField%1").arg(++fields);
            readGeometry(rec, o);
            readLook(rec, o, 8);
            o.border = rec.number(ObjRamme) == 1;
            o.text = fieldPlaceholder(o.fieldNumber, field.name);
            o.hint = rec(ObjTabNr).trimmed();
            break;
        }
        default:
            continue;
        }
        card.objects.push_back(std::move(o));
    }
    return card;
}

std::vector<LayoutRecord> cardRecords(const DesignCard &card)
{
    std::vector<LayoutRecord> records;
    LayoutRecord background(form::Side, 1);
    background.set(ObjFbg, static_cast<long long>(card.background & 0xFFFFFFu));
    records.push_back(std::move(background));
    for (const DesignObject &o : card.objects) {
        if (o.kind != ObjectKind::Background)
            records.push_back(recordOf(o));
    }
    return records;
}

void saveCardLayout(engine::TDbfTable &FORFIL, const std::vector<LayoutRecord> &records)
{
    const int oldCount = FORFIL.RecCount();
    try {
        appendLayoutRecords(FORFIL, records);
    } catch (...) {
        undo(FORFIL, {}, oldCount);
        throw;
    }
    const RecordText rec(FORFIL);
    std::vector<int> marked;
    try {
        for (int r = 1; r <= oldCount; ++r) {
            FORFIL.Go(r);
            if (!FORFIL.IsCurrentRecDeleted() && rec.number(FormType, -1) == form::Side) {
                // Noted first: the mark may reach the file before a later write of Delete fails.
                marked.push_back(r);
                FORFIL.Delete(true);
            }
        }
    } catch (...) {
        // Half old and half new would show two cards at once: back to the old one.
        undo(FORFIL, marked, oldCount);
        throw;
    }
}

} // namespace kvilbo::designer
