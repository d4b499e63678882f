#include "dialogs/dialog_prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace kvilbo::dialogs {

Answer QtDialogPrompts::askYesNoCancel(QWidget *parent, const QString &caption, const QString &text)
{
    const auto button = QMessageBox::warning(parent, caption, text,
                                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                             QMessageBox::No);
    if (button == QMessageBox::Yes)
        return Answer::Yes;
    return button == QMessageBox::No ? Answer::No : Answer::Cancel;
}

QString QtDialogPrompts::saveFileName(QWidget *parent, const QString &startFolder,
                                      const QString &filter, int selectedFilter)
{
    QFileDialog dialog(parent, QString(), startFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filters = qtNameFilters(filter);
    dialog.setNameFilters(filters);
    if (selectedFilter >= 0 && selectedFilter < filters.size())
        dialog.selectNameFilter(filters.at(selectedFilter));
    // The wizard asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtDialogPrompts::openFileName(QWidget *parent, const QString &startFolder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), startFolder,
                                        qtNameFilters(filter).join(QStringLiteral(";;")));
}

QString QtDialogPrompts::folderName(QWidget *parent, const QString &startFolder)
{
    return QFileDialog::getExistingDirectory(parent, QString(), startFolder);
}

QColor QtDialogPrompts::colour(QWidget *parent, const QColor &initial)
{
    return QColorDialog::getColor(initial, parent);
}

DialogPrompts &realPrompts()
{
    static QtDialogPrompts prompts;
    return prompts;
}

QStringList qtNameFilters(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &pattern : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            // "*.DBF" and "*.dbf" name the same files here; list both spellings.
            patterns << pattern.toLower();
            if (pattern.toUpper() != pattern.toLower())
                patterns << pattern.toUpper();
        }
        QString name = parts.at(i);
        const int paren = name.indexOf(QLatin1Char('('));
        if (paren >= 0)
            name = name.left(paren).trimmed();
        filters << name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

} // namespace kvilbo::dialogs
