#pragma once

// The demo database (KUNDER.DBF, 11 fields, its default layout) written by
// lagdemo into a temporary folder and opened as the main window opens it.

#include "core/config.h"
#include "core/messages.h"
#include "engine/dbf_table.h"
#include "layout/layout_table.h"

#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <stdexcept>

namespace kvilbo::designer::test {

class DemoDatabase {
public:
    explicit DemoDatabase(int spraak = 0) : texts(static_cast<std::uint16_t>(spraak))
    {
        if (!dir.isValid() || QProcess::execute(QStringLiteral(LAGDEMO), {dir.path()}) != 0)
            throw std::runtime_error("lagdemo could not write the demo database");
        konfig = core::defaultKonfig();
        log = std::make_unique<core::Log>(dir.path().toStdString(), texts);
        open();
    }
    ~DemoDatabase() { close(); }

    /// Opens the card table and its layout table (on fs), as opening a database does.
    void open(std::shared_ptr<engine::FileSystem> fs = engine::posixFileSystem())
    {
        if (!DBF.OpenDatabase(path(), false, false))
            throw std::runtime_error("cannot open " + path());
        layoutTable = std::make_unique<layout::LayoutTable>(konfig, texts, *log, std::move(fs));
        layoutTable->Formularaapne(DBF);
        DBF.Go(1);
    }
    void close()
    {
        if (layoutTable)
            layoutTable->close();
        layoutTable.reset();
        DBF.closedatabase();
    }
    std::string path() const { return dir.filePath(QStringLiteral("KUNDER.DBF")).toStdString(); }
    engine::TDbfTable &FORFIL() { return layoutTable->FORFIL(); }

    QTemporaryDir dir;
    core::TKonfig konfig;
    core::Texts texts;
    std::unique_ptr<core::Log> log;
    engine::TDbfTable DBF;
    std::unique_ptr<layout::LayoutTable> layoutTable;
};

} // namespace kvilbo::designer::test
