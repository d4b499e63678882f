#pragma once

#include <QColor>
#include <QString>

class QWidget;

// Every modal box and file dialog of these windows goes through this seam, so
// that a test can answer it instead of a person.

namespace kvilbo::dialogs {

/// The answers of a Yes/No/Cancel question.
enum class Answer { Yes, No, Cancel };

/// The modal boxes and file dialogs of the secondary windows.
class DialogPrompts
{
public:
    virtual ~DialogPrompts() = default;
    /// A warning with Yes, No and Cancel, No preselected.
    virtual Answer askYesNoCancel(QWidget *parent, const QString &caption, const QString &text) = 0;
    /// A save-file dialog; empty when cancelled. filter uses "Name|*.ext|..." pairs.
    virtual QString saveFileName(QWidget *parent, const QString &startFolder, const QString &filter,
                                 int selectedFilter) = 0;
    /// An open-file dialog; empty when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &startFolder, const QString &filter) = 0;
    /// A folder dialog; empty when cancelled.
    virtual QString folderName(QWidget *parent, const QString &startFolder) = 0;
    /// A colour dialog; an invalid colour when cancelled.
    virtual QColor colour(QWidget *parent, const QColor &initial) = 0;
};

/// The real boxes and dialogs.
class QtDialogPrompts : public DialogPrompts
{
public:
    Answer askYesNoCancel(QWidget *parent, const QString &caption, const QString &text) override;
    QString saveFileName(QWidget *parent, const QString &startFolder, const QString &filter,
                         int selectedFilter) override;
    QString openFileName(QWidget *parent, const QString &startFolder, const QString &filter) override;
    QString folderName(QWidget *parent, const QString &startFolder) override;
    QColor colour(QWidget *parent, const QColor &initial) override;
};

/// The prompts to use when a window is given none: one shared QtDialogPrompts.
DialogPrompts &realPrompts();

/// A "Name (*.a)|*.A|All (*.*)|*.*" filter as Qt name filters, matching either letter case.
QStringList qtNameFilters(const QString &pipeFilter);

} // namespace kvilbo::dialogs
