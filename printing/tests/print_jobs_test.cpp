#include "pdf_check.h"
#include "print_database.h"

#include "layout/layout_fields.h"
#include "printing/preview_document.h"
#include "printing/print_error.h"
#include "printing/print_geometry.h"
#include "printing/print_settings.h"
#include "printing/utskrifter.h"

#include <QtTest>

using namespace kvilbo;
using namespace kvilbo::printing;
using namespace kvilbo::printing::test;

namespace {

// A database, a document and the jobs over them, counting the previews shown
// and keeping the messages the jobs gave.
struct Bench {
    explicit Bench(int records) : db(records), jobs(doc, db.texts, db.Konfig)
    {
        db.Konfig.UtskriftTTV.setText("Topp [%PAGENO]");
        db.Konfig.UtskriftTTH.setText("[%JOB]");
        db.Konfig.UtskriftBTM.setText("Bunn");
        db.Konfig.UtskriftST.setText("Sidetekst");
        jobs.setTables(&db.DBF, &db.layout.FORFIL());
        PrintHost host;
        host.showPreview = [this] { ++previews; };
        host.message = [this](const QString& text, bool beep) { messages << text; beeps += beep; };
        host.notice = [this](const QString& text) { notices << text; };
        jobs.setHost(host);
    }

    QString pdf(const QString& name)
    {
        const QString path = db.beside(name);
        if (!writePdf(doc, path))
            return {};
        if (!qEnvironmentVariableIsEmpty("KVILBO_PRINT_PDF_DIR"))
            QFile::copy(path, qEnvironmentVariable("KVILBO_PRINT_PDF_DIR") + QLatin1Char('/') + name);
        return path;
    }

    QString pageText(int page) const { return doc.pageTexts(page).join(QLatin1Char('\n')); }

    PrintDatabase db;
    PreviewDocument doc;
    PrintJobs jobs;
    int previews = 0;
    int beeps = 0;
    QStringList messages;
    QStringList notices;
};

void setListFont(PrintDatabase& db, int size, const std::vector<int>& widths, bool shading = false)
{
    auto settings = readListPrint(db.layout.FORFIL(), db.DBF.fieldCount(), true);
    QVERIFY(settings);
    settings->font.name = QStringLiteral("DejaVu Sans");
    settings->font.size = size;
    settings->shading = shading;
    for (std::size_t i = 0; i < widths.size(); ++i)
        settings->columns[i].widthMm = widths[i];
    writeListPrint(db.layout.FORFIL(), db.DBF.fieldCount(), *settings);
}

// The list font size whose line height gives exactly n lines on the paper.
int sizeForLines(PreviewDocument& doc, int n)
{
    for (int size = 6; size <= 90; ++size) {
        doc.setFont(documentFont(FontSpec{QStringLiteral("DejaVu Sans"), size}));
        const int h = doc.textExtent(QStringLiteral("WWW er kult")).height();
        if (linesPerPage(doc.paperHeight(), h) == n)
            return size;
    }
    return 0;
}

} // namespace

class PrintJobsTest : public QObject {
    Q_OBJECT
private slots:
    void documentPagingContinuesAtTheOffset();
    void cardOverflowsToASecondPageWithFurniture();
    void defaultTemplatePrintsEveryFieldWithItsMemo();
    void markedCardsPrintInListOrder();
    void pageTagStaysInTheBodyButCountsInTheHeader();
    void missingTemplateStopsWithoutPreview();
    void editorTextPrintsFromTheHiddenTextBox();
    void listPagesBreakAtTheLinesPerPage_data();
    void listPagesBreakAtTheLinesPerPage();
    void listAlignsNumbersAndShadesEvenLines();
    void listWithoutSettingsStopsWith7100_data();
    void listWithoutSettingsStopsWith7100();
    void listOfMarkedWithNoneMarkedBeeps2083();
    void labelsFillSheetsRowByRow();
    void sampleSheetIsOnePageOfFramedLabels();
    void labelTextNeverOverflowsItsLabel();
    void labelsWithNothingToPrintShow2083();
    void labelsWithoutSettingsStopWith7102();
};

