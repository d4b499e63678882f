#include "designer/design_mode.h"

#include "designer/card_records.h"
#include "designer/design_control.h"
#include "designer/design_rules.h"
#include "designer/object_panel.h"
#include "designer/size_ctrl.h"
#include "designer/velgfelt.h"

#include "cardview/builtin_pictures.h"
#include "cardview/card_layout.h"
#include "cardview/card_view.h"
#include "core/config.h"
#include "core/messages.h"
#include "engine/dbf_table.h"
#include "layout/layout_fields.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageReader>
#include <QKeyEvent>
#include <QScrollArea>
#include <QTableWidget>

#include <algorithm>

namespace kvilbo::designer {

namespace {

const QString kBackground = QStringLiteral("Background");
constexpr std::uint32_t kHandleColour = 255; // red
// The largest position and size the layout record's fields hold.
constexpr int kLayoutLimit = 9999;

bool isPickRow(Row r)
{
    switch (r) {
    case Row::FontUthevet: case Row::FontKursiv: case Row::FontUnderstreket: case Row::Justering:
    case Row::Ramme: case Row::Transparent: case Row::FontNavn: case Row::BildeOriginal:
        return true;
    default:
        return false;
    }
}

} // namespace

DesignMode::DesignMode(QScrollArea *bakgrunn1, const core::TKonfig &konfig, const core::Texts &texts,
                       QWidget *panelParent)
    : QObject(panelParent)
    , m_bakgrunn1(bakgrunn1)
    , m_konfig(konfig)
    , m_texts(texts)
    , m_panel(new ObjectPanel(texts, panelParent))
    , m_grid(std::make_unique<PropertyGrid>(texts, QFontDatabase::families()))
{
    makeSizeCtrl();
    connect(m_panel, &ObjectPanel::rowEdited, this, [this](int row, const QString &value) {
        guarded([&] { rowEdited(row, value); });
    });
    connect(m_panel, &ObjectPanel::editButtonClicked, this, [this](int row) {
        guarded([&] { editButtonClicked(row); });
    });
    connect(m_panel, &ObjectPanel::objectChosen, this, [this] { guarded([this] { ComboBox1Click(); }); });
    connect(m_panel, &ObjectPanel::addFieldClicked, this, [this] { guarded([this] { ToolButton15Click(); }); });
    connect(m_panel, &ObjectPanel::addTextBoxClicked, this, [this] { guarded([this] { ToolButton19Click(); }); });
    connect(m_panel, &ObjectPanel::addPictureClicked, this, [this] { guarded([this] { ToolButton20Click(); }); });
    connect(m_panel, &ObjectPanel::deleteClicked, this, [this] { guarded([this] { ToolButton21Click(); }); });
    connect(m_panel, &ObjectPanel::okClicked, this, [this] { guarded([this] { sSpeedButton1Click(); }); });
    connect(m_panel, &ObjectPanel::cancelClicked, this, [this] { guarded([this] { sSpeedButton2Click(); }); });

    m_dialogs.colour = [this](std::uint32_t bgr) -> std::optional<std::uint32_t> {
        const QColor start(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
        const QColor chosen = QColorDialog::getColor(start, m_panel);
        if (!chosen.isValid())
            return std::nullopt;
        return std::uint32_t(chosen.red()) | std::uint32_t(chosen.green()) << 8 | std::uint32_t(chosen.blue()) << 16;
    };
    m_dialogs.picture = [this](const QString &start) {
        return QFileDialog::getOpenFileName(m_panel, QString(), start,
                                            QStringLiteral("*.png *.jpg *.jpeg *.bmp *.gif"));
    };
    m_dialogs.chooseField = [this] {
        if (!m_velgfelt)
            m_velgfelt = new TForm1(m_texts, m_panel->window());
        m_velgfelt->setTable(m_DBF);
        m_velgfelt->setDefEsc(m_konfig.DefEsc);
        return m_velgfelt->velgfeltvindu();
    };
}

void DesignMode::makeSizeCtrl()
{
    m_sizeCtrl = new SizeCtrl;
    m_sizeCtrl->setHandleColour(kHandleColour);
    m_sizeCtrl->setGridSize(m_konfig.FormSTG);
    auto showFirstTarget = [this] {
        if (m_sizeCtrl->TargetCount() > 0)
            OE_PUSH(m_sizeCtrl->Targets(0));
    };
    connect(m_sizeCtrl, &SizeCtrl::OnTargetChange, this, showFirstTarget);
    connect(m_sizeCtrl, &SizeCtrl::OnEndSizeMove, this, showFirstTarget);
    connect(m_sizeCtrl, &SizeCtrl::surfacePressed, this, [this] {
        if (m_active)
            OE_PUSH(card());
    });
    connect(m_sizeCtrl, &SizeCtrl::deletePressed, this, [this] { guarded([this] { ToolButton21Click(); }); });
}

DesignMode::~DesignMode()
{
    if (m_sizeCtrl && !m_sizeCtrl->parent())
        delete m_sizeCtrl.data();
}

SizeCtrl *DesignMode::sizeCtrl() const
{
    return m_sizeCtrl.data();
}

void DesignMode::guarded(const std::function<void()> &action)
{
    // Exceptions must not cross Qt's event loop; they go to the window's error dialog.
    try {
        action();
    } catch (...) {
        emit failed(std::current_exception());
    }
}

QWidget *DesignMode::card() const
{
    return m_bakgrunn1->widget();
}

QString DesignMode::ss(int n) const
{
    return QString::fromStdString(m_texts.ss(n));
}

QString DesignMode::tableFolder() const
{
    return m_DBF ? QFileInfo(QString::fromStdString(m_DBF->fileName())).absolutePath() : QString();
}

QList<DesignControl *> DesignMode::controls() const
{
    QList<DesignControl *> out;
    for (QObject *child : card()->children()) {
        if (auto *c = qobject_cast<DesignControl *>(child))
            out.push_back(c);
    }
    return out;
}

std::uint32_t DesignMode::cardColour() const
{
    const QColor c = card()->palette().color(QPalette::Window);
    return std::uint32_t(c.red()) | std::uint32_t(c.green()) << 8 | std::uint32_t(c.blue()) << 16;
}

void DesignMode::setCardColour(std::uint32_t bgr)
{
    QPalette pal = card()->palette();
    pal.setColor(QPalette::Window, QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)));
    card()->setPalette(pal);
    card()->setAutoFillBackground(true);
}

