#include "dialogs/lagnydatabase.h"

#include "core/config.h"
#include "core/messages.h"
#include "dialogs/dialog_prompts.h"

#include <QComboBox>
#include <QDropEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>

namespace kvilbo::dialogs {
namespace {

// The name box takes letters, digits and the underscore only, in upper case.
class FieldNameValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        if (input.size() > kFieldNameMax)
            return Invalid;
        for (const QChar c : input)
            if (!isFieldNameChar(c.unicode()))
                return Invalid;
        input = input.toUpper();
        return Acceptable;
    }
};

QString padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

QPushButton *plainButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    // Enter belongs to the name box; it must not create the table.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

FieldListView::FieldListView(QWidget *parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDropIndicatorShown(true);
}

void FieldListView::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void FieldListView::dragMoveEvent(QDragMoveEvent *event)
{
    // Only rows of this list are dragged here; the drop moves the selected ones.
    if (event->mimeData()->hasFormat(mimeTypes().constFirst())) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void FieldListView::dropEvent(QDropEvent *event)
{
    std::vector<int> rows;
    for (QTreeWidgetItem *item : selectedItems())
        rows.push_back(indexOfTopLevelItem(item));
    QTreeWidgetItem *target = itemAt(event->position().toPoint());
    const int before = target != nullptr ? indexOfTopLevelItem(target) : topLevelItemCount();
    // The list is rebuilt from the moved rows; Qt must not move items itself.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (!rows.empty() && m_onMove)
        m_onMove(std::move(rows), before);
}

TFormLagNyDatabase::TFormLagNyDatabase(const core::TKonfig &konfig, const core::Texts &texts,
                                       std::filesystem::path programFolder, DialogPrompts *prompts,
                                       QWidget *parent)
    : SecondaryDialog([&konfig] { return bool(konfig.DefEsc); }, parent),
      m_konfig(konfig),
      m_texts(texts),
      m_programFolder(std::move(programFolder)),
      m_prompts(prompts != nullptr ? *prompts : realPrompts())
{
    setObjectName(QStringLiteral("FormLagNyDatabase"));
    buildWindow();
    FormShow();
}

QString TFormLagNyDatabase::text(int number) const
{
    return QString::fromStdString(m_texts.ss(number));
}

void TFormLagNyDatabase::buildWindow()
{
    auto *sLabel55 = new QLabel(text(4000), this);
    sLabel55->setObjectName(QStringLiteral("sLabel55"));
    QFont bold = sLabel55->font();
    bold.setBold(true);
    sLabel55->setFont(bold);
    auto *sLabel1 = new QLabel(text(4001), this);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));

    m_sListView2 = new FieldListView(this);
    m_sListView2->setObjectName(QStringLiteral("sListView2"));
    m_sListView2->setHeaderLabels({text(1103), text(1104), text(1105), text(1106)});
    m_sListView2->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_sListView2->setMoveHandler([this](std::vector<int> rows, int before) {
        moveSelected(std::move(rows), before);
    });
    connect(m_sListView2, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (!m_loading && item != nullptr)
            loadRow(m_sListView2->indexOfTopLevelItem(item));
    });

    auto *left = new QVBoxLayout;
    left->addWidget(sLabel55);
    left->addWidget(sLabel1);
    left->addWidget(m_sListView2, 1);

    auto *top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addWidget(buildEditPanel(), 2);

    auto *fileLabel = new QLabel(text(4004), this);
    m_sFilenameEdit1 = new QLineEdit(this);
    m_sFilenameEdit1->setObjectName(QStringLiteral("sFilenameEdit1"));
    fileLabel->setBuddy(m_sFilenameEdit1);
    auto *browse = new QToolButton(this);
    browse->setObjectName(QStringLiteral("sFilenameEdit1Button"));
    browse->setText(QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, [this] { guarded([this] { sFilenameEdit1Browse(); }); });
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(m_sFilenameEdit1, 1);
    fileRow->addWidget(browse);

    auto *sLabel2 = new QLabel(text(4030), this);
    sLabel2->setObjectName(QStringLiteral("sLabel2"));
    sLabel2->setWordWrap(true);
    m_meld = new QLabel(this);
    m_meld->setObjectName(QStringLiteral("meld"));
    m_meld->setFont(bold);

    auto *sButton1 = plainButton("sButton1", text(2510), this);
    auto *sButton2 = plainButton("sButton2", text(2500), this);
    connect(sButton1, &QPushButton::clicked, this, &QDialog::reject);
    connect(sButton2, &QPushButton::clicked, this, [this] { guarded([this] { sButton2Click(); }); });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_meld, 1);
    buttons->addWidget(sButton1);
    buttons->addWidget(sButton2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(fileRow);
    layout->addWidget(sLabel2);
    layout->addLayout(buttons);
    setWindowTitle(text(4080));
    resize(720, 480);
}

