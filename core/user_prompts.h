#pragma once

#include <QString>

#include <optional>
#include <string>

class QDialog;
class QWidget;

// Every modal box of the main window goes through this seam, so that a test
// can answer it instead of a person.

namespace kvilbo::core {

/// A table file chosen in the open dialog.
struct ChosenDatabase
{
    std::string path;       ///< full path, UTF-8
    bool exclusive = true;  ///< the exclusive box was ticked
};

/// The modal boxes the main window shows.
class UserPrompts
{
public:
    virtual ~UserPrompts() = default;
    /// The error box with OK and Cancel; true for OK.
    virtual bool errorOkCancel(QWidget *parent, const QString &caption, const QString &text) = 0;
    /// The open dialog with the exclusive choice ticked; nullopt when cancelled.
    virtual std::optional<ChosenDatabase> chooseDatabase(QWidget *parent, const QString &startFolder,
                                                         const QString &filter,
                                                         const QString &exclusiveCaption) = 0;
    /// Shows a secondary window modally.
    virtual void runModal(QDialog &dialog) = 0;
    /// A plain message box with OK.
    virtual void messageBox(QWidget *parent, const QString &caption, const QString &text) = 0;
    /// A question box with Yes and Cancel; true for Yes.
    virtual bool confirmYesCancel(QWidget *parent, const QString &caption, const QString &text) = 0;
};

/// The real boxes.
class QtUserPrompts : public UserPrompts
{
public:
    bool errorOkCancel(QWidget *parent, const QString &caption, const QString &text) override;
    std::optional<ChosenDatabase> chooseDatabase(QWidget *parent, const QString &startFolder,
                                                 const QString &filter,
                                                 const QString &exclusiveCaption) override;
    void runModal(QDialog &dialog) override;
    void messageBox(QWidget *parent, const QString &caption, const QString &text) override;
    bool confirmYesCancel(QWidget *parent, const QString &caption, const QString &text) override;
};

/// A "Name (*.a)|*.A|All (*.*)|*.*" filter as a Qt name filter, matching either letter case.
QString qtNameFilter(const QString &pipeFilter);

} // namespace kvilbo::core
