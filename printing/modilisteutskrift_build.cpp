#include "printing/modilisteutskrift.h"

#include "core/messages.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDropEvent>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kvilbo::printing {

namespace {

// Rows are moved, never nested: the dragged rows go before the row under the
// mouse, or to the end below the last row.
class ColumnList : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    // A drag without a source widget comes from synthetic events of the same list
    // (tests); drags from other windows are refused.
    bool ours(const QDropEvent* event) const
    {
        return event->source() == this
            || (event->source() == nullptr
                && event->mimeData()->hasFormat(
                    QStringLiteral("application/x-qabstractitemmodeldatalist")));
    }

    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (event->source() == this)
            QTreeWidget::dragEnterEvent(event);
        else if (ours(event))
            event->acceptProposedAction();
    }

    void dragMoveEvent(QDragMoveEvent* event) override
    {
        if (event->source() == this)
            QTreeWidget::dragMoveEvent(event);
        else if (ours(event))
            event->acceptProposedAction();
    }

    void dropEvent(QDropEvent* event) override
    {
        if (!ours(event)) {
            event->ignore();
            return;
        }
        QTreeWidgetItem* target = itemAt(event->position().toPoint());
        QList<QTreeWidgetItem*> moving = selectedItems();
        if (moving.contains(target))
            target = nullptr;
        std::sort(moving.begin(), moving.end(), [this](auto* a, auto* b) {
            return indexOfTopLevelItem(a) < indexOfTopLevelItem(b);
        });
        for (QTreeWidgetItem* item : moving)
            takeTopLevelItem(indexOfTopLevelItem(item));
        int at = target ? indexOfTopLevelItem(target) : topLevelItemCount();
        for (QTreeWidgetItem* item : moving)
            insertTopLevelItem(at++, item);
        for (QTreeWidgetItem* item : moving)
            item->setSelected(true);
        setCurrentItem(moving.isEmpty() ? nullptr : moving.first());
        event->setDropAction(Qt::CopyAction); // the rows were moved here; the source removes nothing
        event->accept();
    }
};

QSpinBox* spin(QWidget* parent, const char* name, int min, int max, int value)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(min, max);
    box->setValue(value);
    return box;
}

QLabel* label(QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setWordWrap(true);
    return l;
}

} // namespace

FontControls TFormModiListeUtskrift::buildFontControls(QWidget* parent, const char* comboName,
                                                      const char* sizeName, const char* colourName,
                                                      int firstButton)
{
    FontControls c;
    c.name = new QFontComboBox(parent);
    c.name->setObjectName(QLatin1String(comboName));
    c.size = spin(parent, sizeName, 6, 90, 8);
    QToolButton** buttons[] = {&c.bold, &c.italic, &c.underline};
    for (int i = 0; i < 3; ++i) {
        *buttons[i] = new QToolButton(parent);
        (*buttons[i])->setObjectName(QStringLiteral("sSpeedButton%1").arg(firstButton + i));
        (*buttons[i])->setCheckable(true);
        m_textOf.emplace_back(*buttons[i], 11105 + i);
    }
    c.colour = new QPushButton(parent);
    c.colour->setObjectName(QLatin1String(colourName));
    QPushButton* colour = c.colour;
    connect(colour, &QPushButton::clicked, this, [this, colour] {
        const QColor chosen = QColorDialog::getColor(buttonColour(colour), this);
        if (chosen.isValid())
            setButtonColour(colour, chosen);
    });
    return c;
}

void TFormModiListeUtskrift::build()
{
    setMinimumSize(860, 680);
    auto* layout = new QVBoxLayout(this);
    for (int nr : {11010, 11012, 11014}) {
        QLabel* l = label(this);
        m_textOf.emplace_back(l, nr);
        layout->addWidget(l);
    }
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(buildListTab(), QString());
    m_tabs->addTab(buildCardTab(), QString());
    m_tabs->addTab(buildLabelTab(), QString());
    layout->addWidget(m_tabs, 1);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("sButton1"));
    layout->addWidget(m_ok, 0, Qt::AlignRight);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

static QLabel* captioned(QWidget* page, std::vector<std::pair<QWidget*, int>>& texts, int nr)
{
    QLabel* l = label(page);
    texts.emplace_back(l, nr);
    return l;
}

