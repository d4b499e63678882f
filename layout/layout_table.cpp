#include "layout/layout_table.h"

#include "layout/default_layout.h"
#include "layout/layout_error.h"
#include "layout/layout_fields.h"
#include "layout/print_text.h"

#include "core/messages.h"
#include "engine/dbf_format.h"

#include <stdexcept>

namespace kvilbo::layout {

namespace {

// How many records per card-table field the layout table may hold before it is packed.
constexpr int kRecordsPerFieldBeforePack = 20;

} // namespace

std::string formFilePath(const std::string &cardTablePath)
{
    return engine::replaceExtension(cardTablePath, ".for");
}

std::string printFilePath(const std::string &cardTablePath)
{
    return engine::replaceExtension(cardTablePath, ".prt");
}

LayoutTable::LayoutTable(const core::TKonfig &Konfig, const core::Texts &texts, core::Log &log,
                         std::shared_ptr<engine::FileSystem> fs)
    : m_konfig(Konfig), m_texts(texts), m_log(log), m_fs(std::move(fs)), m_FORFIL(m_fs)
{
}

void LayoutTable::Formularaapne(engine::TDbfTable &DBF)
{
    if (!DBF.isOpen())
        throw std::logic_error("Formularaapne needs the card table open");
    m_FORFIL.closedatabase();
    const std::string path = formFilePath(DBF.fileName());
    if (!m_fs->exists(path))
        createDefault(path, DBF);
    open(m_fs->resolve(path), DBF.IsExclusive());
    repairLabels();
    ensurePrintFile(DBF);
    maintain(DBF.fieldCount());
}

bool LayoutTable::saveListView(engine::TDbfTable &DBF, const ListViewState &state)
{
    if (!DBF.isOpen())
        return false;
    return writeBackListView(m_FORFIL, DBF.fieldCount(), state);
}

void LayoutTable::createDefault(const std::string &path, engine::TDbfTable &DBF)
{
    for (const FeltDef &felt : kFelter)
        m_FORFIL.LagFelt(std::string(felt.name), felt.type, static_cast<std::uint8_t>(felt.length), 0, 0);
    m_FORFIL.LagDatabase(path, 0);
    // A half-made layout would never be made again (only a missing file is),
    // so a failure while filling it removes the file it had just created.
    try {
        if (!m_FORFIL.OpenDatabase(path, false, false))
            throw LayoutTableError(path, m_texts.ss(2025) + "\r\r" + m_FORFIL.lastErrorMessage());
        appendLayoutRecords(m_FORFIL, defaultLayout(cardFieldsOf(DBF), m_konfig, m_texts));
        m_FORFIL.closedatabase();
    } catch (...) {
        m_FORFIL.closedatabase();
        m_fs->remove(path);
        throw;
    }
    m_log.MSG(m_texts.ss(2073));
}

void LayoutTable::open(const std::string &path, bool exclusive)
{
    if (!m_FORFIL.OpenDatabase(path, exclusive, false))
        throw LayoutTableError(path, m_texts.ss(2025) + "\r\r" + m_FORFIL.lastErrorMessage());
    checkStructure();
}

// Every reader addresses the layout fields by number, so a file with other
// fields is refused before anything reads or writes it.
void LayoutTable::checkStructure()
{
    bool ok = m_FORFIL.fieldCount() >= kFeltCount;
    for (int i = 1; ok && i <= kFeltCount; ++i)
        ok = m_FORFIL.FieldName(i) == engine::upperAscii(kFelter[i - 1].name);
    if (ok)
        return;
    const std::string path = m_FORFIL.fileName();
    m_FORFIL.closedatabase();
    throw LayoutTableError(path, m_texts.ss(2025) + "\r\r" + msg::kWrongStructure);
}

void LayoutTable::repairLabels()
{
    for (int r = 1; r <= m_FORFIL.RecCount(); ++r) {
        m_FORFIL.Go(r);
        if (!m_FORFIL.IsCurrentRecDeleted() && engine::trimBlanks(m_FORFIL.GetF(FormType)) == "6")
            return;
    }
    appendLayoutRecords(m_FORFIL, defaultLabelLayout(m_konfig));
    m_log.MSG(m_texts.ss(7105));
}

void LayoutTable::ensurePrintFile(engine::TDbfTable &DBF)
{
    const std::string path = printFilePath(DBF.fileName());
    if (m_fs->exists(path))
        return;
    m_log.MSG(m_texts.ss(2074));
    writePrintFile(*m_fs, path, defaultPrintText(cardFieldsOf(DBF), m_texts));
    m_log.MSG(m_texts.ss(2075));
}

// Deleted card and label records gather at the end until the table is packed.
// Packing needs the table to itself, so a shared layout table waits for an
// exclusive opening instead of reporting maintenance that did not happen.
void LayoutTable::maintain(int fieldCount)
{
    if (m_FORFIL.RecCount() <= kRecordsPerFieldBeforePack * fieldCount || !m_FORFIL.IsExclusive())
        return;
    const std::string path = m_FORFIL.fileName();
    m_FORFIL.Pack();
    if (!m_FORFIL.isOpen())
        throw LayoutTableError(path, msg::kPackFailed);
    const std::string done = m_texts.ss(2010);
    m_log.MSG(done);
    if (m_melding)
        m_melding(done);
}

} // namespace kvilbo::layout
