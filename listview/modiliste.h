#pragma once

// Tformmodiliste, the list view's appearance settings: font, row height,
// grid lines and colours of the whole list, heading and width of one column.
// It stores nothing: each change goes straight into the grid, and the grid's
// write-back at close carries it into the layout table.

#include "dialogs/secondary_dialog.h"

#include <QColor>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace kvilbo::core {
struct TKonfig;
class Texts;
} // namespace kvilbo::core

namespace kvilbo::listview {

class ListGrid;

/// Tformmodiliste: the list grid's appearance, every change applied to the grid at once.
class Tformmodiliste : public dialogs::SecondaryDialog
{
public:
    /// Asks for a colour, starting from current; nothing when cancelled.
    using ColourChooser = std::function<std::optional<QColor>(const QColor &current, const QString &title)>;

    /// A window over grid; its column choice starts at the grid's current column (1 without one).
    Tformmodiliste(ListGrid &grid, const core::TKonfig &konfig, const core::Texts &texts, QWidget *parent = nullptr);

    /// Replaces the colour dialog (tests).
    void setColourChooser(ColourChooser chooser) { m_chooseColour = std::move(chooser); }
    /// Sets the captions and reads both sections from the grid.
    void FormActivate();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildWindow();
    QString text(int number) const;
    void fillListSection();
    void fillColumnSection();
    void changeFont();
    void chooseColour(bool background);
    void showColours();
    void changeLines();
    void changeRowHeight(int height);
    void changeHeading(const QString &heading);
    void changeWidth(int width);
    int chosenColumn() const;

    ListGrid &m_grid;
    const core::Texts &m_texts;
    ColourChooser m_chooseColour;
    bool m_filling = false; // controls set from the grid must not write back into it
    std::vector<std::pair<QWidget *, int>> m_captions; // control and its text number

    QComboBox *m_fontName = nullptr;
    QSpinBox *m_sSpinEdit3 = nullptr;
    QSpinBox *m_sSpinEdit4 = nullptr;
    QToolButton *m_bold = nullptr;
    QToolButton *m_italic = nullptr;
    QToolButton *m_underline = nullptr;
    QToolButton *m_textColour = nullptr;
    QToolButton *m_backgroundColour = nullptr;
    QCheckBox *m_horizontalLines = nullptr;
    QCheckBox *m_verticalLines = nullptr;
    QSpinBox *m_sSpinEdit2 = nullptr;
    QLabel *m_columnNumber = nullptr;
    QLabel *m_fieldLine = nullptr;
    QLabel *m_maskLength = nullptr;
    QLineEdit *m_sEdit1 = nullptr;
    QSpinBox *m_sSpinEdit1 = nullptr;
};

} // namespace kvilbo::listview