QWidget* TFormModiListeUtskrift::buildListTab()
{
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    m_columns = new ColumnList(page);
    m_columns->setObjectName(QStringLiteral("sListView2"));
    m_columns->setRootIsDecorated(false);
    m_columns->setColumnCount(7);
    m_columns->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_columns->setDragDropMode(QAbstractItemView::InternalMove);
    m_columns->setDefaultDropAction(Qt::MoveAction);
    grid->addWidget(m_columns, 0, 0, 1, 4);
    m_heading = new QLineEdit(page);
    m_heading->setObjectName(QStringLiteral("sEdit2"));
    m_width = spin(page, "sSpinEdit5", -1, 1000, 0);
    grid->addWidget(captioned(page, m_textOf, 11050), 1, 0);
    grid->addWidget(m_heading, 1, 1);
    grid->addWidget(captioned(page, m_textOf, 11052), 1, 2);
    grid->addWidget(m_width, 1, 3);
    m_listFont = buildFontControls(page, "sFontComboBox2", "sSpinEdit1", "sColorSelect3", 1);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(captioned(page, m_textOf, 11110));
    fontRow->addWidget(m_listFont.name, 1);
    fontRow->addWidget(captioned(page, m_textOf, 11111));
    for (QWidget* w : std::initializer_list<QWidget*>{m_listFont.size, m_listFont.bold, m_listFont.italic,
                                                      m_listFont.underline, m_listFont.colour})
        fontRow->addWidget(w);
    grid->addLayout(fontRow, 2, 0, 1, 4);
    grid->addWidget(captioned(page, m_textOf, 11120), 3, 0, 1, 4);
    m_shading = new QCheckBox(page);
    m_shading->setObjectName(QStringLiteral("sCheckBox3"));
    m_textOf.emplace_back(m_shading, 11121);
    grid->addWidget(m_shading, 4, 0, 1, 4);
    m_available = label(page);
    m_used = label(page);
    m_used->setObjectName(QStringLiteral("UsedWidthLabel"));
    m_printer = label(page);
    m_printer->setObjectName(QStringLiteral("PrinterLabel"));
    grid->addWidget(m_available, 5, 0, 1, 4);
    grid->addWidget(m_used, 6, 0, 1, 4);
    grid->addWidget(m_printer, 7, 0, 1, 4);
    grid->addWidget(captioned(page, m_textOf, 11130), 8, 0, 1, 4);
    auto* tips = new QHBoxLayout;
    for (int nr : {11145, 11146, 11147})
        tips->addWidget(captioned(page, m_textOf, nr));
    grid->addLayout(tips, 9, 0, 1, 4);
    connect(m_columns, &QTreeWidget::itemSelectionChanged, this, &TFormModiListeUtskrift::selectRow);
    connect(m_heading, &QLineEdit::textEdited, this, &TFormModiListeUtskrift::headingEdited);
    connect(m_width, &QSpinBox::valueChanged, this, &TFormModiListeUtskrift::widthEdited);
    return page;
}

QWidget* TFormModiListeUtskrift::buildCardTab()
{
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    m_template = new QPlainTextEdit(page);
    m_template->setObjectName(QStringLiteral("sMemo1"));
    m_template->setLineWrapMode(QPlainTextEdit::NoWrap);
    grid->addWidget(m_template, 0, 0, 1, 1);
    auto* tags = new QGridLayout;
    tags->addWidget(captioned(page, m_textOf, 11300), 0, 0, 1, 2);
    const char* names[] = {"[%JOB]", "[%DATE]", "[%TIME]", "[%PAGENO]",
                           "[%WWW]", "[%DBFNAME]", "[%RECNO]", "[%FIELD003]"};
    for (int i = 0; i < 8; ++i) {
        auto* tag = new QLabel(QLatin1String(names[i]), page);
        tag->setTextInteractionFlags(Qt::TextSelectableByMouse);
        tags->addWidget(tag, i + 1, 0);
        tags->addWidget(captioned(page, m_textOf, 11310 + 2 * i), i + 1, 1);
    }
    tags->setRowStretch(9, 1);
    grid->addLayout(tags, 0, 1);
    m_templatePath = label(page);
    m_templatePath->setObjectName(QStringLiteral("TemplatePathLabel"));
    grid->addWidget(m_templatePath, 1, 0, 1, 2);
    int row = 2;
    for (int nr : {11200, 11202, 11210, 11212, 11214})
        grid->addWidget(captioned(page, m_textOf, nr), row++, 0, 1, 2);
    return page;
}

