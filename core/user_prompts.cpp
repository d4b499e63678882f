#include "core/user_prompts.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QStringList>

namespace kvilbo::core {

bool QtUserPrompts::errorOkCancel(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setObjectName(QStringLiteral("ProgramFeilBox"));
    return box.exec() != QMessageBox::Cancel;
}

std::optional<ChosenDatabase> QtUserPrompts::chooseDatabase(QWidget *parent,
                                                            const QString &startFolder,
                                                            const QString &filter,
                                                            const QString &exclusiveCaption)
{
    // Qt's own dialog, so that the exclusive box can sit in it where the
    // read-only box of other platforms' dialogs would be.
    QFileDialog dialog(parent, QString(), startFolder, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    auto *exclusive = new QCheckBox(exclusiveCaption, &dialog);
    exclusive->setObjectName(QStringLiteral("eksklusivBoks"));
    exclusive->setChecked(true);
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addWidget(exclusive, grid->rowCount(), 0, 1, -1);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ChosenDatabase{dialog.selectedFiles().first().toStdString(), exclusive->isChecked()};
}

void QtUserPrompts::runModal(QDialog &dialog)
{
    dialog.exec();
}

void QtUserPrompts::messageBox(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtUserPrompts::confirmYesCancel(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Yes;
}

QString qtNameFilter(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        // Qt reads the patterns from the last parentheses, so the name's own go.
        const int paren = name.lastIndexOf(QLatin1Char('('));
        if (paren > 0 && name.endsWith(QLatin1Char(')')))
            name = name.left(paren).trimmed();
        QStringList patterns;
        for (const QString &p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            if (pattern == QLatin1String("*.*")) {
                patterns << QStringLiteral("*");
                continue;
            }
            for (const QString &variant : {pattern, pattern.toLower(), pattern.toUpper()}) {
                if (!patterns.contains(variant))
                    patterns << variant;
            }
        }
        filters << name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace kvilbo::core
