#include "search/sokemotor.h"

#include "search/card_grid.h"
#include "search/locate.h"
#include "search/search_form.h"

#include "cardview/converters.h"
#include "core/messages.h"
#include "engine/dbf_table.h"
#include "cardview/masked_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

namespace kvilbo::search {
namespace {

// Typed letters become lower case, as the value boxes of text fields want.
class LowerCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toLower();
        return Acceptable;
    }
};

QLabel *namedLabel(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

TFormSokemotor::TFormSokemotor(const core::Texts &texts, QWidget *parent)
    : QDialog(parent), m_texts(texts)
{
    setObjectName(QStringLiteral("FormSokemotor"));
    buildWidgets();
}

TFormSokemotor::~TFormSokemotor() = default;

void TFormSokemotor::setSearchTarget(engine::TDbfTable *DBF, CardGrid *grid)
{
    m_table = DBF;
    m_grid = grid;
}

QWidget *TFormSokemotor::buildConditionArea()
{
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("sGroupBox1"));
    auto *grid = new QGridLayout(box);
    grid->addWidget(namedLabel("sLabel21", box), 0, 0, 1, 3);
    grid->addWidget(namedLabel("sLabel25", box), 1, 0);
    grid->addWidget(namedLabel("sLabel26", box), 1, 1);
    grid->addWidget(namedLabel("sLabel28", box), 1, 2);
    for (int i = 0; i < kRows; ++i) {
        Row &row = m_rows[static_cast<std::size_t>(i)];
        row.field = new QComboBox(box);
        row.field->setObjectName(i == 0 ? QStringLiteral("scombobox1") : QStringLiteral("sComboBox%1").arg(2 * i + 1));
        row.field->setMinimumWidth(180);
        row.op = new QComboBox(box);
        row.op->setObjectName(QStringLiteral("sComboBox%1").arg(2 * i + 2));
        for (const QString &op : operatorItems())
            row.op->addItem(op);
        row.value = new cardview::MaskedEdit(box);
        row.value->setObjectName(QStringLiteral("sMaskEdit%1").arg(i + 1));
        row.value->setMinimumWidth(200);
        grid->addWidget(row.field, i + 2, 0);
        grid->addWidget(row.op, i + 2, 1);
        grid->addWidget(row.value, i + 2, 2);
        connect(row.field, &QComboBox::currentIndexChanged, this, [this, i] { fieldChosen(i + 1); });
        connect(row.op, &QComboBox::currentIndexChanged, this, [this] { OppdaterSokeListe(); });
        connect(row.value, &cardview::MaskedEdit::editingFinished, this, [this, i] { valueLeft(i + 1); });
    }
    return box;
}

QWidget *TFormSokemotor::buildOptionsArea()
{
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("sGroupBox2"));
    auto *layout = new QVBoxLayout(box);
    const auto check = [&](const char *name, bool on) {
        auto *c = new QCheckBox(box);
        c->setObjectName(QLatin1String(name));
        c->setChecked(on);
        layout->addWidget(c);
        return c;
    };
    m_matchCase = check("sCheckBox5", false);
    m_stopFirst = check("sCheckBox3", false);
    m_partial = check("sCheckBox6", true);
    m_clearMarks = check("sCheckBox1", true);
    connect(m_partial, &QCheckBox::toggled, this, [this] { OppdaterSokeListe(); });
    layout->addWidget(namedLabel("sLabel30", box));
    for (const char *tip : {"sLabel32", "sLabel34", "sLabel36"}) {
        QLabel *label = namedLabel(tip, box);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    return box;
}

void TFormSokemotor::buildWidgets()
{
    auto *top = new QHBoxLayout;
    top->addWidget(buildConditionArea(), 3);
    top->addWidget(buildOptionsArea(), 2);

    auto *summaryBox = new QGroupBox(this);
    summaryBox->setObjectName(QStringLiteral("sGroupBox3"));
    m_summary = namedLabel("sLabel6", summaryBox);
    m_summary->setWordWrap(true);
    (new QVBoxLayout(summaryBox))->addWidget(m_summary);

    m_status = namedLabel("sokeinfo", this);
    auto *close = new QPushButton(this);
    close->setObjectName(QStringLiteral("sButton1"));
    close->setAutoDefault(false);
    auto *search = new QPushButton(this);
    search->setObjectName(QStringLiteral("sButton2"));
    search->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(search, &QPushButton::clicked, this, &TFormSokemotor::sButton2Click);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(close);
    bottom->addWidget(search);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(summaryBox);
    layout->addLayout(bottom);
}