QWidget* TFormModiListeUtskrift::buildLabelTab()
{
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->addWidget(captioned(page, m_textOf, 11680), 0, 0);
    m_labelText = new QPlainTextEdit(page);
    m_labelText->setObjectName(QStringLiteral("sMemo2"));
    m_labelText->setLineWrapMode(QPlainTextEdit::NoWrap);
    grid->addWidget(m_labelText, 1, 0, 2, 1);
    m_addField = new QPushButton(page);
    m_addField->setObjectName(QStringLiteral("LeggTilButton"));
    m_textOf.emplace_back(m_addField, 4020);
    grid->addWidget(m_addField, 3, 0);
    struct SheetControl { const char* name; int caption, min, max, start; };
    const SheetControl controls[8] = {
        {"sSpinEdit3", 11640, 2, 20, 3},  {"sSpinEdit2", 11645, 2, 30, 8},
        {"sSpinEdit4", 11651, 0, 300, 10}, {"sSpinEdit6", 11652, 0, 300, 10},
        {"sSpinEdit9", 11660, 0, 99, 5},   {"sSpinEdit10", 11662, 0, 99, 5},
        {"sSpinEdit7", 11670, 0, 200, 2},  {"sSpinEdit8", 11672, 0, 200, 2}};
    auto* form = new QFormLayout;
    for (int i = 0; i < 8; ++i) {
        const SheetControl& c = controls[i];
        m_sheet[i] = spin(page, c.name, c.min, c.max, c.start);
        QLabel* caption = captioned(page, m_textOf, c.caption);
        caption->setWordWrap(false);
        form->addRow(caption, m_sheet[i]);
        connect(m_sheet[i], &QSpinBox::valueChanged, this, &TFormModiListeUtskrift::KalkeLabels);
    }
    grid->addLayout(form, 1, 1);
    m_labelFont = buildFontControls(page, "sFontComboBox1", "sSpinEdit11", "sColorSelect1", 4);
    auto* fontRow = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{m_labelFont.name, m_labelFont.size, m_labelFont.bold,
                                                      m_labelFont.italic, m_labelFont.underline,
                                                      m_labelFont.colour})
        fontRow->addWidget(w);
    grid->addLayout(fontRow, 4, 0, 1, 2);
    auto* info = new QVBoxLayout;
    info->addWidget(captioned(page, m_textOf, 11690));
    for (QLabel*& l : m_labelInfo) {
        l = label(page);
        info->addWidget(l);
    }
    m_labelInfo[2]->setObjectName(QStringLiteral("LabelCountLabel"));
    m_labelInfo[3]->setObjectName(QStringLiteral("LabelWidthLabel"));
    m_labelInfo[4]->setObjectName(QStringLiteral("LabelHeightLabel"));
    for (int nr : {11692, 11693, 11694})
        info->addWidget(captioned(page, m_textOf, nr));
    m_test = new QPushButton(page);
    m_test->setObjectName(QStringLiteral("TestButton"));
    m_textOf.emplace_back(m_test, 11697);
    info->addWidget(m_test);
    grid->addLayout(info, 2, 1, 2, 1);
    connect(m_addField, &QPushButton::clicked, this, &TFormModiListeUtskrift::addFieldTag);
    connect(m_test, &QPushButton::clicked, this, &TFormModiListeUtskrift::testLabels);
    return page;
}

void TFormModiListeUtskrift::setTexts()
{
    for (const auto& [widget, nr] : m_textOf) {
        if (auto* l = qobject_cast<QLabel*>(widget))
            l->setText(tx(nr));
        else if (auto* b = qobject_cast<QAbstractButton*>(widget))
            b->setText(tx(nr));
    }
    for (int i = 0; i < 3; ++i)
        m_tabs->setTabText(i, tx(11020 + i));
    QStringList headers;
    for (int nr = 11040; nr <= 11046; ++nr)
        headers << tx(nr);
    m_columns->setHeaderLabels(headers);
    m_listFont.colour->setToolTip(tx(11108));
    m_labelFont.colour->setToolTip(tx(11108));
    m_available->setText(QString::fromStdString(m_texts.ss(11034, {190})));
}

QColor TFormModiListeUtskrift::buttonColour(const QPushButton* button)
{
    return button->property("colour").value<QColor>();
}

void TFormModiListeUtskrift::setButtonColour(QPushButton* button, const QColor& colour)
{
    button->setProperty("colour", colour);
    button->setStyleSheet(QStringLiteral("background-color: %1").arg(colour.name()));
}

} // namespace kvilbo::printing