QPixmap DesignMode::loadPicture(const QString &source, bool report)
{
    if (source == QLatin1String(layout::kInterntBilde.data(), layout::kInterntBilde.size()))
        return cardview::internalPicture();
    const QString path = cardview::picturePathOf(source, tableFolder());
    const QImage image = QFileInfo::exists(path) ? QImageReader(path).read() : QImage();
    if (!image.isNull())
        return QPixmap::fromImage(image);
    if (report)
        emit message(QString::fromStdString(m_texts.ss(2080, {source.toStdString()})), true);
    return cardview::missingPicture();
}

DesignControl *DesignMode::addControl(const DesignObject &o, QPixmap picture)
{
    auto *control = new DesignControl(o, card(), std::move(picture));
    control->show();
    m_sizeCtrl->RegisterControl(control);
    return control;
}

void DesignMode::fitCard()
{
    // The surface grows to hold every object, so each stays within scrolling reach.
    QRect bounds;
    for (DesignControl *c : controls())
        bounds |= c->geometry();
    card()->resize(std::max(bounds.right() + 20, m_bakgrunn1->viewport()->width()),
                   std::max(bounds.bottom() + 20, m_bakgrunn1->viewport()->height()));
}

void DesignMode::fillChooser()
{
    QComboBox *combo = m_panel->ComboBox1();
    combo->clear();
    for (DesignControl *c : controls())
        combo->addItem(c->objectName());
    combo->addItem(kBackground);
    combo->setCurrentIndex(0);
}

void DesignMode::VisSideFormularEndre(cardview::CardView &view, engine::TDbfTable &DBF, engine::TDbfTable &FORFIL)
{
    m_view = &view;
    m_DBF = &DBF;
    m_FORFIL = &FORFIL;
    emit message(ss(2090), false);
    emit designModeChanged(true);
    m_panel->setTexts();
    m_panel->show();
    m_bakgrunn1->hide();
    if (!m_sizeCtrl)
        makeSizeCtrl();
    m_sizeCtrl->setGridSize(m_konfig.FormSTG);
    m_active = true;
    view.clear();
    const DesignCard layoutCard = readDesignCard(FORFIL, DBF);
    setCardColour(layoutCard.background);
    QList<DesignControl *> pictures;
    for (const DesignObject &o : layoutCard.objects) {
        DesignControl *c = addControl(o, o.kind == ObjectKind::Picture ? loadPicture(o.hint, true) : QPixmap());
        if (o.kind == ObjectKind::Picture)
            pictures.push_front(c);
    }
    // Behind the other objects, but among themselves in record order, so that
    // saving keeps overlapping pictures stacked as they were.
    for (DesignControl *c : pictures)
        c->lower();
    fitCard();
    m_bakgrunn1->show();
    fillChooser();
    emit melding(QString());
    m_sizeCtrl->setSurface(card());
    m_sizeCtrl->setDesignEnabled(true);
    const QList<DesignControl *> all = controls();
    if (all.isEmpty())
        OE_PUSH(card());
    else
        m_sizeCtrl->AddTarget(all.front());
}

