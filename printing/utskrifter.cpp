#include "printing/utskrifter.h"

#include "core/config.h"
#include "core/messages.h"
#include "engine/dbf_table.h"
#include "layout/layout_table.h"
#include "printing/field_text.h"
#include "printing/preview_document.h"
#include "printing/print_error.h"
#include "printing/print_file.h"
#include "printing/print_geometry.h"
#include "printing/print_settings.h"
#include "printing/templates.h"

namespace kvilbo::printing {

namespace {

// Every job leaves the table on the record that was current before it,
// also when it stops with an error.
class RecordGuard {
public:
    explicit RecordGuard(engine::TDbfTable* table)
        : m_table(table), m_recNo(table && table->isOpen() ? table->RecNo() : 0)
    {
    }
    ~RecordGuard() { restore(); }
    RecordGuard(const RecordGuard&) = delete;
    RecordGuard& operator=(const RecordGuard&) = delete;

    void restore()
    {
        if (m_table && m_table->isOpen() && m_recNo > 0 && m_table->RecNo() != m_recNo)
            m_table->Go(m_recNo);
    }

private:
    engine::TDbfTable* m_table;
    int m_recNo;
};

QString utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

bool tableHasCards(engine::TDbfTable* table)
{
    return table && table->isOpen() && table->Records();
}

} // namespace

PrintJobs::PrintJobs(PreviewDocument& doc, const core::Texts& texts, const core::TKonfig& Konfig)
    : m_doc(doc), m_texts(texts), m_konfig(Konfig)
{
    m_doc.setPageStartHandler([this] { PrintPreviewNewPage(); });
}

void PrintJobs::setTables(engine::TDbfTable* DBF, engine::TDbfTable* FORFIL)
{
    m_DBF = DBF;
    m_FORFIL = FORFIL;
}

QString PrintJobs::tx(int nr) const
{
    return utf8(m_texts.ss(nr));
}

void PrintJobs::setJobLine(const QString& jobName)
{
    m_jobLine = tx(7012) + jobName.trimmed();
}

TemplateSources PrintJobs::sources() const
{
    TemplateSources s;
    s.table = m_DBF;
    s.spraak = m_texts.spraak();
    s.ingenDatabase = tx(2900);
    return s;
}

void PrintJobs::PrintPreviewNewPage()
{
    if (!m_furniture)
        return;
    const PageTags page{m_doc.pageCount(), m_jobLine};
    auto expand = [&](const auto& field, bool trim) {
        const QString text = EgenParser(utf8(field.text()), sources(), page);
        return trim ? text.trimmed() : text;
    };
    m_doc.setPenWidth(0);
    FontSpec fontSpec{QStringLiteral("Courier New"), 7, false, false, false, 0};
    m_doc.setFont(documentFont(fontSpec));
    m_doc.setColour(Qt::black);
    m_doc.setOrientation(0);
    const int pw = m_doc.paperWidth();
    drawFurnitureLine(800, expand(m_konfig.UtskriftTTV, false), expand(m_konfig.UtskriftTTM, true),
                      expand(m_konfig.UtskriftTTH, true));
    drawFurnitureLine(m_doc.paperHeight() - 1200, expand(m_konfig.UtskriftBTV, true),
                      expand(m_konfig.UtskriftBTM, true), expand(m_konfig.UtskriftBTH, true));
    const QString side = expand(m_konfig.UtskriftST, true);
    // The turned font stays on the canvas; a job drawing with it afterwards turns it back.
    m_doc.setOrientation(-90);
    if (!side.isEmpty())
        m_doc.textOut(pw - 800, 4000, side);
}

void PrintJobs::drawFurnitureLine(int y, const QString& left, const QString& middle,
                                  const QString& right)
{
    const int pw = m_doc.paperWidth();
    if (!left.isEmpty())
        m_doc.textOut(1000, y, left);
    if (!middle.isEmpty())
        m_doc.textOut(pw / 2 - m_doc.textExtent(middle).width() / 2, y, middle);
    if (!right.isEmpty())
        m_doc.textOut(pw - 1000 - m_doc.textExtent(right).width(), y, right);
}

void PrintJobs::PrintTekstboks(int left, int top, const QColor& colour, int alignment,
                               const QString& text, int height, int width)
{
    m_doc.setColour(colour);
    m_doc.textRect(QRect(left, top, width, height), text, alignment);
}

void PrintJobs::printCard(const QString& source)
{
    const QString text = Parser1(source, sources());
    const FontSpec fontSpec{utf8(m_konfig.UtskriftFontN.text()), m_konfig.UtskriftFontS,
                        bool(m_konfig.UtskriftFontF), bool(m_konfig.UtskriftFontK),
                        bool(m_konfig.UtskriftFontU), m_konfig.UtskriftFarge.colour()};
    const QRect body = cardBodyRect(m_doc.paperWidth(), m_doc.paperHeight());
    int offset = 0;
    while ((offset = m_doc.paintRichText(text, documentFont(fontSpec), colourFromBgr(fontSpec.colour),
                                         body, offset))
           >= 0)
        m_doc.NewPage();
}

void PrintJobs::PrintMotor(int kind, const QString& jobName, const std::vector<int>& recNos)
{
    setJobLine(jobName);
    m_furniture = true;
    QString source = m_richText;
    if (kind != 0) {
        if (!m_DBF || !m_DBF->isOpen())
            return;
        const QString path = utf8(layout::printFilePath(m_DBF->fileName()));
        const QStringList lines = readPrintText(path).text.split(QLatin1Char('\n'));
        source.clear();
        // The file's last line end gives no extra empty paragraph.
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i + 1 < lines.size() || !lines[i].isEmpty())
                source += lines[i] + QLatin1String("\r\n");
        }
    }
    RecordGuard guard(m_DBF);
    m_doc.clear();
    try {
        m_doc.BeginDoc();
        int cards = 0;
        for (const int recNo : recNos) {
            if (!tableHasCards(m_DBF))
                break;
            m_DBF->Go(recNo);
            if (++cards > 1)
                m_doc.NewPage();
            printCard(source);
        }
        m_doc.EndDoc();
    } catch (...) {
        m_doc.clear();
        throw;
    }
    guard.restore();
    if (m_host.refreshStatus)
        m_host.refreshStatus();
    if (m_host.showPreview)
        m_host.showPreview();
}

