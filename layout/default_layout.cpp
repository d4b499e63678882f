#include "layout/default_layout.h"

#include "core/config.h"
#include "core/messages.h"
#include "engine/dbf_format.h"
#include "engine/dbf_table.h"

#include <cctype>

namespace kvilbo::layout {

namespace {

std::string trimmed(std::string_view text)
{
    return std::string(engine::trimBlanks(text));
}

// A list view or list print column of a new layout.
LayoutRecord columnRecord(int formType, int i, const CardField &field, int width)
{
    LayoutRecord r(formType, 2);
    r.set(ObjLinje, "0").set(ObjKol, i).set(ObjHoyde, "0").set(ObjBredde, width);
    r.set(ObjJust, "0").set(ObjFontN, "na").set(ObjFontS, "8");
    r.set(ObjFontF, "F").set(ObjFontU, "F").set(ObjFontK, "F");
    r.set(ObjFtxt, "17920").set(ObjFbg, "16777215").set(ObjRamme, "0");
    r.set(ObjRefNr, i).set(ObjRefTxt, field.name);
    return r;
}

LayoutRecord listHeader(const core::TKonfig &k)
{
    LayoutRecord r(form::Liste, 1);
    r.set(ObjHoyde, k.ListeHoyde).set(ObjJust, "1");
    r.set(ObjFontN, k.ListeFont.text()).set(ObjFontS, k.ListeFSTR);
    r.flag(ObjFontF, k.ListeFF).flag(ObjFontU, k.ListeFU).flag(ObjFontK, k.ListeFK);
    r.set(ObjRamme, "1");
    r.set(ObjFtxt, trimmed(k.ListeFargeT.text())).set(ObjFbg, trimmed(k.ListeFargeBG.text()));
    r.set(ObjRefTxt, std::string(kListeVersjon));
    return r;
}

// The print font and colour, shared by the list print and label headers.
void printFont(LayoutRecord &r, const core::TKonfig &k)
{
    r.set(ObjFontN, k.UtskriftFontN.text()).set(ObjFontS, k.UtskriftFontS);
    r.flag(ObjFontF, k.UtskriftFontF).flag(ObjFontU, k.UtskriftFontU).flag(ObjFontK, k.UtskriftFontK);
    r.set(ObjFtxt, trimmed(k.UtskriftFarge.text()));
}

LayoutRecord listPrintHeader(const core::TKonfig &k)
{
    LayoutRecord r(form::ListeUtskrift, 1);
    r.set(ObjHoyde, k.ListeHoyde).set(ObjJust, "1");
    printFont(r, k);
    r.set(ObjRamme, "0").set(ObjFbg, "0");
    r.set(ObjRefTxt, std::string(kListeVersjon)).set(ObjRO, "F");
    return r;
}

// Font, colours and transparency every text box of a new card gets.
void textBoxStyle(LayoutRecord &r, const core::TKonfig &k)
{
    r.set(ObjFontN, k.FormTFont.text());
    r.flag(ObjFontF, k.FormTFF).flag(ObjFontU, k.FormTFU).flag(ObjFontK, k.FormTFK);
    r.set(ObjFtxt, trimmed(k.FormTFT.text())).set(ObjFbg, trimmed(k.FormTFBG.text()));
    r.set(ObjBackS, "1").set(ObjRefNr, "300");
}

LayoutRecord textBox(int top, int left, int height, const core::TKonfig &k)
{
    LayoutRecord r(form::Side, 3);
    r.set(ObjLinje, top).set(ObjKol, left).set(ObjHoyde, height).set(ObjBredde, "700");
    r.set(ObjFontS, k.FormTFSTR);
    textBoxStyle(r, k);
    return r;
}

void appendCardIntro(std::vector<LayoutRecord> &out, const core::TKonfig &k, const core::Texts &texts)
{
    LayoutRecord background(form::Side, 1);
    background.set(ObjFbg, "16777215").set(ObjRefTxt, std::string(kSideVersjon));
    out.push_back(background);

    LayoutRecord picture(form::Side, 4);
    picture.set(ObjLinje, "30").set(ObjKol, "30").set(ObjHoyde, "100").set(ObjBredde, "100");
    picture.set(ObjUtseen, "0").set(ObjRefTxt, std::string(kInterntBilde));
    out.push_back(picture);

    LayoutRecord heading = textBox(20, 140, 36, k);
    heading.set(ObjFontS, "20").set(ObjRefTxt, texts.ss(2032));
    out.push_back(heading);

    const int introTops[] = {54, 73, 93};
    for (int line = 0; line < 3; ++line)
        out.push_back(textBox(introTops[line], 140, 20, k).set(ObjRefTxt, trimmed(texts.ss(2033 + line))));

    const int tagTops[] = {130, 150};
    for (int line = 0; line < 2; ++line) {
        LayoutRecord r = textBox(tagTops[line], 40, 20, k);
        r.set(ObjFtxt, "4227200").set(ObjRefTxt, trimmed(texts.ss(2036 + line)));
        out.push_back(r);
    }
}

// A caption text box and the database field below it, for each card-table field.
void appendCardFields(std::vector<LayoutRecord> &out, const std::vector<CardField> &fields,
                      const core::TKonfig &k)
{
    int y = 220;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        LayoutRecord caption(form::Side, 3);
        caption.set(ObjLinje, y).set(ObjKol, "40").set(ObjHoyde, "18").set(ObjBredde, "200");
        caption.set(ObjJust, "0").set(ObjFontS, k.FormTFSTR);
        textBoxStyle(caption, k);
        caption.set(ObjRamme, "0").set(ObjRefTxt, fields[i].name);
        out.push_back(caption);
        y += 18;

        LayoutRecord field(form::Side, 2);
        field.set(ObjLinje, y).set(ObjKol, "40").set(ObjHoyde, fields[i].memo ? "94" : "24");
        field.set(ObjBredde, "320").set(ObjJust, "0");
        field.set(ObjFontN, k.FormDFont.text()).set(ObjFontS, k.FormDFSTR);
        field.flag(ObjFontF, k.FormDFF).flag(ObjFontU, k.FormDFU).flag(ObjFontK, k.FormDFK);
        field.set(ObjFtxt, trimmed(k.FormDFT.text())).set(ObjFbg, trimmed(k.FormDFBG.text()));
        field.set(ObjRamme, "1").set(ObjRefNr, number).set(ObjRefTxt, "").set(ObjTabNr, number);
        out.push_back(field);
        y += fields[i].memo ? 106 : 34;
    }
}

} // namespace