void PrintJobsTest::documentPagingContinuesAtTheOffset()
{
    PreviewDocument doc;
    int starts = 0;
    doc.setPageStartHandler([&] { ++starts; });
    doc.BeginDoc();
    doc.BeginDoc(); // in progress: nothing happens
    QCOMPARE(doc.pageCount(), 1);
    const QFont font = documentFont(FontSpec{QStringLiteral("DejaVu Sans"), 10});
    QStringList lines;
    for (int i = 1; i <= 60; ++i)
        lines << QStringLiteral("Linje %1").arg(i);
    const QString text = lines.join(QLatin1String("\r\n"));
    const QRect box(1000, 2000, 10000, 10000);
    const int next = doc.paintRichText(text, font, Qt::black, box, 0);
    QVERIFY(next > 0);
    const QStringList first = doc.pageTexts(0);
    QVERIFY(text.mid(next).startsWith(QStringLiteral("Linje %1").arg(first.size() + 1)));
    doc.NewPage();
    QCOMPARE(doc.paintRichText(text, font, Qt::black, QRect(1000, 2000, 10000, 25000), next), -1);
    QCOMPARE(first.size() + doc.pageTexts(1).size(), 60);
    QCOMPARE(doc.pageTexts(1).last(), QStringLiteral("Linje 60"));
    doc.EndDoc();
    QCOMPARE(starts, 2);
    QCOMPARE(doc.pageCount(), 2);
}

