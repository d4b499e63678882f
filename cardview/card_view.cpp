#include "cardview/card_view.h"

#include "cardview/builtin_pictures.h"
#include "cardview/card_layout.h"
#include "cardview/field_editor.h"
#include "cardview/masked_edit.h"
#include "core/messages.h"
#include "engine/dbf_table.h"
#include "layout/layout_fields.h"
#include "printing/field_text.h"
#include "printing/templates.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QVariant>

#include <algorithm>

namespace kvilbo::cardview {

namespace {

constexpr int kTextBoxTag = 301;
constexpr int kPictureTag = 302;
constexpr int kMissingPicture = 2080;
constexpr int kNoDatabase = 2900;

QColor colourOf(std::uint32_t bgr)
{
    return QColor::fromRgb(rgbOfColour(bgr));
}

QFont fontOf(const CardObject &o, const QFont &base)
{
    QFont font = base;
    if (!o.fontName.isEmpty())
        font.setFamily(o.fontName);
    if (o.fontSize > 0)
        font.setPointSize(o.fontSize);
    font.setUnderline(o.underline);
    font.setItalic(o.italic);
    font.setBold(o.bold);
    return font;
}

Qt::Alignment alignmentOf(CardObject::Align align)
{
    switch (align) {
    case CardObject::Align::Right: return Qt::AlignRight;
    case CardObject::Align::Centre: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

void placeAndColour(QWidget *w, const CardObject &o, QPalette::ColorRole back, QPalette::ColorRole fore)
{
    w->setGeometry(o.left, o.top, o.width, o.height);
    w->setFont(fontOf(o, w->font()));
    QPalette pal = w->palette();
    pal.setColor(back, colourOf(o.backgroundColour));
    pal.setColor(fore, colourOf(o.textColour));
    w->setPalette(pal);
}

} // namespace

CardView::CardView(QScrollArea *bakgrunn1, engine::TDbfTable &DBF, CardContext context, QObject *parent)
    : QObject(parent)
    , m_bakgrunn1(bakgrunn1)
    , m_DBF(DBF)
    , m_context(std::move(context))
    , m_editor(new FieldEditor(DBF, m_context.options, this))
{
    m_bakgrunn1->viewport()->installEventFilter(this);
}

CardView::~CardView() = default;

QWidget *CardView::card() const
{
    return m_bakgrunn1->widget();
}

void CardView::setOptions(const EditOptions &options)
{
    m_context.options = options;
    m_editor->setOptions(options);
}

void CardView::clear()
{
    m_fields.clear();
    m_tabStops.clear();
    const QList<QWidget *> children = card()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        delete *it;
    m_pictureCount = 0;
    m_textBoxCount = 0;
}

void CardView::formularsettoppSIDE(engine::TDbfTable &FORFIL)
{
    m_bakgrunn1->hide();
    clear();
    const CardLayout layout = readCardLayout(FORFIL, m_DBF);
    if (layout.hasBackground) {
        QPalette pal = card()->palette();
        pal.setColor(QPalette::Window, colourOf(layout.background));
        card()->setPalette(pal);
        card()->setAutoFillBackground(true);
    }
    std::vector<QWidget *> made(layout.objects.size(), nullptr);
    for (std::size_t i = 0; i < layout.objects.size(); ++i) {
        const CardObject &o = layout.objects[i];
        switch (o.kind) {
        case CardObject::Kind::Picture: addPicture(o); break;
        case CardObject::Kind::TextBox: addTextBox(o); break;
        case CardObject::Kind::Field:
            addField(o);
            made[i] = m_fields.back();
            break;
        default: break;
        }
    }
    QWidget *previous = nullptr;
    for (int index : tabOrder(layout.objects)) {
        QWidget *w = made[static_cast<std::size_t>(index)];
        w->setFocusPolicy(Qt::StrongFocus);
        m_tabStops.push_back(w);
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
    fitCard();
}

void CardView::addPicture(const CardObject &o)
{
    auto *picture = new QLabel(card());
    picture->setObjectName(QStringLiteral("Picture%1").arg(++m_pictureCount));
    picture->setProperty("Tag", kPictureTag);
    picture->setGeometry(o.left, o.top, o.width, o.height);
    picture->setScaledContents(o.stretch);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setToolTip(o.refText);
    if (o.refText == QLatin1String(layout::kInterntBilde.data(), layout::kInterntBilde.size())) {
        picture->setPixmap(internalPicture());
    } else {
        const QString folder = QFileInfo(QString::fromStdString(m_DBF.fileName())).absolutePath();
        const QString path = picturePathOf(o.refText, folder);
        QImageReader reader(path);
        const QImage image = QFileInfo::exists(path) ? reader.read() : QImage();
        if (!image.isNull()) {
            picture->setPixmap(QPixmap::fromImage(image));
        } else {
            if (m_context.MSG && m_context.texts)
                m_context.MSG(m_context.texts->ss(kMissingPicture, {o.refText.toStdString()}), true);
            picture->setPixmap(missingPicture());
        }
    }
    picture->show();
    picture->lower();
}

void CardView::addTextBox(const CardObject &o)
{
    auto *box = new QLabel(card());
    box->setObjectName(QStringLiteral("TextBox%1").arg(++m_textBoxCount));
    box->setProperty("Tag", kTextBoxTag);
    box->setWordWrap(true);
    box->setAlignment(alignmentOf(o.align) | Qt::AlignTop);
    placeAndColour(box, o, QPalette::Window, QPalette::WindowText);
    box->setAutoFillBackground(!o.transparent);
    printing::TemplateSources sources;
    sources.table = &m_DBF;
    sources.spraak = m_context.options.spraak;
    if (m_context.texts)
        sources.ingenDatabase = QString::fromStdString(m_context.texts->ss(kNoDatabase));
    box->setText(printing::Parser1(o.refText, sources));
    box->setTextFormat(Qt::PlainText);
    box->show();
}

void CardView::addField(const CardObject &o)
{
    const QString name = QStringLiteral("DatabaseField%1").arg(m_fields.size() + 1);
    QWidget *control = nullptr;
    if (o.fieldType == 'M') {
        auto *memo = new QPlainTextEdit(card());
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        memo->setTabChangesFocus(true);
        memo->setFrameShape(o.border ? QFrame::Box : QFrame::NoFrame);
        placeAndColour(memo, o, QPalette::Base, QPalette::Text);
        control = memo;
    } else {
        auto *edit = new MaskedEdit(card());
        const QString mask = cardEditMask(o.fieldType, o.fieldLength, o.fieldDecimals,
                                          decimalSeparatorOf(m_context.options.spraak));
        if (mask.isEmpty())
            edit->setMaxLength(o.fieldLength);
        else
            edit->setEditMask(mask);
        edit->setFrame(o.border);
        edit->setAlignment(alignmentOf(o.align) | Qt::AlignVCenter);
        placeAndColour(edit, o, QPalette::Base, QPalette::Text);
        control = edit;
    }
    control->setObjectName(name);
    control->setProperty("Tag", o.fieldNumber);
    control->setFocusPolicy(Qt::ClickFocus);
    m_editor->attach(control);
    control->show();
    m_fields.push_back(control);
}

void CardView::fitCard()
{
    QRect bounds;
    for (QWidget *w : card()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        bounds |= w->geometry();
    card()->resize(std::max(bounds.right() + 20, m_bakgrunn1->viewport()->width()),
                   std::max(bounds.bottom() + 20, m_bakgrunn1->viewport()->height()));
}

bool CardView::eventFilter(QObject *watched, QEvent *event)
{
    // The card's colour reaches the edges of a window larger than the card.
    if (watched == m_bakgrunn1->viewport() && event->type() == QEvent::Resize)
        fitCard();
    return QObject::eventFilter(watched, event);
}

void CardView::oppdaterSide()
{
    if (!m_DBF.isOpen())
        return;
    for (QWidget *control : m_fields) {
        const int feltNr = FieldEditor::fieldNumberOf(control);
        if (auto *edit = qobject_cast<MaskedEdit *>(control)) {
            edit->setFieldText(printing::GetX(m_DBF, feltNr, m_context.options.spraak));
        } else if (auto *memo = qobject_cast<QPlainTextEdit *>(control)) {
            if (m_DBF.RecCount() > 0 && m_DBF.MemoState(feltNr) == "EDITOR")
                memo->setPlainText(QString::fromStdString(m_DBF.MemoRead(static_cast<std::uint16_t>(feltNr))));
            else
                memo->clear();
        }
    }
}

void CardView::finishEdit()
{
    QWidget *focused = QApplication::focusWidget();
    if (std::find(m_fields.begin(), m_fields.end(), focused) == m_fields.end())
        return;
    m_editor->StackEnd(focused);
    m_editor->StackStart(focused);
}

bool CardView::focusFirstField()
{
    // The lowest tab number, where Tab starts, rather than the first made.
    if (m_tabStops.empty())
        return false;
    m_tabStops.front()->setFocus(Qt::TabFocusReason);
    return true;
}

} // namespace kvilbo::cardview
