#pragma once

#include "core/konfig_fields.h"

#include <QColor>
#include <QToolButton>
#include <QWidget>

#include <cstdint>
#include <functional>

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace kvilbo::dialogs {

class DialogPrompts;

/// A stored 0x00BBGGRR colour as a screen colour.
QColor colourOfBgr(std::uint32_t bgr);
/// A screen colour as the stored 0x00BBGGRR value.
std::uint32_t bgrOfColour(const QColor &colour);

/// A colour picker: a button showing its colour that opens the colour dialog.
class ColourSelect : public QToolButton
{
public:
    ColourSelect(const char *name, const QString &caption, DialogPrompts &prompts, QWidget *parent);
    /// Shows a stored colour text (0 when it is not a number).
    void load(const core::KColour &stored);
    /// Stores the colour's decimal 0x00BBGGRR text.
    void store(core::KColour &stored) const;
    /// The colour shown.
    QColor colour() const { return m_colour; }
    /// Shows colour.
    void setColour(const QColor &colour);

private:
    void choose();

    DialogPrompts &m_prompts;
    QColor m_colour;
};

/// A font name box over the installed fonts; a stored font that is not installed is kept as an extra entry.
class FontNameBox : public QWidget
{
public:
    FontNameBox(const char *name, QWidget *parent);
    /// Selects the entry equal to the trimmed name (added when not installed), or none when empty.
    void load(const std::string &name);
    /// The selected font's name, empty when none is selected.
    std::string name() const;
    /// The combo box itself.
    QComboBox *combo() const { return m_combo; }

private:
    QComboBox *m_combo;
    bool m_keptEntry = false;
};

/// A text box with a button that opens a file or folder dialog.
class PathBox : public QWidget
{
public:
    /// browse returns the chosen path, empty when cancelled.
    PathBox(const char *name, std::function<QString(const QString &current)> browse, QWidget *parent);
    /// The text box.
    QLineEdit *edit() const { return m_edit; }

private:
    QLineEdit *m_edit;
};

/// A checkable style button (bold, italic, underline).
QToolButton *toggleButton(const char *name, const QString &caption, QWidget *parent);
/// A spin box with its range.
QSpinBox *spinBox(const char *name, int minimum, int maximum, QWidget *parent);

} // namespace kvilbo::dialogs
