#pragma once

// Design mode of the card view: the card's controls replaced by editable
// copies on bakgrunn1, the object handler panel, adding, deleting, moving
// and resizing objects, and "OK" (save and rebuild) or "Avbryt" (rebuild).
// The main window places the panel, disables its commands while
// designModeChanged(true) holds, and shows the messages it is sent.

#include "designer/property_grid.h"

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

class QKeyEvent;
class QScrollArea;
class QWidget;

namespace kvilbo::core {
struct TKonfig;
class Texts;
} // namespace kvilbo::core
namespace kvilbo::engine {
class TDbfTable;
}
namespace kvilbo::cardview {
class CardView;
}

namespace kvilbo::designer {

class DesignControl;
class ObjectPanel;
class SizeCtrl;
class TForm1;

/// The questions design mode asks the user; tests answer them without windows.
struct DesignDialogs {
    std::function<std::optional<std::uint32_t>(std::uint32_t bgr)> colour; ///< sColorDialog1
    std::function<QString(const QString &start)> picture;                 ///< picture-open dialog; empty: cancelled
    std::function<int()> chooseField;                                      ///< velgfeltvindu; 0: cancelled
};

class DesignMode : public QObject {
    Q_OBJECT
public:
    /// Design mode on bakgrunn1; the panel is made as a child of panelParent. konfig and texts outlive it.
    DesignMode(QScrollArea *bakgrunn1, const core::TKonfig &konfig, const core::Texts &texts,
               QWidget *panelParent);
    ~DesignMode() override;

    /// Replaces the window's dialogs (colour, picture file, field choice).
    void setDialogs(DesignDialogs dialogs) { m_dialogs = std::move(dialogs); }
    /// The object handler panel.
    ObjectPanel *sPanel1() const { return m_panel; }
    /// The move-and-resize controller (SizeCtrl).
    SizeCtrl *sizeCtrl() const;
    /// True while design mode is active.
    bool RedigereSide() const { return m_active; }

    /// Enters design mode on the card of view for DBF with the layout FORFIL (both stay open).
    void VisSideFormularEndre(cardview::CardView &view, engine::TDbfTable &DBF, engine::TDbfTable &FORFIL);
    /// Shows object (a design control, or the card area) in the chooser and the grid.
    void OE_PUSH(QWidget *object);
    /// Applies the grid to the object selected in the chooser.
    void OE_PUSHBACK();
    /// The object chosen in the chooser becomes the target and is shown.
    void ComboBox1Click();
    /// Adds a database field chosen by the user.
    void ToolButton15Click();
    /// Adds a text box.
    void ToolButton19Click();
    /// Adds a picture chosen by the user.
    void ToolButton20Click();
    /// Deletes the object named in the chooser.
    void ToolButton21Click();
    /// "OK": writes the card layout and rebuilds the card view.
    void sSpeedButton1Click();
    /// "Avbryt": rebuilds the card view from the unchanged layout.
    void sSpeedButton2Click();
    /// The Delete key: deletes the target unless the grid has the focus; true when handled.
    bool FormKeyDown(QKeyEvent *event);

    /// The design controls on the card area in child order.
    QList<DesignControl *> controls() const;
    /// prefix + the next free number among the card's objects named so.
    QString nextObjectName(const QString &prefix) const;

signals:
    /// A message-line text (MSG); error marks it as an error.
    void message(const QString &text, bool error);
    /// A status-bar notice (melding); empty clears it.
    void melding(const QString &text);
    /// Design mode began (true) or ended (false): place the panels, enable or disable commands.
    void designModeChanged(bool on);
    /// An unexpected failure (a layout write refused, a colour that is not a number) for ProgramFeil.
    void failed(std::exception_ptr error);

private:
    QWidget *card() const;
    QString ss(int n) const;
    QString tableFolder() const;
    QPixmap loadPicture(const QString &source, bool report);
    DesignControl *addControl(const struct DesignObject &o, QPixmap picture = {});
    void chooseAdded(DesignControl *control);
    void leave();
    void fitCard();
    void rowEdited(int row, const QString &value);
    void editButtonClicked(int row);
    std::uint32_t cardColour() const;
    void setCardColour(std::uint32_t bgr);
    void fillChooser();
    void makeSizeCtrl();
    void guarded(const std::function<void()> &action);

    QScrollArea *m_bakgrunn1;
    const core::TKonfig &m_konfig;
    const core::Texts &m_texts;
    ObjectPanel *m_panel;
    QPointer<SizeCtrl> m_sizeCtrl;
    TForm1 *m_velgfelt = nullptr;
    std::unique_ptr<PropertyGrid> m_grid;
    DesignDialogs m_dialogs;
    cardview::CardView *m_view = nullptr;
    engine::TDbfTable *m_DBF = nullptr;
    engine::TDbfTable *m_FORFIL = nullptr;
    bool m_active = false;
    bool m_filling = false;
};

} // namespace kvilbo::designer
