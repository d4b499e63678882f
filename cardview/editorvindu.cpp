#include "cardview/editorvindu.h"

#include "core/config.h"
#include "core/messages.h"
#include "engine/cp1252.h"

#include <QFile>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QScrollBar>
#include <QStringDecoder>
#include <QStyle>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kvilbo::cardview {

namespace {

constexpr int kCaption = 6000;
constexpr int kHeader = 6010;
constexpr int kHeaderText = 6012;
constexpr int kFilter = 6100;
constexpr int kImportTitle = 6101;
constexpr int kHintSmaller = 6020;
constexpr int kHintLarger = 6021;
constexpr int kHintTop = 6022;
constexpr int kHintBottom = 6023;
constexpr int kHintImport = 6028;
constexpr int kHintExport = 6029;
constexpr int kHintClear = 6030;
constexpr int kHintPrint = 6031;
constexpr int kHintClose = 6032;

// "Text (*.txt)|*.TXT|All (*.*)|*.*" as Qt writes a name filter.
QString qtFilter(const QString &pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts[i].section(QLatin1Char('('), 0, 0).trimmed(), patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

QString defaultOpen(QWidget *parent, const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString defaultSave(QWidget *parent, const QString &folder, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, QString(), folder, filter);
}

} // namespace

TForm2::TForm2(const core::TKonfig &Konfig, const core::Texts &texts, std::filesystem::path programFolder,
               QWidget *parent)
    : QDialog(parent)
    , m_Konfig(Konfig)
    , m_texts(texts)
    , m_programFolder(std::move(programFolder))
    , m_dialogs{defaultOpen, defaultSave}
{
    setObjectName(QStringLiteral("Form2"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    setMinimumSize(200, 200);
    buildWindow();
    resize(712, 557);
}

QString TForm2::text(int number) const
{
    return QString::fromStdString(m_texts.ss(number));
}

QToolButton *TForm2::addButton(const char *name, const QString &caption, int hint)
{
    auto *bar = findChild<QToolBar *>(QStringLiteral("sToolBar1"));
    auto *button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setFocusPolicy(Qt::NoFocus);
    if (hint > 0)
        button->setToolTip(text(hint));
    bar->addWidget(button);
    return button;
}

void TForm2::buildWindow()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_header = new QLabel(this);
    m_header->setObjectName(QStringLiteral("sLabel1"));
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);
    m_headerText = new QLabel(this);
    m_headerText->setObjectName(QStringLiteral("sLabel2"));
    layout->addWidget(m_header);
    layout->addWidget(m_headerText);

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("sToolBar1"));
    layout->addWidget(bar);
    connect(addButton("ToolButton10", QStringLiteral("A-"), kHintSmaller), &QToolButton::clicked, this,
            [this] { changeFontSize(-1); });
    connect(addButton("ToolButton12", QStringLiteral("A+"), kHintLarger), &QToolButton::clicked, this,
            [this] { changeFontSize(1); });
    bar->addSeparator();
    QToolButton *top = addButton("ToolButton14", QString(), kHintTop);
    top->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    connect(top, &QToolButton::clicked, this, [this] {
        m_sMemo1->moveCursor(QTextCursor::Start);
        m_sMemo1->ensureCursorVisible();
    });
    QToolButton *bottom = addButton("ToolButton16", QString(), kHintBottom);
    bottom->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    connect(bottom, &QToolButton::clicked, this, [this] {
        m_sMemo1->verticalScrollBar()->setValue(m_sMemo1->verticalScrollBar()->maximum());
    });
    bar->addSeparator();
    const char *insertNames[4] = {"ToolButton17", "ToolButton2", "ToolButton3", "ToolButton4"};
    for (int i = 0; i < 4; ++i) {
        m_insert[i] = addButton(insertNames[i], QString::number(i + 1), 0);
        connect(m_insert[i], &QToolButton::clicked, this, [this, i] { SettinnTekst(m_insert[i]->toolTip()); });
    }
    bar->addSeparator();
    QToolButton *import = addButton("ToolButton6", QString(), kHintImport);
    import->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    connect(import, &QToolButton::clicked, this, &TForm2::importText);
    QToolButton *exportButton = addButton("ToolButton7", QString(), kHintExport);
    exportButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    connect(exportButton, &QToolButton::clicked, this, &TForm2::exportText);
    QToolButton *clear = addButton("ToolButton8", QString(), kHintClear);
    clear->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    connect(clear, &QToolButton::clicked, this, [this] { m_sMemo1->clear(); });
    QToolButton *print = addButton("ToolButton9", QStringLiteral("P"), kHintPrint);
    print->setEnabled(false);
    connect(print, &QToolButton::clicked, this, [this] {
        if (m_print)
            m_print(m_sMemo1->toPlainText());
    });
    QToolButton *close = addButton("ToolButton11", QString(), kHintClose);
    close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    connect(close, &QToolButton::clicked, this, &QDialog::accept);