void PrintJobsTest::cardOverflowsToASecondPageWithFurniture()
{
    Bench b(3);
    QStringList lines;
    for (int i = 1; i <= 80; ++i)
        lines << QStringLiteral("Avsnitt %1 [%FIELD002]").arg(i);
    b.db.writeTemplate(lines.join(QLatin1Char('\n')));
    b.db.DBF.Go(2);
    b.jobs.PrintMotor(1, QStringLiteral("Kortjobb"), {2});
    QCOMPARE(b.previews, 1);
    QCOMPARE(b.doc.pageCount(), 2);
    QCOMPARE(b.db.DBF.RecNo(), 2);
    const QString pdf = b.pdf(QStringLiteral("card-overflow.pdf"));
    QCOMPARE(pdfPages(pdf), 2);
    for (int page = 1; page <= 2; ++page) {
        const QString text = pdfText(pdf, page);
        QVERIFY2(text.contains(QStringLiteral("Topp %1").arg(page)), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Jobb : Kortjobb")));
        QVERIFY(text.contains(QStringLiteral("Bunn")));
        QVERIFY(b.pageText(page - 1).contains(QStringLiteral("Sidetekst")));
    }
    QVERIFY(pdfText(pdf, 1).contains(QStringLiteral("Avsnitt 1 Kunde 2")));
    QVERIFY(pdfText(pdf, 2).contains(QStringLiteral("Avsnitt 80 Kunde 2")));
}

void PrintJobsTest::defaultTemplatePrintsEveryFieldWithItsMemo()
{
    Bench b(2);
    b.db.Konfig.UtskriftTTM.setText("KUNDER");
    b.db.DBF.Go(1);
    b.db.DBF.MemoWrite(4, "Ringes f\xC3\xB8r levering.\r\nFast kunde siden 2019.");
    b.jobs.PrintMotor(1, QStringLiteral("Utskrift av et helt kort"), {1});
    const QString pdf = b.pdf(QStringLiteral("card-print.pdf"));
    QCOMPARE(pdfPages(pdf), 1);
    const QString text = pdfText(pdf, 1);
    for (const QString& expected :
         {QStringLiteral("NAVN :"), QStringLiteral("Kunde 1"), QStringLiteral("BELOP :"),
          QStringLiteral("1,50"), QString::fromUtf8("Ringes f\xC3\xB8r levering."),
          QStringLiteral("Fast kunde siden 2019."), QStringLiteral("KUNDER")})
        QVERIFY2(text.contains(expected), qPrintable(expected + QLatin1String(" in ") + text));
}

void PrintJobsTest::markedCardsPrintInListOrder()
{
    Bench b(7);
    b.db.writeTemplate(QStringLiteral("Kort for [%FIELD002]\n"));
    b.db.DBF.Go(4);
    b.jobs.PrintMotor(2, QStringLiteral("Merket"), {7, 2, 5});
    QCOMPARE(b.db.DBF.RecNo(), 4);
    const QString pdf = b.pdf(QStringLiteral("marked.pdf"));
    QCOMPARE(pdfPages(pdf), 3);
    const QStringList expected{QStringLiteral("Kunde 7"), QStringLiteral("Kunde 2"),
                               QStringLiteral("Kunde 5")};
    for (int page = 1; page <= 3; ++page)
        QVERIFY(pdfText(pdf, page).contains(QStringLiteral("Kort for ") + expected[page - 1]));
}

void PrintJobsTest::pageTagStaysInTheBodyButCountsInTheHeader()
{
    Bench b(2);
    b.db.writeTemplate(QStringLiteral("Side [%PAGENO] av kortet [%RECNO]\n"));
    b.jobs.PrintMotor(2, QStringLiteral("x"), {1, 2});
    const QString pdf = b.pdf(QStringLiteral("pageno.pdf"));
    const QString second = pdfText(pdf, 2);
    QVERIFY2(second.contains(QStringLiteral("Side [%PAGENO] av kortet 2")), qPrintable(second));
    QVERIFY(second.contains(QStringLiteral("Topp 2")));
}

void PrintJobsTest::missingTemplateStopsWithoutPreview()
{
    Bench b(2);
    QFile::remove(b.db.beside(QStringLiteral("KUNDER.prt")));
    QVERIFY_THROWS_EXCEPTION(PrintError, b.jobs.PrintMotor(1, QStringLiteral("x"), {1}));
    QCOMPARE(b.previews, 0);
    QCOMPARE(b.doc.pageCount(), 0);
    QVERIFY(!b.doc.inProgress());
}

void PrintJobsTest::editorTextPrintsFromTheHiddenTextBox()
{
    Bench b(1);
    b.jobs.setRichText(QStringLiteral("Notat om [%FIELD002]\nandre linje"));
    b.jobs.PrintMotor(0, QStringLiteral("Editor"), {1});
    QCOMPARE(b.doc.pageCount(), 1);
    QVERIFY(b.doc.pageTexts(0).contains(QStringLiteral("Notat om Kunde 1")));
    QVERIFY(b.doc.pageTexts(0).contains(QStringLiteral("andre linje")));
}

void PrintJobsTest::listPagesBreakAtTheLinesPerPage_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::newRow("a full page stays one page") << 25 << 1;
    QTest::newRow("one row more starts page two") << 26 << 2;
}

void PrintJobsTest::listPagesBreakAtTheLinesPerPage()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    Bench b(rows);
    const int size = sizeForLines(b.doc, 25);
    QVERIFY(size > 0);
    setListFont(b.db, size, {20, 60, 30});
    b.db.DBF.Go(3);
    b.jobs.ListeUtskrift(2, QStringLiteral("Liste"), b.db.all());
    QCOMPARE(b.db.DBF.RecNo(), 3);
    const QString pdf = b.pdf(rows == 26 ? QStringLiteral("list-print.pdf") : QStringLiteral("list25.pdf"));
    QCOMPARE(pdfPages(pdf), pages);
    const QString last = pdfText(pdf, pages);
    QVERIFY2(last.contains(QStringLiteral("NAVN")), qPrintable(last));
    QVERIFY(last.contains(QStringLiteral("Kunde %1").arg(rows)));
    if (pages == 2) {
        QVERIFY(!last.contains(QStringLiteral("Kunde 25")));
        QVERIFY(pdfText(pdf, 1).contains(QStringLiteral("Kunde 25")));
    }
}