std::vector<CardField> cardFieldsOf(engine::TDbfTable &DBF)
{
    std::vector<CardField> fields;
    for (int i = 1; i <= DBF.fieldCount(); ++i) {
        const char type = DBF.GetField(i).what;
        fields.push_back({DBF.FieldName(i), std::toupper(static_cast<unsigned char>(type)) == 'M'});
    }
    return fields;
}

std::vector<LayoutRecord> defaultLayout(const std::vector<CardField> &fields,
                                        const core::TKonfig &Konfig, const core::Texts &texts)
{
    std::vector<LayoutRecord> out;
    out.push_back(listHeader(Konfig));
    for (std::size_t i = 0; i < fields.size(); ++i)
        out.push_back(columnRecord(form::Liste, static_cast<int>(i + 1), fields[i], 100));
    out.push_back(listPrintHeader(Konfig));
    for (std::size_t i = 0; i < fields.size(); ++i)
        out.push_back(columnRecord(form::ListeUtskrift, static_cast<int>(i + 1), fields[i], i < 3 ? 30 : 0));
    for (const auto &label : defaultLabelLayout(Konfig))
        out.push_back(label);
    appendCardIntro(out, Konfig, texts);
    appendCardFields(out, fields, Konfig);
    return out;
}

std::vector<LayoutRecord> defaultLabelLayout(const core::TKonfig &Konfig)
{
    LayoutRecord header(form::Etiketter, 1);
    header.set(ObjLinje, "8").set(ObjKol, "3").set(ObjHoyde, "2").set(ObjBredde, "2");
    printFont(header, Konfig);
    header.set(ObjTabNr, "5").set(ObjEksN1, "5").set(ObjRefNr, "4").set(ObjHendel, "4");

    LayoutRecord example(form::Etiketter, 3);
    example.set(ObjRefTxt, "Labels example");
    LayoutRecord firstField(form::Etiketter, 3);
    firstField.set(ObjRefTxt, "[%FIELD001]");
    return {header, example, firstField};
}

} // namespace kvilbo::layout
