#include "pdf_check.h"
#include "print_database.h"

#include "printing/modilisteutskrift.h"
#include "printing/print_commands.h"
#include "printing/print_error.h"
#include "printing/page_view.h"
#include "printing/print_file.h"
#include "printing/print_preview_window.h"
#include "printing/print_settings.h"
#include "printing/utskrifter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

using namespace kvilbo;
using namespace kvilbo::printing;
using namespace kvilbo::printing::test;

namespace {

template <typename T>
T* child(QWidget& w, const char* name)
{
    T* found = w.findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

void typeInto(QSpinBox* spin, int value)
{
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spin, QString::number(value));
    QTest::keyClick(spin, Qt::Key_Tab);
}

// An error handler that keeps the texts of the errors it is handed.
std::function<void(std::exception_ptr)> collectInto(QStringList& texts)
{
    return [&texts](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            texts << QString::fromStdString(e.what());
        }
    };
}

// Prints n one-line cards into the window's document.
void printCards(PrintDatabase& db, TForm9& form, int n)
{
    PrintJobs jobs(form.document(), db.texts, db.Konfig);
    jobs.setTables(&db.DBF, &db.layout.FORFIL());
    db.writeTemplate(QStringLiteral("[%FIELD002]\n"));
    std::vector<int> recNos = db.all();
    recNos.resize(std::size_t(n));
    jobs.PrintMotor(2, QStringLiteral("Test"), recNos);
}

} // namespace

class PrintWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void pageLabelAndRangeAfterAJob();
    void rangePrintsOnlyAForwardRange();
    void withoutPrinterOnlyPdfIsOffered();
    void captionCountsUpWhilePrinting();
    void zoomListFollowsTheView();
    void labelInformationFromTheSheetSettings();
    void draggedColumnOrderAndWidthsReachTheListPrint();
    void closingWritesNoListIntoAForeignRecord();
    void withoutLabelRecordsTheExampleIsShownAndTestWaits();
    void addFieldInsertsTheTagAtTheCaret();
    void templateEditsAreSavedInTheirEncoding();
    void escapeClosesOnlyWithDefEsc();
    void commandsEndInThePreviewWithTheirJobLine();
    void commandErrorsReachTheErrorHandler();
    void settingsTestButtonPrintsTheSampleSheet();
};

void PrintWindowsTest::pageLabelAndRangeAfterAJob()
{
    PrintDatabase db(5);
    TForm9 form(db.texts);
    printCards(db, form, 5);
    form.show();
    QCOMPARE(child<QLabel>(form, "sLabel8")->text(), QStringLiteral("SIDE 1 AV 5"));
    if (!qEnvironmentVariableIsEmpty("KVILBO_PRINT_PDF_DIR"))
        form.grab().save(qEnvironmentVariable("KVILBO_PRINT_PDF_DIR") + QStringLiteral("/preview.png"));
    QCOMPARE(child<QSpinBox>(form, "sSpinEdit1")->value(), 5);
    QCOMPARE(child<QSpinBox>(form, "sSpinEdit1")->maximum(), 5);
    auto* view = child<PageView>(form, "PrintPreview");
    QTest::keyClick(view, Qt::Key_PageDown);
    QTest::keyClick(view, Qt::Key_PageDown);
    QCOMPARE(child<QLabel>(form, "sLabel8")->text(), QStringLiteral("SIDE 3 AV 5"));
    QTest::keyClick(view, Qt::Key_End);
    QTest::keyClick(view, Qt::Key_PageDown);
    QCOMPARE(view->currentPage(), 5);
    QTest::mouseClick(child<QSpinBox>(form, "sSpinEdit5"), Qt::LeftButton);
    QVERIFY(child<QRadioButton>(form, "sRadioButton2")->isChecked());
}

void PrintWindowsTest::rangePrintsOnlyAForwardRange()
{
    PrintDatabase db(5);
    TForm9 form(db.texts);
    const QString out = db.beside(QStringLiteral("printer.pdf"));
    form.printer().setOutputFormat(QPrinter::PdfFormat);
    form.printer().setOutputFileName(out);
    form.setPrinterInstalled(true);
    printCards(db, form, 5);
    form.show();
    auto* print = child<QPushButton>(form, "PrintButton");
    QVERIFY(print->isEnabled());
    QTest::mouseClick(child<QRadioButton>(form, "sRadioButton2"), Qt::LeftButton);
    typeInto(child<QSpinBox>(form, "sSpinEdit5"), 4);
    typeInto(child<QSpinBox>(form, "sSpinEdit1"), 2);
    QTest::mouseClick(print, Qt::LeftButton);
    QVERIFY(!QFile::exists(out));
    typeInto(child<QSpinBox>(form, "sSpinEdit5"), 2);
    typeInto(child<QSpinBox>(form, "sSpinEdit1"), 3);
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(pdfPages(out), 2);
    QVERIFY(pdfText(out, 1).contains(QStringLiteral("Kunde 2")));
}