void DesignMode::OE_PUSH(QWidget *object)
{
    m_filling = true;
    const bool isCard = object == card();
    const QString name = isCard ? kBackground : object->objectName();
    QComboBox *combo = m_panel->ComboBox1();
    combo->setCurrentIndex(std::max(0, combo->findText(name)));
    DesignObject o;
    if (isCard) {
        o.kind = ObjectKind::Background;
        o.backgroundColour = cardColour();
    } else if (auto *control = qobject_cast<DesignControl *>(object)) {
        o = control->object();
    }
    m_grid->fill(o);
    m_panel->showRows(*m_grid);
    m_filling = false;
}

void DesignMode::OE_PUSHBACK()
{
    const QString name = m_panel->ComboBox1()->currentText().trimmed();
    if (name == kBackground) {
        DesignObject o;
        o.kind = ObjectKind::Background;
        m_grid->apply(o);
        setCardColour(o.backgroundColour);
        return;
    }
    for (DesignControl *control : controls()) {
        if (control->objectName() != name)
            continue;
        DesignObject o = control->object();
        const QString oldSource = o.hint.trimmed();
        m_grid->apply(o);
        const QRect r = keepReachable(QRect(o.left, o.top, o.width, o.height), QSize(kLayoutLimit, kLayoutLimit));
        o.left = r.left();
        o.top = r.top();
        o.width = r.width();
        o.height = r.height();
        if (o.kind == ObjectKind::Picture && o.hint != oldSource)
            control->setPicture(loadPicture(o.hint, false));
        control->setObject(o);
        fitCard();
        m_sizeCtrl->update();
        return;
    }
}

void DesignMode::rowEdited(int row, const QString &value)
{
    const Row r = static_cast<Row>(row);
    m_grid->setValue(r, value);
    if (m_filling)
        return;
    if (!isPickRow(r)) {
        const QString fixed = PropertyGrid::corrected(r, value);
        if (fixed != value) {
            m_grid->setValue(r, fixed);
            m_panel->setRowValue(row, fixed);
        }
    }
    OE_PUSHBACK();
}

void DesignMode::editButtonClicked(int row)
{
    const Row r = static_cast<Row>(row);
    const QString value = m_grid->row(r).value;
    if (r == Row::FargeTekst || r == Row::FargeBakgrunn) {
        const std::optional<std::uint32_t> chosen = m_dialogs.colour(value.trimmed().toUInt() & 0xFFFFFFu);
        if (!chosen)
            return;
        m_grid->setValue(r, QString::number(*chosen));
    } else if (r == Row::BildeFilnavn) {
        const QString chosen = m_dialogs.picture(value.trimmed());
        if (chosen.isEmpty())
            return;
        m_grid->setValue(r, pictureSourceFor(chosen, tableFolder()));
    } else {
        return;
    }
    m_panel->setRowValue(row, m_grid->row(r).value);
    if (!m_filling)
        OE_PUSHBACK();
}

void DesignMode::ComboBox1Click()
{
    const QString name = m_panel->ComboBox1()->currentText().trimmed();
    if (name == kBackground) {
        OE_PUSH(card());
        return;
    }
    for (DesignControl *control : controls()) {
        if (control->objectName() == name) {
            m_sizeCtrl->AddTarget(control);
            return;
        }
    }
}

void DesignMode::chooseAdded(DesignControl *control)
{
    QComboBox *combo = m_panel->ComboBox1();
    const int at = std::max(0, combo->findText(kBackground));
    combo->insertItem(at, control->objectName());
    combo->setCurrentIndex(at);
    fitCard();
    m_sizeCtrl->AddTarget(control);
}

void DesignMode::ToolButton15Click()
{
    if (!m_active)
        return;
    const int f = m_dialogs.chooseField();
    if (f <= 0)
        return;
    QStringList names, hints;
    for (DesignControl *c : controls()) {
        const DesignObject o = c->object();
        if (!isField(o.kind))
            continue;
        if (o.fieldNumber == f) {
            emit melding(ss(2005));
            return;
        }
        names << o.name;
        hints << o.hint;
    }
    const CardField field = cardField(*m_DBF, f);
    if (field.name.isEmpty())
        return;
    DesignObject o;
    o.kind = field.memo ? ObjectKind::Editor : ObjectKind::DatabaseField;
    o.name = QStringLiteral("DatabaseField%1").arg(nextNumber(names, QStringLiteral("DatabaseField")));
    o.top = 100;
    o.left = 100;
    o.width = 320;
    o.height = field.memo ? 36 : 24;
    o.fontName = QString::fromStdString(m_konfig.FormDFont.text()).trimmed();
    o.fontSize = m_konfig.FormDFSTR;
    o.textColour = m_konfig.FormDFT.colour();
    o.underline = m_konfig.FormDFU;
    o.italic = m_konfig.FormDFK;
    o.bold = m_konfig.FormDFF;
    o.backgroundColour = m_konfig.FormDFBG.colour();
    o.border = true;
    o.text = fieldPlaceholder(f, field.name);
    o.fieldNumber = f;
    o.hint = QString::number(nextTabPosition(hints));
    chooseAdded(addControl(o));
}

