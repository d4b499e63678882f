#pragma once

#include <QDialog>

class QCheckBox;

// The welcome window: program name, version, language, and the choice of
// showing it at the next start.

namespace kvilbo::core {

struct TKonfig;
class Texts;

class WelcomeWindow : public QDialog
{
public:
    /// konfig's bootSplashScreen follows the check box when the window closes.
    WelcomeWindow(TKonfig &konfig, const Texts &texts, const QString &version, QWidget *parent);
    /// Sets the check box from bootSplashScreen before showing.
    void prepare();

protected:
    void done(int result) override;

private:
    TKonfig &m_konfig;
    QCheckBox *m_skip;
};

} // namespace kvilbo::core
