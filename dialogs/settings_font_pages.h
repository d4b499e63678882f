#pragma once

#include "dialogs/settings_pages.h"

// Pages 4 to 8 of the settings dialog: fonts of new layouts, the list view,
// printing, the editor's texts and help.

namespace kvilbo::dialogs {

/// Page 4: fonts of new card layouts and the designer's grid.
class CardViewPage : public SettingsPage
{
public:
    CardViewPage(const PageContext &context, QWidget *parent);
    void load(const core::TKonfig &konfig) override;
    void store(core::TKonfig &konfig) const override;

private:
    FontGroup m_textBoxes;
    FontGroup m_fields;
    QSpinBox *m_grid = nullptr;
};

/// Page 5: font, row height and sorting of the list view.
class ListViewPage : public SettingsPage
{
public:
    ListViewPage(const PageContext &context, QWidget *parent);
    void load(const core::TKonfig &konfig) override;
    void store(core::TKonfig &konfig) const override;

private:
    FontGroup m_font;
    QSpinBox *m_rowHeight = nullptr;
    QRadioButton *m_blankTop = nullptr;
    QRadioButton *m_blankBottom = nullptr;
};

/// Page 6: print font, page headers, footers and page text.
class PrintPage : public SettingsPage
{
public:
    PrintPage(const PageContext &context, QWidget *parent);
    void load(const core::TKonfig &konfig) override;
    void store(core::TKonfig &konfig) const override;

private:
    FontGroup m_font;
    QLineEdit *m_texts[7] = {};
};

/// Page 7: the editor window's four predefined texts.
class EditorPage : public SettingsPage
{
public:
    EditorPage(const PageContext &context, QWidget *parent);
    void load(const core::TKonfig &konfig) override;
    void store(core::TKonfig &konfig) const override;

private:
    QLineEdit *m_texts[4] = {};
};

/// Page 8: where to find help.
class HelpPage : public SettingsPage
{
public:
    HelpPage(const PageContext &context, QWidget *parent);
    void load(const core::TKonfig &) override {}
    void store(core::TKonfig &) const override {}
};

/// Builds a font group with the given object names (background name may be nullptr).
FontGroup makeFontGroup(const PageContext &context, QWidget *parent, QVBoxLayout *into,
                        const char *font, const char *size, const char *const styles[3],
                        const char *textColour, const char *background);

} // namespace kvilbo::dialogs
