#include "printing/print_settings.h"

#include "core/konfig_fields.h"
#include "engine/dbf_table.h"
#include "layout/layout_fields.h"
#include "layout/layout_record.h"
#include "printing/print_error.h"

namespace kvilbo::printing {

namespace {

using layout::Felt;

QString field(engine::TDbfTable& t, Felt f)
{
    return QString::fromStdString(t.GetF(f)).trimmed();
}

int number(engine::TDbfTable& t, Felt f, bool strict)
{
    bool ok = false;
    const QString text = field(t, f);
    const int value = text.toInt(&ok);
    if (!ok && strict)
        throw PrintError(QStringLiteral("%1: \"%2\" (%3)")
                             .arg(QString::fromStdString(std::string(layout::feltNavn(f))), text,
                                  QString::number(t.RecNo()))
                             .toStdString());
    return ok ? value : 0;
}

bool isKind(engine::TDbfTable& t, int formType, int objType)
{
    return field(t, layout::FormType) == QString::number(formType)
        && field(t, layout::ObjType) == QString::number(objType);
}

FontSpec readFont(engine::TDbfTable& t, bool strict)
{
    FontSpec font;
    font.name = field(t, layout::ObjFontN);
    font.size = number(t, layout::ObjFontS, strict);
    font.bold = flagTrue(field(t, layout::ObjFontF));
    font.italic = flagTrue(field(t, layout::ObjFontK));
    font.underline = flagTrue(field(t, layout::ObjFontU));
    font.colour = core::colourFromText(field(t, layout::ObjFtxt).toStdString());
    return font;
}

void store(engine::TDbfTable& t, Felt f, const QString& value)
{
    t.Store(std::string(layout::feltNavn(f)), value.toStdString());
}

void storeFont(engine::TDbfTable& t, const FontSpec& font)
{
    store(t, layout::ObjFontN, font.name.trimmed());
    store(t, layout::ObjFontS, QString::number(font.size));
    store(t, layout::ObjFontF, QLatin1String(font.bold ? "T" : "F"));
    store(t, layout::ObjFontU, QLatin1String(font.underline ? "T" : "F"));
    store(t, layout::ObjFontK, QLatin1String(font.italic ? "T" : "F"));
    store(t, layout::ObjFtxt, QString::fromStdString(core::colourToText(font.colour)));
}

void write(engine::TDbfTable& t)
{
    if (!t.Write(false))
        throw PrintError(t.fileName() + ": " + t.lastErrorMessage());
}

void storeSheet(engine::TDbfTable& t, const LabelSheet& s)
{
    store(t, layout::ObjKol, QString::number(s.columns));
    store(t, layout::ObjLinje, QString::number(s.rows));
    store(t, layout::ObjHoyde, QString::number(s.top));
    store(t, layout::ObjBredde, QString::number(s.bottom));
    store(t, layout::ObjRefNr, QString::number(s.left));
    store(t, layout::ObjHendel, QString::number(s.right));
    store(t, layout::ObjTabNr, QString::number(s.hgap));
    store(t, layout::ObjEksN1, QString::number(s.vgap));
}

LabelSheet readSheet(engine::TDbfTable& t)
{
    LabelSheet s;
    s.rows = number(t, layout::ObjLinje, false);
    s.columns = number(t, layout::ObjKol, false);
    s.top = number(t, layout::ObjHoyde, false);
    s.bottom = number(t, layout::ObjBredde, false);
    s.left = number(t, layout::ObjRefNr, false);
    s.right = number(t, layout::ObjHendel, false);
    s.hgap = number(t, layout::ObjTabNr, false);
    s.vgap = number(t, layout::ObjEksN1, false);
    return s;
}

} // namespace

QString LabelSettings::text() const
{
    QString result;
    for (const QString& line : lines) {
        QString trimmed = line;
        while (!trimmed.isEmpty() && trimmed.back().isSpace())
            trimmed.chop(1);
        result += trimmed + QLatin1Char('\r');
    }
    return result;
}

bool flagTrue(const QString& text)
{
    return !text.isEmpty() && QStringLiteral("JTYjty").contains(text.front());
}

bool isListPrintRecord(engine::TDbfTable& FORFIL, int fieldCount)
{
    const int rec = listPrintRecord(fieldCount);
    if (!FORFIL.isOpen() || rec > FORFIL.RecCount())
        return false;
    FORFIL.Go(rec);
    return isKind(FORFIL, layout::form::ListeUtskrift, 1);
}

std::optional<ListPrintSettings> readListPrint(engine::TDbfTable& FORFIL, int fieldCount,
                                               bool strict)
{
    if (!isListPrintRecord(FORFIL, fieldCount))
        return std::nullopt;
    ListPrintSettings settings;
    settings.font = readFont(FORFIL, strict);
    settings.shading = flagTrue(field(FORFIL, layout::ObjRO));
    // A layout cut short ends the column list where the records end.
    const int last = std::min(2 * fieldCount + 2, FORFIL.RecCount());
    for (int rec = fieldCount + 3; rec <= last; ++rec) {
        FORFIL.Go(rec);
        ListColumnRecord column;
        column.feltNr = number(FORFIL, layout::ObjRefNr, strict);
        column.heading = field(FORFIL, layout::ObjRefTxt);
        column.widthMm = number(FORFIL, layout::ObjBredde, strict);
        settings.columns.push_back(column);
    }
    return settings;
}

void writeListPrint(engine::TDbfTable& FORFIL, int fieldCount, const ListPrintSettings& settings)
{
    if (!isListPrintRecord(FORFIL, fieldCount))
        throw PrintError(FORFIL.fileName() + ": no list print settings at record "
                         + std::to_string(listPrintRecord(fieldCount)));
    storeFont(FORFIL, settings.font);
    store(FORFIL, layout::ObjRO, QLatin1String(settings.shading ? "T" : "F"));
    write(FORFIL);
    int rec = listPrintRecord(fieldCount);
    for (const ListColumnRecord& column : settings.columns) {
        if (++rec > FORFIL.RecCount())
            break;
        FORFIL.Go(rec);
        store(FORFIL, layout::ObjBredde, QString::number(column.widthMm));
        store(FORFIL, layout::ObjRefNr,
              QString::fromStdString(layout::zeroPadded(column.feltNr, 3)));
        store(FORFIL, layout::ObjRefTxt, column.heading);
        write(FORFIL);
    }
}

LabelSettings readLabels(engine::TDbfTable& FORFIL)
{
    LabelSettings settings;
    const int count = FORFIL.isOpen() ? FORFIL.RecCount() : 0;
    for (int rec = 1; rec <= count; ++rec) {
        FORFIL.Go(rec);
        if (FORFIL.IsCurrentRecDeleted() || field(FORFIL, layout::FormType) != QLatin1String("6"))
            continue;
        const QString objType = field(FORFIL, layout::ObjType);
        if (objType == QLatin1String("1")) {
            settings.found = true;
            settings.lines.clear();
            settings.sheet = readSheet(FORFIL);
            settings.font = readFont(FORFIL, false);
            if (settings.font.size <= 0)
                settings.font.size = 8;
        } else if (objType == QLatin1String("3")) {
            QString line = QString::fromStdString(FORFIL.GetF(layout::ObjRefTxt));
            while (!line.isEmpty() && line.back().isSpace())
                line.chop(1);
            settings.lines << line;
        }
    }
    return settings;
}

void writeLabels(engine::TDbfTable& FORFIL, const LabelSettings& settings)
{
    for (int rec = 1; rec <= FORFIL.RecCount(); ++rec) {
        FORFIL.Go(rec);
        if (!FORFIL.IsCurrentRecDeleted()
            && field(FORFIL, layout::FormType) == QLatin1String("6"))
            FORFIL.Delete(true);
    }
    layout::LayoutRecord header(layout::form::Etiketter, 1);
    const LabelSheet& s = settings.sheet;
    header.set(layout::ObjKol, s.columns).set(layout::ObjLinje, s.rows);
    header.set(layout::ObjHoyde, s.top).set(layout::ObjBredde, s.bottom);
    header.set(layout::ObjRefNr, s.left).set(layout::ObjHendel, s.right);
    header.set(layout::ObjTabNr, s.hgap).set(layout::ObjEksN1, s.vgap);
    header.set(layout::ObjFontN, settings.font.name.trimmed().toStdString());
    header.set(layout::ObjFontS, settings.font.size);
    header.flag(layout::ObjFontF, settings.font.bold).flag(layout::ObjFontU, settings.font.underline);
    header.flag(layout::ObjFontK, settings.font.italic);
    header.set(layout::ObjFtxt, core::colourToText(settings.font.colour));
    std::vector<layout::LayoutRecord> records{header};
    for (const QString& line : settings.lines) {
        layout::LayoutRecord rec(layout::form::Etiketter, 3);
        rec.set(layout::ObjRefTxt, line.left(199).toStdString());
        records.push_back(rec);
    }
    layout::appendLayoutRecords(FORFIL, records);
}

bool storeLabelHeader(engine::TDbfTable& FORFIL, const LabelSettings& settings)
{
    for (int rec = 1; rec <= FORFIL.RecCount(); ++rec) {
        FORFIL.Go(rec);
        if (FORFIL.IsCurrentRecDeleted() || !isKind(FORFIL, layout::form::Etiketter, 1))
            continue;
        storeSheet(FORFIL, settings.sheet);
        storeFont(FORFIL, settings.font);
        write(FORFIL);
        return true;
    }
    return false;
}

} // namespace kvilbo::printing