    m_sMemo1 = new QPlainTextEdit(this);
    m_sMemo1->setObjectName(QStringLiteral("sMemo1"));
    m_sMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette pal = m_sMemo1->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    m_sMemo1->setPalette(pal);
    m_sMemo1->installEventFilter(this);
    connect(m_sMemo1, &QPlainTextEdit::cursorPositionChanged, this, &TForm2::OppdaterLINKOL);
    layout->addWidget(m_sMemo1, 1);

    auto *status = new QHBoxLayout;
    m_linje = new QLabel(this);
    m_linje->setObjectName(QStringLiteral("linje"));
    m_kolonne = new QLabel(this);
    m_kolonne->setObjectName(QStringLiteral("kolonne"));
    status->addWidget(m_linje);
    status->addWidget(m_kolonne);
    status->addStretch(1);
    layout->addLayout(status);
    OppdaterLINKOL();
}

void TForm2::setPrinter(std::function<void(const QString &)> print)
{
    m_print = std::move(print);
    findChild<QToolButton *>(QStringLiteral("ToolButton9"))->setEnabled(static_cast<bool>(m_print));
}

QString TForm2::RedigerTekst(const QString &text)
{
    // The memo files keep Windows line ends; a text that came with them goes back with them.
    const bool bareNewlines = text.contains(QLatin1Char('\n')) && !text.contains(QStringLiteral("\r\n"));
    m_sMemo1->setPlainText(text);
    exec();
    QString result = m_sMemo1->toPlainText();
    if (!bareNewlines)
        result.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return result;
}

void TForm2::SettinnTekst(const QString &Tekstinnhold)
{
    QTextCursor cursor = m_sMemo1->textCursor();
    cursor.setPosition(std::max(cursor.position(), cursor.anchor()));
    cursor.insertText(Tekstinnhold);
    m_sMemo1->setTextCursor(cursor);
}

void TForm2::OppdaterLINKOL()
{
    const QTextCursor cursor = m_sMemo1->textCursor();
    m_linje->setText(QStringLiteral("%1").arg(cursor.blockNumber() + 1, 5, 10, QLatin1Char('0')));
    m_kolonne->setText(QStringLiteral("%1").arg(cursor.positionInBlock() + 1, 4, 10, QLatin1Char('0')));
}

void TForm2::FormActivate()
{
    setWindowTitle(text(kCaption));
    m_header->setText(text(kHeader));
    m_headerText->setText(text(kHeaderText));
    const std::string predefined[4] = {m_Konfig.ListeStdTxt1.text(), m_Konfig.ListeStdTxt2.text(),
                                       m_Konfig.ListeStdTxt3.text(), m_Konfig.ListeStdTxt4.text()};
    for (int i = 0; i < 4; ++i)
        m_insert[i]->setToolTip(QString::fromStdString(predefined[i]).trimmed());
    m_sMemo1->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TForm2::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (m_Konfig.DefEsc)
            accept();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    // The window sees Esc before the text does.
    if (watched == m_sMemo1 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        keyPressEvent(static_cast<QKeyEvent *>(event));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm2::changeFontSize(int step)
{
    QFont font = m_sMemo1->font();
    font.setPointSize(std::max(1, font.pointSize() + step));
    m_sMemo1->setFont(font);
}

QString TForm2::readTextFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TextFileError(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()).toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw TextFileError(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()).toStdString());
    QString text;
    if (const std::optional<QStringConverter::Encoding> bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom);
        text = decoder.decode(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
    } else {
        text = QString::fromStdString(engine::fromCp1252(std::string_view(bytes.constData(), bytes.size())));
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString TForm2::writeTextFile(const QString &path, const QString &text)
{
    const QFileInfo info(path);
    const QString target = info.dir().filePath(info.completeBaseName() + QStringLiteral(".TXT"));
    QString lines = text;
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    if (!lines.isEmpty() && !lines.endsWith(QStringLiteral("\r\n")))
        lines += QStringLiteral("\r\n");
    const std::string bytes = engine::toCp1252(lines.toStdString());
    // Written beside and moved into place, so a failed write leaves any old file whole.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), static_cast<qint64>(bytes.size())) < 0
        || !file.commit())
        throw TextFileError(QStringLiteral("Cannot write %1: %2").arg(target, file.errorString()).toStdString());
    return target;
}

void TForm2::importText()
{
    const QString folder = QString::fromStdString(m_programFolder.string());
    const QString path = m_dialogs.open(this, text(kImportTitle), folder, qtFilter(text(kFilter)));
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    try {
        SettinnTekst(readTextFile(path));
    } catch (...) {
        emit failed(std::current_exception());
    }
}

void TForm2::exportText()
{
    const QString folder = QString::fromStdString(m_programFolder.string());
    const QString path = m_dialogs.save(this, folder, qtFilter(text(kFilter)));
    if (path.isEmpty())
        return;
    try {
        writeTextFile(path, m_sMemo1->toPlainText());
    } catch (...) {
        emit failed(std::current_exception());
    }
}

} // namespace kvilbo::cardview