QString DesignMode::nextObjectName(const QString &prefix) const
{
    QStringList names;
    for (DesignControl *c : controls())
        names << c->objectName();
    return prefix + QString::number(nextNumber(names, prefix));
}

void DesignMode::ToolButton19Click()
{
    if (!m_active)
        return;
    DesignObject o;
    o.kind = ObjectKind::TextBox;
    o.name = nextObjectName(QStringLiteral("TextBox"));
    o.top = 100;
    o.left = 100;
    o.height = 18;
    o.width = 300;
    o.fontName = QString::fromStdString(m_konfig.FormTFont.text()).trimmed();
    o.fontSize = m_konfig.FormTFSTR;
    o.underline = m_konfig.FormTFU;
    o.italic = m_konfig.FormTFK;
    o.bold = m_konfig.FormTFF;
    o.textColour = m_konfig.FormTFT.colour();
    o.backgroundColour = m_konfig.FormTFBG.colour();
    o.text = ss(2730);
    o.transparent = true;
    chooseAdded(addControl(o));
}

void DesignMode::ToolButton20Click()
{
    if (!m_active)
        return;
    const QString chosen = m_dialogs.picture(QString());
    if (chosen.isEmpty())
        return;
    DesignObject o;
    o.kind = ObjectKind::Picture;
    o.name = nextObjectName(QStringLiteral("Picture"));
    o.top = 100;
    o.left = 100;
    o.height = 200;
    o.width = 200;
    o.hint = pictureSourceFor(chosen, tableFolder());
    DesignControl *control = addControl(o, loadPicture(o.hint, true));
    control->lower();
    chooseAdded(control);
}

void DesignMode::ToolButton21Click()
{
    if (!m_active)
        return;
    QComboBox *combo = m_panel->ComboBox1();
    const QString name = combo->currentText().trimmed();
    if (name == kBackground)
        return;
    const QList<DesignControl *> all = controls();
    if (all.size() <= 2) {
        emit message(ss(2060), true);
        return;
    }
    const auto it = std::find_if(all.begin(), all.end(), [&](DesignControl *c) { return c->objectName() == name; });
    if (it == all.end())
        return;
    m_sizeCtrl->UnRegisterControl(*it);
    delete *it;
    const int index = combo->currentIndex();
    combo->setCurrentIndex(index == combo->count() - 1 ? 0 : index + 1);
    combo->removeItem(index);
    ComboBox1Click();
}

void DesignMode::leave()
{
    // The controller goes when the card area's controls are destroyed (a closing window).
    if (m_sizeCtrl) {
        m_sizeCtrl->UnRegisterAll();
        m_sizeCtrl->setDesignEnabled(false);
        m_sizeCtrl->setSurface(nullptr);
    }
    m_panel->hide();
    emit designModeChanged(false);
}

void DesignMode::sSpeedButton1Click()
{
    if (!m_active)
        return;
    DesignCard layoutCard;
    layoutCard.background = cardColour();
    for (DesignControl *c : controls())
        layoutCard.objects.push_back(c->object());
    // A refused write leaves design mode and its objects as they are, so nothing is lost.
    saveCardLayout(*m_FORFIL, cardRecords(layoutCard));
    leave();
    m_view->formularsettoppSIDE(*m_FORFIL);
    m_view->oppdaterSide();
    emit message(ss(2087), false);
    m_active = false;
    m_bakgrunn1->show();
}

void DesignMode::sSpeedButton2Click()
{
    if (!m_active)
        return;
    m_active = false;
    m_bakgrunn1->hide();
    leave();
    m_view->formularsettoppSIDE(*m_FORFIL);
    m_view->oppdaterSide();
    emit message(ss(2088), false);
    m_bakgrunn1->show();
}

bool DesignMode::FormKeyDown(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Delete || !m_active)
        return false;
    QTableWidget *vle = m_panel->vle();
    const QWidget *focus = QApplication::focusWidget();
    if ((focus && (focus == vle || vle->isAncestorOf(focus))) || !m_sizeCtrl->designEnabled()
        || m_sizeCtrl->TargetCount() == 0)
        return false;
    ToolButton21Click();
    return true;
}

} // namespace kvilbo::designer