void PrintJobsTest::listAlignsNumbersAndShadesEvenLines()
{
    Bench b(4);
    setListFont(b.db, 10, {20, 60, 30}, true);
    b.jobs.ListeUtskrift(2, QStringLiteral("Liste"), b.db.all());
    const auto& ops = b.doc.page(0);
    const QRect belopColumn(1000 + 2100 + 6100, 0, 3000, 1);
    QStringList belop;
    QList<QColor> colours;
    for (const DrawOp& op : ops) {
        if (op.clip.left() == belopColumn.left()) {
            QVERIFY2(qAbs(op.rect.right() - op.clip.right()) <= 1, qPrintable(op.text));
            belop << op.text;
            colours << op.colour;
        }
    }
    QCOMPARE(belop, (QStringList{QStringLiteral("BELOP"), QStringLiteral("1,50"),
                                 QStringLiteral("2,50"), QStringLiteral("3,50"),
                                 QStringLiteral("4,50")}));
    QCOMPARE(colours[0], colours[1]); // heading and the first line: the plain colour
    QVERIFY(colours[2].lightness() > colours[1].lightness());
    QCOMPARE(colours[3], colours[1]);
    QCOMPARE(colours[4], colours[2]);
}

void PrintJobsTest::listWithoutSettingsStopsWith7100_data()
{
    QTest::addColumn<bool>("damageRecord");
    QTest::newRow("every width 0") << false;
    QTest::newRow("record F+2 is not the list print settings") << true;
}

void PrintJobsTest::listWithoutSettingsStopsWith7100()
{
    QFETCH(bool, damageRecord);
    Bench b(3);
    if (damageRecord) {
        b.db.layout.FORFIL().Go(b.db.DBF.fieldCount() + 2);
        b.db.layout.FORFIL().Store("FormType", "2");
        QVERIFY(b.db.layout.FORFIL().Write(false));
    } else {
        setListFont(b.db, 10, {0, 0, 0, 0});
    }
    b.db.DBF.Go(2);
    try {
        b.jobs.ListeUtskrift(2, QStringLiteral("Liste"), b.db.all());
        QFAIL("no error");
    } catch (const PrintError& e) {
        QCOMPARE(QString::fromStdString(e.what()),
                 QStringLiteral("Finner ikke innstillinger til UTSKRIFT LISTE"));
    }
    QCOMPARE(b.previews, 1);
    QCOMPARE(b.doc.pageCount(), 1);
    QVERIFY(!b.doc.inProgress());
    QVERIFY(b.pageText(0).contains(QStringLiteral("Topp 1")));
    QCOMPARE(b.db.DBF.RecNo(), 2);
}

void PrintJobsTest::listOfMarkedWithNoneMarkedBeeps2083()
{
    Bench b(3);
    b.jobs.ListeUtskrift(1, QStringLiteral("Liste"), {});
    QCOMPARE(b.messages, QStringList{QStringLiteral("Ingen kort er markert - Ingen utskrift")});
    QCOMPARE(b.beeps, 1);
    QCOMPARE(b.previews, 0);
}

