#pragma once

#include "dialogs/dialog_prompts.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <deque>

// Prompts that answer from a script and remember what they were asked.

namespace kvilbo::dialogs::testing {

class ScriptedPrompts : public DialogPrompts
{
public:
    Answer askYesNoCancel(QWidget *, const QString &, const QString &text) override
    {
        questions << text;
        if (answers.empty())
            return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    QString saveFileName(QWidget *, const QString &startFolder, const QString &filter,
                         int selectedFilter) override
    {
        lastStartFolder = startFolder;
        lastFilter = filter;
        lastSelectedFilter = selectedFilter;
        return fileToChoose;
    }
    QString openFileName(QWidget *, const QString &startFolder, const QString &filter) override
    {
        lastStartFolder = startFolder;
        lastFilter = filter;
        return fileToChoose;
    }
    QString folderName(QWidget *, const QString &startFolder) override
    {
        lastStartFolder = startFolder;
        return fileToChoose;
    }
    QColor colour(QWidget *, const QColor &) override { return colourToChoose; }

    std::deque<Answer> answers;
    QStringList questions;
    QString fileToChoose;
    QColor colourToChoose;
    QString lastStartFolder;
    QString lastFilter;
    int lastSelectedFilter = -1;
};

/// The child of parent with this object name; fails the test when there is none.
template <typename T>
T *child(const QWidget &parent, const char *name)
{
    T *found = parent.findChild<T *>(QLatin1String(name));
    if (found == nullptr)
        qFatal("no child named %s", name);
    return found;
}

/// Clicks a widget with the left button: radio and check buttons on their indicator, others in the middle.
inline void click(QWidget *widget)
{
    const bool indicator = widget->inherits("QRadioButton") || widget->inherits("QCheckBox");
    const QPoint at = indicator ? QPoint(6, widget->height() / 2) : widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace kvilbo::dialogs::testing