QWidget *TFormLagNyDatabase::buildEditPanel()
{
    auto *panel = new QWidget(this);
    auto *sLabel53 = new QLabel(text(4005), panel);
    sLabel53->setObjectName(QStringLiteral("sLabel53"));
    QFont bold = sLabel53->font();
    bold.setBold(true);
    sLabel53->setFont(bold);

    m_sEdit3 = new QLineEdit(panel);
    m_sEdit3->setObjectName(QStringLiteral("sEdit3"));
    m_sEdit3->setMaxLength(kFieldNameMax);
    m_sEdit3->setValidator(new FieldNameValidator(m_sEdit3));
    connect(m_sEdit3, &QLineEdit::textChanged, this, [this] { sEdit3Change(); });

    m_sComboBox1 = new QComboBox(panel);
    m_sComboBox1->setObjectName(QStringLiteral("sComboBox1"));
    for (int k = 0; k < kFieldKindCount; ++k)
        m_sComboBox1->addItem(text(fieldKindText(static_cast<FieldKind>(k))));
    connect(m_sComboBox1, &QComboBox::activated, this, [this](int index) { sComboBox1Change(index); });

    m_sSpinEdit5 = new QSpinBox(panel);
    m_sSpinEdit5->setObjectName(QStringLiteral("sSpinEdit5"));
    connect(m_sSpinEdit5, &QSpinBox::valueChanged, this, [this](int v) { sSpinEdit5Change(v); });
    m_sSpinEdit6 = new QSpinBox(panel);
    m_sSpinEdit6->setObjectName(QStringLiteral("sSpinEdit6"));
    connect(m_sSpinEdit6, &QSpinBox::valueChanged, this, [this](int v) { sSpinEdit6Change(v); });

    auto *form = new QFormLayout;
    form->addRow(text(4007), m_sEdit3);
    form->addRow(text(4008), m_sComboBox1);
    form->addRow(text(4009), m_sSpinEdit5);
    form->addRow(text(4010), m_sSpinEdit6);

    auto *add = plainButton("sSpeedButton1", text(4020), panel);
    auto *remove = plainButton("sSpeedButton2", text(4021), panel);
    connect(add, &QPushButton::clicked, this, [this] { sSpeedButton1Click(); });
    connect(remove, &QPushButton::clicked, this, [this] { sSpeedButton2Click(); });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);

    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(sLabel53);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addStretch(1);
    return panel;
}

void TFormLagNyDatabase::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    SecondaryDialog::showEvent(event);
}

void TFormLagNyDatabase::FormShow()
{
    m_rows = {defaultFieldRow(m_texts.ss(4070))};
    m_created.clear();
    refreshList();
    selectRow(0);
    m_sFilenameEdit1->clear();
    m_meld->setText(text(4050));
}

void TFormLagNyDatabase::refreshList()
{
    m_loading = true;
    m_sListView2->clear();
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_sListView2->addTopLevelItem(new QTreeWidgetItem(QStringList(4, QString())));
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        refreshRow(static_cast<int>(i));
    m_loading = false;
}

void TFormLagNyDatabase::refreshRow(int row)
{
    QTreeWidgetItem *item = m_sListView2->topLevelItem(row);
    if (item == nullptr)
        return;
    const FieldRow &r = m_rows[static_cast<std::size_t>(row)];
    item->setText(0, QString::fromStdString(r.name));
    item->setText(1, text(fieldKindText(r.kind)));
    item->setText(2, padded(r.length, 3));
    item->setText(3, padded(r.decimals, 2));
}

void TFormLagNyDatabase::selectRow(int row)
{
    QTreeWidgetItem *item = m_sListView2->topLevelItem(row);
    if (item == nullptr)
        return;
    m_loading = true;
    m_sListView2->setCurrentItem(item);
    m_loading = false;
    loadRow(row);
}

