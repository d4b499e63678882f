#pragma once

#include "dialogs/secondary_dialog.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QListWidget;
class QStackedWidget;

namespace kvilbo::core {
struct TKonfig;
class Texts;
}

namespace kvilbo::dialogs {

class DialogPrompts;
class SettingsPage;
class StartPage;
struct PageContext;

/// Applies the hue and saturation offsets to every window of the program at once.
using ColourOffsets = std::function<void(int hue, int sat)>;

/// TFormKonfigurasjon: edits the settings record; closing always stores.
class TFormKonfigurasjon : public SecondaryDialog
{
public:
    /// konfig, texts and prompts (nullptr: the real ones) must outlive the window;
    /// recolour receives every change of the colour sliders.
    TFormKonfigurasjon(core::TKonfig &konfig, const core::Texts &texts,
                       std::filesystem::path programFolder, ColourOffsets recolour,
                       DialogPrompts *prompts = nullptr, QWidget *parent = nullptr);
    ~TFormKonfigurasjon() override;

    /// Loads every control from the record and shows the first page.
    void FormShow();
    /// Stores every control into the record.
    void FormCloseQuery();
    /// Stores, then closes with result r (OK, close box and Esc all come here).
    void done(int r) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void wireStartFileBox();
    void recolour(int hue, int sat);
    QString text(int number) const;

    core::TKonfig &m_konfig;
    const core::Texts &m_texts;
    ColourOffsets m_recolour;
    std::unique_ptr<PageContext> m_context;
    bool m_escAtOpen = false;
    bool m_loaded = false;
    int m_skinHue = 0;
    int m_skinSat = 0;

    QListWidget *m_vliste = nullptr;
    QStackedWidget *m_sPageControl1 = nullptr;
    StartPage *m_startPage = nullptr;
    std::vector<SettingsPage *> m_pages;
};

} // namespace kvilbo::dialogs
