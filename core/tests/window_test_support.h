#pragma once

// Helpers of the main window's GUI tests: reading labels, clicking buttons,
// reading the log, and a base with the usual start options.

#include "window_fixture.h"

#include "core/card_list.h"
#include "core/database_session.h"
#include "core/hovedskjerm.h"
#include "core/program_errors.h"

#include <QFile>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace kvilbo::core::testing {

inline QString labelText(QWidget &w, const char *name)
{
    auto *label = w.findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

inline bool labelEnabled(QWidget &w, const char *name)
{
    return w.findChild<QLabel *>(QString::fromLatin1(name))->isEnabled();
}

inline void click(QWidget &w, const char *button)
{
    auto *b = w.findChild<QToolButton *>(QString::fromLatin1(button));
    QVERIFY2(b, button);
    QVERIFY2(b->isEnabled(), button);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
}

inline QStringList logLines(const QTemporaryDir &folder)
{
    QFile file(folder.filePath(QStringLiteral("Kvilbo.LOG")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

inline QTableView *grid(QWidget &w)
{
    return w.findChild<QTableView *>(QStringLiteral("kortliste"));
}

/// Start options and the common steps of the window tests.
class WindowTestBase : public QObject
{
protected:
    StartOptions options(const QTemporaryDir &folder, FakePrompts &prompts, std::uint16_t language = 1033)
    {
        StartOptions o;
        o.programFolder = folder.path().toStdString();
        o.prompts = &prompts;
        o.userLanguage = language;
        return o;
    }

    ChosenDatabase demo(const QTemporaryDir &folder, bool exclusive = false)
    {
        return {makeKunder(folder.path().toStdString(), fourCustomers()), exclusive};
    }

    void openWithDialog(TForm3 &w, FakePrompts &prompts, const ChosenDatabase &file)
    {
        prompts.files.push_back(file);
        click(w, "ToolButton11");
    }

    int currentRecord(TForm3 &w) { return w.session().DBF().RecNo(); }
};

} // namespace kvilbo::core::testing
