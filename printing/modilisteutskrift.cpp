#include "printing/modilisteutskrift.h"

#include "core/messages.h"
#include "engine/dbf_table.h"
#include "layout/layout_record.h"
#include "layout/layout_table.h"
#include "printing/print_error.h"
#include "printing/print_geometry.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFontComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeWidget>

#include <exception>

namespace kvilbo::printing {

namespace {

enum Column { ColNr, ColName, ColType, ColLength, ColDes, ColHeading, ColWidth };

} // namespace

TFormModiListeUtskrift::TFormModiListeUtskrift(const core::Texts& texts, QWidget* parent)
    : QDialog(parent), m_texts(texts)
{
    setObjectName(QStringLiteral("FormModiListeUtskrift"));
    m_printerName = QPrinterInfo::defaultPrinterName();
    build();
    setTexts();
}

QString TFormModiListeUtskrift::tx(int nr) const
{
    return QString::fromStdString(m_texts.ss(nr));
}

void TFormModiListeUtskrift::setTables(engine::TDbfTable* DBF, engine::TDbfTable* FORFIL)
{
    m_DBF = DBF;
    m_FORFIL = FORFIL;
}

void TFormModiListeUtskrift::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFormModiListeUtskrift::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !m_defEsc) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormModiListeUtskrift::done(int result)
{
    FormCloseQuery();
    QDialog::done(result);
}

void TFormModiListeUtskrift::FormActivate()
{
    setTexts();
    if (!m_DBF || !m_DBF->isOpen() || !m_FORFIL || !m_FORFIL->isOpen())
        return;
    const QString fileName = QFileInfo(QString::fromStdString(m_DBF->fileName())).fileName();
    setWindowTitle(QString::fromStdString(m_texts.ss(11000, {fileName.toStdString()})));
    try {
        readListPrint();
        readLabelSettings();
        readTemplate();
    } catch (...) {
        report(std::current_exception());
    }
}

void TFormModiListeUtskrift::readListPrint()
{
    m_columns->clear();
    const int fields = m_DBF->fieldCount();
    const auto settings = printing::readListPrint(*m_FORFIL, fields, false);
    m_listFound = settings.has_value();
    if (!m_listFound) {
        // Closing writes nothing into a record that is not the list print settings.
        report(std::make_exception_ptr(PrintError(tx(7100).toStdString())));
    } else {
        showFont(m_listFont, settings->font);
        m_shading->setChecked(settings->shading);
        for (const ListColumnRecord& column : settings->columns) {
            const int nr = column.feltNr;
            const bool known = nr >= 1 && nr <= fields;
            auto* item = new QTreeWidgetItem(m_columns);
            item->setFlags(item->flags() & ~Qt::ItemIsDropEnabled);
            item->setText(ColNr, QString::fromStdString(layout::zeroPadded(nr, 3)));
            if (known) {
                item->setText(ColName, QString::fromStdString(m_DBF->FieldName(nr)));
                item->setText(ColType, QString::fromStdString(
                                           m_texts.spraak() == 1 ? m_DBF->FieldTypeE(nr)
                                                                 : m_DBF->FieldType(nr)));
                item->setText(ColLength, QString::number(m_DBF->FieldLen(nr)));
                item->setText(ColDes, QString::number(m_DBF->FieldDes(nr)));
            }
            item->setText(ColHeading, column.heading);
            item->setText(ColWidth, QString::number(column.widthMm));
        }
        if (m_columns->topLevelItemCount() > 0)
            m_columns->setCurrentItem(m_columns->topLevelItem(0));
    }
    KalkeBredde();
}

void TFormModiListeUtskrift::readLabelSettings()
{
    const LabelSettings labels = readLabels(*m_FORFIL);
    if (labels.found) {
        showSheet(labels.sheet);
        showFont(m_labelFont, labels.font);
        m_labelText->setPlainText(labels.lines.join(QLatin1Char('\n')));
    } else {
        m_labelFont.name->setCurrentFont(QFont(QStringLiteral("Arial")));
        m_labelText->setPlainText(QStringLiteral("Labels example\n[%FIELD001]"));
    }
    KalkeLabels();
}

QString TFormModiListeUtskrift::printFile() const
{
    return QString::fromStdString(layout::printFilePath(m_DBF->fileName()));
}

void TFormModiListeUtskrift::readTemplate()
{
    m_templateRead = false;
    m_templatePath->setText(QString::fromStdString(m_texts.ss(11204, {printFile().toStdString()})));
    const PrintText text = readPrintText(printFile());
    m_template->setPlainText(text.text);
    m_templateEncoding = text.encoding;
    m_templateRead = true;
}

bool TFormModiListeUtskrift::FormCloseQuery()
{
    if (!m_DBF || !m_DBF->isOpen() || !m_FORFIL || !m_FORFIL->isOpen())
        return true;
    try {
        writeAll();
    } catch (...) {
        report(std::current_exception());
    }
    return true;
}

void TFormModiListeUtskrift::writeAll()
{
    if (m_listFound) {
        ListPrintSettings settings;
        settings.font = fontOf(m_listFont);
        settings.shading = m_shading->isChecked();
        for (int i = 0; i < m_columns->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = m_columns->topLevelItem(i);
            settings.columns.push_back({item->text(ColNr).toInt(), item->text(ColHeading),
                                        item->text(ColWidth).toInt()});
        }
        writeListPrint(*m_FORFIL, m_DBF->fieldCount(), settings);
    }
    writeLabels(*m_FORFIL, labelSettings());
    // A template that could not be read is not overwritten with an empty editor.
    if (m_templateRead)
        writePrintText(printFile(), m_template->toPlainText(), m_templateEncoding);
}