void PrintJobs::listFail()
{
    throw PrintError(tx(7100).toStdString());
}

void PrintJobs::ListeUtskrift(int kind, const QString& jobName, const std::vector<int>& recNos)
{
    setJobLine(jobName);
    if (!tableHasCards(m_DBF) || !m_FORFIL)
        return;
    if (kind == 1 && recNos.empty()) {
        if (m_host.message)
            m_host.message(tx(2083), true);
        return;
    }
    RecordGuard guard(m_DBF);
    m_furniture = true;
    m_doc.clear();
    m_doc.BeginDoc();
    try {
        const auto settings = readListPrint(*m_FORFIL, m_DBF->fieldCount(), true);
        if (!settings)
            listFail();
        const QFont font = documentFont(settings->font);
        const QColor colour = colourFromBgr(settings->font.colour);
        auto setListFont = [&] {
            m_doc.setFont(font);
            m_doc.setOrientation(0);
            m_doc.setColour(colour);
        };
        setListFont();
        const int h = m_doc.textExtent(QStringLiteral("WWW er kult")).height();
        const int n = linesPerPage(m_doc.paperHeight(), h);
        const auto columns = listColumns(settings->columns, [this](int feltNr) {
            return feltNr >= 1 && feltNr <= m_DBF->fieldCount() ? m_DBF->GetField(feltNr).what
                                                                 : 'C';
        });
        if (columns.empty())
            listFail();
        int l = 1;
        int y = kListTop;
        for (std::size_t i = 0; i < recNos.size(); ++i) {
            m_DBF->Go(recNos[i]);
            if (l == 1) {
                for (const ListColumn& c : columns)
                    PrintTekstboks(c.x, y - h, colour, c.alignment, c.heading, h, c.width);
            }
            const QColor lineColour = settings->shading && l % 2 == 0 ? lighterShade(colour) : colour;
            for (const ListColumn& c : columns)
                PrintTekstboks(c.x, y, lineColour, c.alignment,
                               GetX(*m_DBF, c.feltNr, m_texts.spraak()), h, c.width);
            y += h;
            ++l;
            if (l > n && i + 1 < recNos.size()) {
                m_doc.NewPage();
                setListFont();
                y = kListTop;
                l = 1;
            }
        }
    } catch (...) {
        // What was drawn is shown before the error is reported.
        m_doc.EndDoc();
        guard.restore();
        if (m_host.showPreview)
            m_host.showPreview();
        throw;
    }
    m_doc.EndDoc();
    guard.restore();
    if (m_host.showPreview)
        m_host.showPreview();
}

void PrintJobs::PrinteLabels(int kind, const std::vector<int>& recNos)
{
    m_furniture = false;
    m_richText.clear();
    setJobLine(tx(11540 + std::clamp(kind, 0, 2)));
    if (!m_FORFIL || !m_FORFIL->isOpen())
        return;
    RecordGuard guard(m_DBF);
    const LabelSettings labels = readLabels(*m_FORFIL);
    if (!labels.found)
        throw PrintError(tx(7102).toStdString());
    const QFont font = documentFont(labels.font);
    const QColor colour = colourFromBgr(labels.font.colour);
    const LabelGeometry geometry =
        labelGeometry(labels.sheet, m_doc.paperWidth(), m_doc.paperHeight());
    const bool sample = kind == 0;
    int p = sample ? geometry.perSheet() : (tableHasCards(m_DBF) ? int(recNos.size()) : 0);
    const QString text = sample ? tx(11698) : labels.text();
    if (p <= 0) {
        if (m_host.notice)
            m_host.notice(tx(2083));
        if (m_host.message)
            m_host.message(tx(2083), false);
        return;
    }
    m_doc.clear();
    try {
        m_doc.BeginDoc();
        int onSheet = 0;
        for (std::size_t r = 0; p > 0; ++r, --p, ++onSheet) {
            if (onSheet == geometry.perSheet()) {
                m_doc.NewPage();
                onSheet = 0;
            }
            QRect box = geometry.box(onSheet);
            if (sample) {
                m_doc.setPenWidth(0);
                m_doc.rectangle(box);
                box.adjust(100, 100, -100, -100);
            } else {
                m_DBF->Go(recNos[r]);
            }
            const QString expanded =
                EgenParser(text, sources(), PageTags{m_doc.pageCount(), m_jobLine});
            m_doc.paintRichText(expanded, font, colour, box, 0);
        }
        m_doc.EndDoc();
    } catch (...) {
        m_doc.clear();
        throw;
    }
    guard.restore();
    if (m_host.showPreview)
        m_host.showPreview();
}

} // namespace kvilbo::printing