void TFormLagNyDatabase::loadRow(int row)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return;
    m_current = row;
    const FieldRow r = m_rows[static_cast<std::size_t>(row)];
    m_loading = true;
    m_sEdit3->setText(QString::fromStdString(r.name));
    m_sComboBox1->setCurrentIndex(static_cast<int>(r.kind));
    applyBoxRules(r.kind);
    m_sSpinEdit5->setValue(r.length);
    m_sSpinEdit6->setValue(r.decimals);
    m_loading = false;
}

void TFormLagNyDatabase::applyBoxRules(FieldKind kind)
{
    const KindRule rule = kindRule(kind);
    m_sSpinEdit5->setRange(rule.lengthMin, rule.lengthMax);
    m_sSpinEdit5->setEnabled(rule.lengthOpen);
    m_sSpinEdit6->setRange(0, rule.decimalsMax);
    m_sSpinEdit6->setEnabled(rule.decimalsOpen);
}

void TFormLagNyDatabase::sEdit3Change()
{
    if (m_loading || m_current < 0)
        return;
    m_rows[static_cast<std::size_t>(m_current)].name = m_sEdit3->text().trimmed().toStdString();
    refreshRow(m_current);
}

void TFormLagNyDatabase::sComboBox1Change(int index)
{
    if (m_current < 0 || index < 0 || index >= kFieldKindCount)
        return;
    FieldRow &row = m_rows[static_cast<std::size_t>(m_current)];
    row = row.withKind(static_cast<FieldKind>(index));
    refreshRow(m_current);
    loadRow(m_current);
}

void TFormLagNyDatabase::sSpinEdit5Change(int value)
{
    if (m_loading || m_current < 0)
        return;
    m_rows[static_cast<std::size_t>(m_current)].length = value;
    refreshRow(m_current);
}

void TFormLagNyDatabase::sSpinEdit6Change(int value)
{
    if (m_loading || m_current < 0)
        return;
    m_rows[static_cast<std::size_t>(m_current)].decimals = value;
    refreshRow(m_current);
}

void TFormLagNyDatabase::sSpeedButton1Click()
{
    m_rows.push_back(defaultFieldRow(m_texts.ss(4070)));
    refreshList();
    selectRow(static_cast<int>(m_rows.size()) - 1);
}

void TFormLagNyDatabase::sSpeedButton2Click()
{
    if (m_rows.size() <= 1 || m_current < 0)
        return;
    const int removed = m_current;
    m_rows.erase(m_rows.begin() + removed);
    refreshList();
    selectRow(std::min(removed, static_cast<int>(m_rows.size()) - 1));
}

void TFormLagNyDatabase::moveSelected(std::vector<int> rows, int before)
{
    int newIndex = before;
    for (const int r : rows)
        if (r < before)
            --newIndex;
    m_rows = moveRows(m_rows, std::move(rows), before);
    refreshList();
    selectRow(std::clamp(newIndex, 0, static_cast<int>(m_rows.size()) - 1));
}

void TFormLagNyDatabase::sFilenameEdit1Browse()
{
    const std::filesystem::path folder = wizardStartFolder(m_konfig, m_programFolder);
    const QString chosen = m_prompts.saveFileName(this, QString::fromStdString(folder.string()),
                                                  text(4085), 1);
    if (!chosen.isEmpty())
        m_sFilenameEdit1->setText(QString::fromStdString(withTableExtension(chosen.toStdString())));
}

void TFormLagNyDatabase::sButton2Click()
{
    const auto confirm = [this](const std::string &fileName) {
        const QString question = QString::fromStdString(m_texts.ss(4082, {fileName}));
        return m_prompts.askYesNoCancel(this, windowTitle(), question) == Answer::Yes;
    };
    std::string fileName = m_sFilenameEdit1->text().trimmed().toStdString();
    // A bare name typed into the box lands where the file dialog would have started.
    if (!fileName.empty() && std::filesystem::path(fileName).is_relative())
        fileName = (wizardStartFolder(m_konfig, m_programFolder) / fileName).string();
    const int message = createNewDatabase(m_rows, fileName, confirm);
    if (message != 0) {
        m_meld->setText(text(message));
        return;
    }
    m_created = fileName;
    m_meld->clear();
    accept();
}

} // namespace kvilbo::dialogs