void PrintWindowsTest::withoutPrinterOnlyPdfIsOffered()
{
    PrintDatabase db(3);
    TForm9 form(db.texts);
    form.setPrinterInstalled(false);
    const QString out = db.beside(QStringLiteral("saved.pdf"));
    form.setPdfFileChooser([&] { return out; });
    printCards(db, form, 3);
    form.show();
    QVERIFY(!child<QPushButton>(form, "PrintButton")->isEnabled());
    auto* pdf = child<QPushButton>(form, "PdfButton");
    QVERIFY(pdf->isEnabled());
    QTest::mouseClick(pdf, Qt::LeftButton);
    QCOMPARE(pdfPages(out), 3);
}

void PrintWindowsTest::captionCountsUpWhilePrinting()
{
    PrintDatabase db(5);
    TForm9 form(db.texts);
    form.setApplicationTitle(QStringLiteral("Kvilbo"));
    printCards(db, form, 5);
    form.show();
    QStringList captions;
    connect(&form.document(), &PreviewDocument::progress, &form,
            [&] { captions << form.windowTitle(); });
    QVERIFY(form.savePdf(db.beside(QStringLiteral("c.pdf"))));
    QCOMPARE(captions.value(1), QStringLiteral("Kvilbo - Printing... (40,0% done)"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Kvilbo"));
}

void PrintWindowsTest::zoomListFollowsTheView()
{
    PrintDatabase db(1);
    TForm9 form(db.texts);
    printCards(db, form, 1);
    form.show();
    auto* zoom = child<QComboBox>(form, "ZoomComboBox");
    QCOMPARE(zoom->currentIndex(), 6);
    QCOMPARE(zoom->count(), 7);
    zoom->setFocus();
    QTest::keyClick(zoom, Qt::Key_Home);
    QTest::keyClick(zoom, Qt::Key_Down);
    QTest::keyClick(zoom, Qt::Key_Down);
    QCOMPARE(zoom->currentIndex(), 2);
    auto* view = child<PageView>(form, "PrintPreview");
    QCOMPARE(view->zoomPercent(), 150);
    QWheelEvent wheel(QPointF(20, 20), view->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    QCOMPARE(view->zoomPercent(), 160);
    QCOMPARE(zoom->currentIndex(), -1);
}

void PrintWindowsTest::labelInformationFromTheSheetSettings()
{
    PrintDatabase db(1);
    TFormModiListeUtskrift form(db.texts);
    form.setTables(&db.DBF, &db.layout.FORFIL());
    form.show();
    const std::pair<const char*, int> values[] = {
        {"sSpinEdit3", 3}, {"sSpinEdit2", 8}, {"sSpinEdit4", 10}, {"sSpinEdit6", 10},
        {"sSpinEdit9", 5}, {"sSpinEdit10", 5}, {"sSpinEdit7", 2}, {"sSpinEdit8", 2}};
    for (const auto& [name, value] : values)
        typeInto(child<QSpinBox>(form, name), value);
    QCOMPARE(child<QLabel>(form, "LabelCountLabel")->text(), QStringLiteral("Antall etiketter pr. side : 24"));
    if (!qEnvironmentVariableIsEmpty("KVILBO_PRINT_PDF_DIR")) {
        form.findChild<QTabWidget*>()->setCurrentIndex(2);
        form.grab().save(qEnvironmentVariable("KVILBO_PRINT_PDF_DIR") + QStringLiteral("/settings-labels.png"));
        form.findChild<QTabWidget*>()->setCurrentIndex(1);
        form.grab().save(qEnvironmentVariable("KVILBO_PRINT_PDF_DIR") + QStringLiteral("/settings-card.png"));
    }
    QCOMPARE(child<QLabel>(form, "LabelWidthLabel")->text(), QStringLiteral("Bredde : 65 mm"));
    QCOMPARE(child<QLabel>(form, "LabelHeightLabel")->text(), QString::fromUtf8("H\xC3\xB8yde : 32 mm"));
}

void PrintWindowsTest::draggedColumnOrderAndWidthsReachTheListPrint()
{
    PrintDatabase db(1);
    {
        TFormModiListeUtskrift form(db.texts);
        form.setTables(&db.DBF, &db.layout.FORFIL());
        form.show();
        auto* list = child<QTreeWidget>(form, "sListView2");
        QCOMPARE(list->topLevelItemCount(), 4);
        QCOMPARE(child<QLabel>(form, "UsedWidthLabel")->text(), QStringLiteral("Brukt bredde 93 mm"));
        if (!qEnvironmentVariableIsEmpty("KVILBO_PRINT_PDF_DIR"))
            form.grab().save(qEnvironmentVariable("KVILBO_PRINT_PDF_DIR") + QStringLiteral("/settings-list.png"));
        // Field 4 goes before field 2.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(3)).center());
        QCOMPARE(child<QLineEdit>(form, "sEdit2")->text(), QStringLiteral("NOTAT"));
        typeInto(child<QSpinBox>(form, "sSpinEdit5"), 25);
        auto* mime = new QMimeData;
        mime->setData(QStringLiteral("application/x-qabstractitemmodeldatalist"), QByteArray("rows"));
        const QPoint target = list->visualItemRect(list->topLevelItem(1)).center();
        QDragEnterEvent enter(target, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &enter);
        QDragMoveEvent move(target, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
        QDropEvent drop(target, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &drop);
        delete mime;
        QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("004"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(0)).center());
        typeInto(child<QSpinBox>(form, "sSpinEdit5"), 0);
        QCOMPARE(child<QLabel>(form, "UsedWidthLabel")->text(), QStringLiteral("Brukt bredde 88 mm"));
        QTest::mouseClick(child<QPushButton>(form, "sButton1"), Qt::LeftButton);
    }
    const auto settings = readListPrint(db.layout.FORFIL(), 4, true);
    QVERIFY(settings);
    QCOMPARE(settings->columns.size(), std::size_t(4));
    QCOMPARE(settings->columns[0].widthMm, 0);
    QCOMPARE(settings->columns[1].feltNr, 4);
    QCOMPARE(settings->columns[1].widthMm, 25);
    QCOMPARE(settings->columns[2].feltNr, 2);
}

void PrintWindowsTest::closingWritesNoListIntoAForeignRecord()
{
    PrintDatabase db(1);
    auto& forfil = db.layout.FORFIL();
    forfil.Go(6);
    forfil.Store("FormType", "2");
    QVERIFY(forfil.Write(false));
    const std::string before = forfil.GetF(8);
    QStringList reports;
    {
        TFormModiListeUtskrift form(db.texts);
        form.setTables(&db.DBF, &forfil);
        form.setErrorReporter(collectInto(reports));
        form.show();
        QTest::mouseClick(child<QPushButton>(form, "sButton1"), Qt::LeftButton);
    }
    QCOMPARE(reports, QStringList{QStringLiteral("Finner ikke innstillinger til UTSKRIFT LISTE")});
    forfil.Go(6);
    QCOMPARE(QString::fromStdString(forfil.GetF(1)).trimmed(), QStringLiteral("2"));
    QCOMPARE(forfil.GetF(8), before);
    QVERIFY(readLabels(forfil).found);
}

void PrintWindowsTest::withoutLabelRecordsTheExampleIsShownAndTestWaits()
{
    PrintDatabase db(1);
    auto& forfil = db.layout.FORFIL();
    for (int r = 1; r <= forfil.RecCount(); ++r) {
        forfil.Go(r);
        if (QString::fromStdString(forfil.GetF(1)).trimmed() == QStringLiteral("6"))
            forfil.Delete(true);
    }
    int tests = 0;
    TFormModiListeUtskrift form(db.texts);
    form.setTables(&db.DBF, &forfil);
    form.setLabelTest([&] { ++tests; });
    form.show();
    QCOMPARE(child<QPlainTextEdit>(form, "sMemo2")->toPlainText(),
             QStringLiteral("Labels example\n[%FIELD001]"));
    QTest::mouseClick(child<QPushButton>(form, "TestButton"), Qt::LeftButton);
    QCOMPARE(tests, 0);
    form.close();
    form.show();
    QTest::mouseClick(child<QPushButton>(form, "TestButton"), Qt::LeftButton);
    QCOMPARE(tests, 1);
}

void PrintWindowsTest::addFieldInsertsTheTagAtTheCaret()
{
    PrintDatabase db(1);
    TFormModiListeUtskrift form(db.texts);
    form.setTables(&db.DBF, &db.layout.FORFIL());
    form.setFieldChooser([] { return 3; });
    form.show();
    auto* memo = child<QPlainTextEdit>(form, "sMemo2");
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_End);
    QTest::mouseClick(child<QPushButton>(form, "LeggTilButton"), Qt::LeftButton);
    QCOMPARE(memo->toPlainText(), QStringLiteral("Labels example[%FIELD003]\n[%FIELD001]"));
}

void PrintWindowsTest::templateEditsAreSavedInTheirEncoding()
{
    PrintDatabase db(1);
    const QString path = db.beside(QStringLiteral("KUNDER.prt"));
    writePrintText(path, QString::fromUtf8("F\xC3\xB8rste\n"), PrintFileEncoding::Utf8Bom);
    {
        TFormModiListeUtskrift form(db.texts);
        form.setTables(&db.DBF, &db.layout.FORFIL());
        form.show();
        auto* memo = child<QPlainTextEdit>(form, "sMemo1");
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(memo, QStringLiteral("Andre"));
        form.close();
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("\xEF\xBB\xBF" "F\xC3\xB8rste\r\nAndre"));
}

void PrintWindowsTest::escapeClosesOnlyWithDefEsc()
{
    PrintDatabase db(1);
    TFormModiListeUtskrift form(db.texts);
    form.setTables(&db.DBF, &db.layout.FORFIL());
    form.show();
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(form.isVisible());
    form.setDefEsc(true);
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
}

void PrintWindowsTest::commandsEndInThePreviewWithTheirJobLine()
{
    PrintDatabase db(3);
    PrintCommands commands(db.texts, db.Konfig);
    commands.setTables(&db.DBF, &db.layout.FORFIL());
    QStringList shown;
    commands.setPreviewShower([&] {
        shown << child<QLabel>(commands.Form9(), "sLabel6")->text() + QLatin1Char('|')
                + commands.Form9().document().pageTexts(0).join(QLatin1Char('|'));
    });
    QStringList messages;
    PrintHost host;
    host.message = [&](const QString& text, bool) { messages << text; };
    commands.setHost(host);
    db.DBF.Go(2);
    commands.printEditorField(QStringLiteral("Notat for [%FIELD002]"));
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith(QStringLiteral("Jobb : Utskrift av et editorfelt|")), qPrintable(shown[0]));
    QVERIFY(shown[0].contains(QStringLiteral("|Notat for Kunde 2")));
    commands.printListMarked({});
    QCOMPARE(messages, QStringList{QStringLiteral("Ingen kort er markert - Ingen utskrift")});
    QCOMPARE(shown.size(), 1);
    QCOMPARE(db.DBF.RecNo(), 2);
}

void PrintWindowsTest::commandErrorsReachTheErrorHandler()
{
    PrintDatabase db(3);
    auto& forfil = db.layout.FORFIL();
    forfil.Go(6);
    forfil.Store("FormType", "2");
    QVERIFY(forfil.Write(false));
    PrintCommands commands(db.texts, db.Konfig);
    commands.setTables(&db.DBF, &forfil);
    int shown = 0;
    commands.setPreviewShower([&] { ++shown; });
    QStringList errors;
    commands.setErrorReporter(collectInto(errors));
    commands.printListAll(db.all());
    QCOMPARE(shown, 1);
    QCOMPARE(errors, QStringList{QStringLiteral("Finner ikke innstillinger til UTSKRIFT LISTE")});
}

void PrintWindowsTest::settingsTestButtonPrintsTheSampleSheet()
{
    PrintDatabase db(1);
    PrintCommands commands(db.texts, db.Konfig);
    commands.setTables(&db.DBF, &db.layout.FORFIL());
    int frames = 0;
    commands.setPreviewShower([&] {
        for (const DrawOp& op : commands.Form9().document().page(0))
            frames += op.kind == DrawOp::Rectangle;
    });
    auto& form = commands.settingsWindow();
    form.show();
    typeInto(child<QSpinBox>(form, "sSpinEdit3"), 2);
    typeInto(child<QSpinBox>(form, "sSpinEdit2"), 5);
    QTest::mouseClick(child<QPushButton>(form, "TestButton"), Qt::LeftButton);
    QCOMPARE(frames, 10);
    QVERIFY(form.isVisible());
    QCOMPARE(readLabels(db.layout.FORFIL()).sheet.rows, 5);
}

QTEST_MAIN(PrintWindowsTest)
#include "print_windows_test.moc"