void TFormModiListeUtskrift::KalkeBredde()
{
    std::vector<ListColumnRecord> records;
    for (int i = 0; i < m_columns->topLevelItemCount(); ++i)
        records.push_back({0, {}, m_columns->topLevelItem(i)->text(ColWidth).toInt()});
    m_used->setText(QString::fromStdString(m_texts.ss(11036, {usedWidthMm(records)})));
    m_printer->setText(QString::fromStdString(m_texts.ss(11038, {printerText().toStdString()})));
}

void TFormModiListeUtskrift::report(std::exception_ptr error) const
{
    if (m_report)
        m_report(error);
    else
        qWarning("print settings: unreported error");
}

QString TFormModiListeUtskrift::printerText() const
{
    return m_printerName.isEmpty() ? tx(11400) : m_printerName;
}

void TFormModiListeUtskrift::KalkeLabels()
{
    const LabelInfo info = labelInfo(sheet());
    m_labelInfo[0]->setText(QString::fromStdString(m_texts.ss(11612, {printerText().toStdString()})));
    m_labelInfo[1]->setText(QString::fromStdString(m_texts.ss(11614, {210, 297})));
    m_labelInfo[2]->setText(QString::fromStdString(m_texts.ss(11615, {info.perSheet})));
    m_labelInfo[3]->setText(QString::fromStdString(m_texts.ss(11620, {info.widthMm})));
    m_labelInfo[4]->setText(QString::fromStdString(m_texts.ss(11622, {info.heightMm})));
}

void TFormModiListeUtskrift::selectRow()
{
    const QTreeWidgetItem* item = m_columns->currentItem();
    if (!item)
        return;
    const QSignalBlocker blockWidth(m_width);
    m_heading->setText(item->text(ColHeading));
    m_width->setValue(item->text(ColWidth).toInt());
    KalkeBredde();
}

void TFormModiListeUtskrift::headingEdited(const QString& text)
{
    if (QTreeWidgetItem* item = m_columns->currentItem())
        item->setText(ColHeading, text.trimmed());
}

void TFormModiListeUtskrift::widthEdited(int width)
{
    if (QTreeWidgetItem* item = m_columns->currentItem())
        item->setText(ColWidth, QString::number(width));
    KalkeBredde();
}

void TFormModiListeUtskrift::addFieldTag()
{
    const int feltNr = m_chooseField ? m_chooseField() : 0;
    if (feltNr <= 0)
        return;
    m_labelText->insertPlainText(
        QStringLiteral("[%FIELD%1]").arg(QString::fromStdString(layout::zeroPadded(feltNr, 3))));
}

void TFormModiListeUtskrift::testLabels()
{
    if (!m_FORFIL || !m_FORFIL->isOpen())
        return;
    try {
        if (!storeLabelHeader(*m_FORFIL, labelSettings()))
            return;
        if (m_labelTest)
            m_labelTest();
    } catch (...) {
        report(std::current_exception());
    }
}

FontSpec TFormModiListeUtskrift::fontOf(const FontControls& c) const
{
    FontSpec font;
    font.name = c.name->currentText().trimmed();
    font.size = c.size->value();
    font.bold = c.bold->isChecked();
    font.italic = c.italic->isChecked();
    font.underline = c.underline->isChecked();
    font.colour = bgrFromColour(buttonColour(c.colour));
    return font;
}

void TFormModiListeUtskrift::showFont(const FontControls& c, const FontSpec& font)
{
    const int index = c.name->findText(font.name.trimmed(), Qt::MatchFixedString);
    if (index >= 0)
        c.name->setCurrentIndex(index);
    c.size->setValue(font.size > 0 ? font.size : 8);
    c.bold->setChecked(font.bold);
    c.italic->setChecked(font.italic);
    c.underline->setChecked(font.underline);
    setButtonColour(c.colour, colourFromBgr(font.colour));
}

LabelSheet TFormModiListeUtskrift::sheet() const
{
    LabelSheet s;
    int* values[8] = {&s.columns, &s.rows, &s.top, &s.bottom, &s.left, &s.right, &s.hgap, &s.vgap};
    for (int i = 0; i < 8; ++i)
        *values[i] = m_sheet[i]->value();
    return s;
}

void TFormModiListeUtskrift::showSheet(const LabelSheet& s)
{
    const int values[8] = {s.columns, s.rows, s.top, s.bottom, s.left, s.right, s.hgap, s.vgap};
    for (int i = 0; i < 8; ++i) {
        const QSignalBlocker block(m_sheet[i]);
        m_sheet[i]->setValue(values[i]);
    }
}

LabelSettings TFormModiListeUtskrift::labelSettings() const
{
    LabelSettings labels;
    labels.found = true;
    labels.sheet = sheet();
    labels.font = fontOf(m_labelFont);
    for (QTextBlock block = m_labelText->document()->begin(); block.isValid(); block = block.next())
        labels.lines << block.text();
    return labels;
}

} // namespace kvilbo::printing
