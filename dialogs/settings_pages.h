#pragma once

#include <QWidget>

#include <filesystem>
#include <functional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QSpinBox;
class QToolButton;
class QVBoxLayout;

namespace kvilbo::core {
struct TKonfig;
class Texts;
}

// The eight pages of the settings dialog. Each page shows its part of the
// record when the dialog opens and stores it back when the dialog closes.

namespace kvilbo::dialogs {

class ColourSelect;
class DialogPrompts;
class FontNameBox;
class PathBox;

/// What every page needs.
struct PageContext
{
    const core::Texts &texts;
    DialogPrompts &prompts;
    std::filesystem::path programFolder;
    const core::TKonfig &konfig; ///< the record as it stands (start folders of the dialogs)
};

/// One page of the settings dialog.
class SettingsPage : public QWidget
{
public:
    SettingsPage(const PageContext &context, QWidget *parent);
    /// Sets the controls from the record.
    virtual void load(const core::TKonfig &konfig) = 0;
    /// Stores the controls into the record.
    virtual void store(core::TKonfig &konfig) const = 0;

protected:
    /// The page's text number in the active language.
    QString text(int number) const;
    /// Adds a heading (two blanks and the text) and an optional wrapped description.
    void addSection(int heading, int description = 0);
    /// The page's column.
    QVBoxLayout *column() const { return m_column; }

    const PageContext &m_context;

private:
    QVBoxLayout *m_column;
};

/// A font name, size, style and colour group of pages 4 to 6.
struct FontGroup
{
    FontNameBox *font = nullptr;
    QSpinBox *size = nullptr;
    QToolButton *bold = nullptr;
    QToolButton *italic = nullptr;
    QToolButton *underline = nullptr;
    ColourSelect *text = nullptr;
    ColourSelect *background = nullptr; ///< nullptr where the group has one colour
};

/// Page 1: main window, first view, start-up database and language.
class StartPage : public SettingsPage
{
public:
    StartPage(const PageContext &context, QWidget *parent);
    void load(const core::TKonfig &konfig) override;
    void store(core::TKonfig &konfig) const override;
    /// Enables the start-up file box (the clicks that do this are wired by the dialog).
    void enableStartFile();

private:
    QRadioButton *m_window[3] = {};
    QCheckBox *m_splash = nullptr;
    QRadioButton *m_listView = nullptr;
    QRadioButton *m_cardView = nullptr;
    QRadioButton *m_startDb[3] = {};
    PathBox *m_startFile = nullptr;
    QRadioButton *m_norwegian = nullptr;
    QRadioButton *m_english = nullptr;
};

/// Page 2: database folder, century, network lock and memo files.
class DatabasePage : public SettingsPage
{
public:
    DatabasePage(const PageContext &context, QWidget *parent);
    void load(const core::TKonfig &konfig) override;
    void store(core::TKonfig &konfig) const override;

private:
    QRadioButton *m_programFolder = nullptr;
    QRadioButton *m_ownFolder = nullptr;
    PathBox *m_folder = nullptr;
    QComboBox *m_century = nullptr;
    QSpinBox *m_zombie = nullptr;
    QCheckBox *m_newMemo = nullptr;
};

/// Page 3: the Esc key and the colour sliders, which recolour the program at once.
class AppearancePage : public SettingsPage
{
public:
    /// recolour is called with hue and saturation whenever they change.
    AppearancePage(const PageContext &context, std::function<void(int hue, int sat)> recolour,
                   QWidget *parent);
    void load(const core::TKonfig &konfig) override;
    void store(core::TKonfig &konfig) const override;

private:
    void sliderMoved();

    std::function<void(int, int)> m_recolour;
    QCheckBox *m_esc = nullptr;
    QSlider *m_hue = nullptr;
    QSlider *m_sat = nullptr;
    QLabel *m_hueText = nullptr;
    QLabel *m_satText = nullptr;
};

} // namespace kvilbo::dialogs