void TFormSokemotor::setTexts()
{
    const auto t = [this](int n) { return QString::fromStdString(m_texts.ss(n)); };
    const auto label = [this](const char *name) { return findChild<QLabel *>(QLatin1String(name)); };
    setWindowTitle(t(9000));
    findChild<QGroupBox *>(QStringLiteral("sGroupBox1"))->setTitle(QStringLiteral("  ") + t(9020));
    findChild<QGroupBox *>(QStringLiteral("sGroupBox2"))->setTitle(QStringLiteral("  ") + t(9400));
    findChild<QGroupBox *>(QStringLiteral("sGroupBox3"))->setTitle(QStringLiteral("  ") + t(9050));
    label("sLabel21")->setText(t(9021));
    label("sLabel25")->setText(t(9025));
    label("sLabel26")->setText(t(9026));
    label("sLabel28")->setText(t(9028));
    label("sLabel30")->setText(t(9030));
    label("sLabel32")->setText(t(9032));
    label("sLabel34")->setText(t(9034));
    label("sLabel36")->setText(t(9036));
    m_matchCase->setText(t(9040));
    m_stopFirst->setText(t(9042));
    m_partial->setText(t(9044));
    m_partial->setToolTip(t(9045));
    m_clearMarks->setText(t(9046));
    m_summary->setText(t(9061));
    findChild<QPushButton *>(QStringLiteral("sButton1"))->setText(t(9100));
    findChild<QPushButton *>(QStringLiteral("sButton2"))->setText(t(9110));
}

void TFormSokemotor::FormShow()
{
    setTexts();
    for (int i = 0; i < kRows; ++i) {
        Row &row = m_rows[static_cast<std::size_t>(i)];
        const QSignalBlocker blockField(row.field), blockOp(row.op), blockValue(row.value);
        row.field->clear();
        if (i > 0)
            row.field->addItem(notUsedItem(m_texts));
        if (m_table && m_table->isOpen()) {
            for (int f = 1; f <= m_table->fieldCount(); ++f)
                row.field->addItem(fieldItemText(f, QString::fromStdString(m_table->FieldName(f))));
        }
        row.field->setCurrentIndex(0);
        row.op->setCurrentIndex(0);
        row.value->clear();
    }
    // Row 1 shows a field from the start, so its value box follows that field at once.
    if (m_table && m_table->isOpen() && m_table->fieldCount() > 0)
        TvingFormatering(1, 1);
    OppdaterSokeListe();
    setStatus(9200);
}

void TFormSokemotor::TvingFormatering(int row, int feltNr)
{
    if (row < 1 || row > kRows || !m_table || feltNr < 1 || feltNr > m_table->fieldCount())
        return;
    Row &r = m_rows[static_cast<std::size_t>(row - 1)];
    const ValueRules rules = valueRules(m_table->GetField(feltNr), m_texts.spraak());
    const QSignalBlocker block(r.value);
    r.feltNr = feltNr;
    r.value->setValidator(nullptr);
    r.value->setEditMask(rules.mask);
    if (rules.mask.isEmpty())
        r.value->setMaxLength(rules.maxLength);
    if (rules.lowerCase)
        r.value->setValidator(new LowerCaseValidator(r.value));
    r.value->setFieldText(rules.initialText);
}

void TFormSokemotor::fieldChosen(int row)
{
    const int feltNr = fieldNumberOfItem(m_rows[static_cast<std::size_t>(row - 1)].field->currentText());
    if (feltNr > 0)
        TvingFormatering(row, feltNr);
    OppdaterSokeListe();
}

void TFormSokemotor::valueLeft(int row)
{
    Row &r = m_rows[static_cast<std::size_t>(row - 1)];
    if (m_table && r.feltNr >= 1 && r.feltNr <= m_table->fieldCount()) {
        const engine::TdbField f = m_table->GetField(r.feltNr);
        if (f.what == 'N') {
            try {
                const QSignalBlocker block(r.value);
                r.value->setFieldText(cardview::FreshNum(r.value->fieldText(), f.len, f.places, m_texts.spraak()));
            } catch (const cardview::ConversionError &) {
                // Left as typed: a value that is no number makes its condition false.
            }
        }
    }
    OppdaterSokeListe();
}

void TFormSokemotor::OppdaterSokeListe()
{
    std::vector<ConditionRow> rows;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const Row &r = m_rows[i];
        const QString item = r.field->currentText();
        rows.push_back({i == 0 || fieldNumberOfItem(item) > 0, item, r.op->currentText(), r.value->fieldText()});
    }
    const ConditionLists lists = buildConditionLists(rows, m_texts);
    m_feltnavn = lists.feltnavn;
    m_operatorer = lists.operatorer;
    m_verdier = lists.verdier;
    m_summary->setText(lists.summary);
}

void TFormSokemotor::setStatus(int text, int k, int total)
{
    m_status->setText(QString::fromStdString(text == 9320 ? m_texts.ss(text, {k, total}) : m_texts.ss(text)));
    m_status->repaint();
}

void TFormSokemotor::sButton2Click()
{
    core::Stopwatch own;
    core::Stopwatch &stopwatch = m_stopwatch ? *m_stopwatch : own;
    stopwatch.TidTeller("start");
    setStatus(9300);
    OppdaterSokeListe();
    setStatus(9310);
    int k = 0;
    if (m_table && m_grid) {
        const LocateOptions options{m_clearMarks->isChecked(), m_stopFirst->isChecked(), m_partial->isChecked(),
                                    m_matchCase->isChecked()};
        k = Locate(*m_table, *m_grid, m_feltnavn, m_operatorer, m_verdier, options,
                   QLatin1Char(m_texts.decimalSeparator()));
    }
    stopwatch.TidTeller("stopp");
    if (k < 1)
        setStatus(9330);
    else
        setStatus(9320, k, m_table->RecCount());
}

void TFormSokemotor::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TFormSokemotor::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && !m_defEsc) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kvilbo::search
