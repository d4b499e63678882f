#pragma once

#include "dialogs/secondary_dialog.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace kvilbo::core {
struct TKonfig;
class Texts;
class Log;
}

namespace kvilbo::dialogs {

/// TFormLogg: the event log line by line, its size and name, and a trim to the newest 500 lines.
class TFormLogg : public SecondaryDialog
{
public:
    /// konfig, texts and log must outlive the window.
    TFormLogg(const core::TKonfig &konfig, const core::Texts &texts, core::Log &log,
              QWidget *parent = nullptr);

    /// Reads the log and shows it, the newest line selected. Throws core::IoError.
    void FormActivate();
    /// Cuts the log to its newest 500 lines and shows it again. Throws core::IoError.
    void sSpeedButton13Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildWindow();
    QString text(int number) const;

    const core::Texts &m_texts;
    core::Log &m_log;

    QLabel *m_sLabel15 = nullptr;
    QLabel *m_sLabel9 = nullptr;
    QLabel *m_sLabel8 = nullptr;
    QLabel *m_sLabel10 = nullptr;
    QPushButton *m_sSpeedButton13 = nullptr;
    QListWidget *m_sListBox1 = nullptr;
};

} // namespace kvilbo::dialogs