void PrintJobsTest::labelsFillSheetsRowByRow()
{
    Bench b(30);
    LabelSettings labels = readLabels(b.db.layout.FORFIL());
    labels.lines = QStringList{QStringLiteral("[%FIELD002]"), QStringLiteral("Ark [%PAGENO]")};
    writeLabels(b.db.layout.FORFIL(), labels);
    b.db.DBF.Go(5);
    b.jobs.PrinteLabels(1, b.db.all());
    QCOMPARE(b.db.DBF.RecNo(), 5);
    QCOMPARE(b.previews, 1);
    QCOMPARE(b.jobs.jobLine(), QStringLiteral("Jobb : Utskrift av etiketter - ALLE markert kort"));
    QCOMPARE(b.doc.pageCount(), 2);
    const QString pdf = b.pdf(QStringLiteral("labels.pdf"));
    QCOMPARE(pdfPages(pdf), 2);
    auto count = [&](int page) { return b.doc.pageTexts(page).filter(QStringLiteral("Kunde")).size(); };
    QCOMPARE(count(0), 24);
    QCOMPARE(count(1), 6);
    // Row by row: the second label of the first row is right of the first.
    const auto& ops = b.doc.page(0);
    QVERIFY(ops.size() >= 4);
    QCOMPARE(ops[0].text, QStringLiteral("Kunde 1"));
    QCOMPARE(ops[1].text, QStringLiteral("Ark 1"));
    QCOMPARE(ops[2].text, QStringLiteral("Kunde 2"));
    QCOMPARE(ops[2].rect.top(), ops[0].rect.top());
    QVERIFY(ops[2].rect.left() > ops[0].rect.left());
    const QString first = pdfText(pdf, 1);
    QVERIFY(!first.contains(QStringLiteral("Topp")));
    QVERIFY(!first.contains(QStringLiteral("Bunn")));
    QVERIFY(pdfText(pdf, 2).contains(QStringLiteral("Kunde 30")));
    QVERIFY(pdfText(pdf, 2).contains(QStringLiteral("Ark 2")));
}

void PrintJobsTest::sampleSheetIsOnePageOfFramedLabels()
{
    Bench b(1);
    b.jobs.PrinteLabels(0, {});
    QCOMPARE(b.doc.pageCount(), 1);
    int frames = 0;
    for (const DrawOp& op : b.doc.page(0))
        frames += op.kind == DrawOp::Rectangle;
    QCOMPARE(frames, 24);
    QCOMPARE(b.doc.pageTexts(0).filter(QString::fromUtf8("Etikett Pr\xC3\xB8ve")).size(), 24);
}

void PrintJobsTest::labelTextNeverOverflowsItsLabel()
{
    Bench b(3);
    LabelSettings labels = readLabels(b.db.layout.FORFIL());
    for (int i = 0; i < 30; ++i)
        labels.lines << QStringLiteral("Lang linje %1 med mange ord som brytes i etiketten").arg(i);
    writeLabels(b.db.layout.FORFIL(), labels);
    b.jobs.PrinteLabels(2, b.db.all());
    const LabelGeometry g = labelGeometry(labels.sheet, b.doc.paperWidth(), b.doc.paperHeight());
    int index = -1;
    for (const DrawOp& op : b.doc.page(0)) {
        if (op.text == QStringLiteral("Labels example"))
            ++index;
        QVERIFY(index >= 0);
        QCOMPARE(op.clip, g.box(index));
        QVERIFY2(op.rect.bottom() <= g.box(index).bottom(), qPrintable(op.text));
    }
    QCOMPARE(index, 2);
}

void PrintJobsTest::labelsWithNothingToPrintShow2083()
{
    Bench b(3);
    b.jobs.PrinteLabels(1, {});
    QCOMPARE(b.previews, 0);
    QCOMPARE(b.notices, QStringList{QStringLiteral("Ingen kort er markert - Ingen utskrift")});
    QCOMPARE(b.beeps, 0);
}

void PrintJobsTest::labelsWithoutSettingsStopWith7102()
{
    Bench b(3);
    auto& forfil = b.db.layout.FORFIL();
    for (int r = 1; r <= forfil.RecCount(); ++r) {
        forfil.Go(r);
        if (QString::fromStdString(forfil.GetF(layout::FormType)).trimmed() == QStringLiteral("6"))
            forfil.Delete(true);
    }
    b.db.DBF.Go(3);
    try {
        b.jobs.PrinteLabels(2, b.db.all());
        QFAIL("no error");
    } catch (const PrintError& e) {
        QVERIFY(QString::fromStdString(e.what()).startsWith(
            QStringLiteral("INNSTILLINGER TIL UTSKRIFT AV ETIKETTER IKKE FUNNET")));
    }
    QCOMPARE(b.previews, 0);
    QCOMPARE(b.doc.pageCount(), 0);
    QCOMPARE(b.db.DBF.RecNo(), 3);
}

QTEST_MAIN(PrintJobsTest)
#include "print_jobs_test.moc"
