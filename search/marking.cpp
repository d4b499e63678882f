#include "search/marking.h"

#include "search/condition.h"

#include "cardview/converters.h"
#include "core/messages.h"
#include "engine/dbf_table.h"

namespace kvilbo::search {

QString sumText(double sum, QChar decSep)
{
    if (sum == 0.0)
        sum = 0.0; // no "-0"
    QString text = QString::number(sum, 'g', 15);
    text.replace(u'.', decSep);
    return text;
}

MarkingCommands::MarkingCommands(engine::TDbfTable &DBF, CardGrid &grid, const core::Texts &texts,
                                 SearchHost &host)
    : m_table(DBF), m_grid(grid), m_texts(texts), m_host(host)
{
}

bool MarkingCommands::hasCards() const
{
    return m_table.isOpen() && m_table.Records() && m_grid.rowCount() > 0;
}

QChar MarkingCommands::decimalSeparator() const
{
    return QLatin1Char(m_texts.decimalSeparator());
}

void MarkingCommands::MarkerDette()
{
    const int row = m_grid.currentRow();
    if (!hasCards() || row < 0)
        return;
    const bool marked = !m_grid.IsRowMarked(row);
    m_grid.SetRowMark(row, marked);
    m_host.setMarkedLabel(marked);
}

void MarkingCommands::markCurrent()
{
    const int row = m_grid.currentRow();
    if (row < 0)
        return;
    m_grid.SetRowMark(row, true);
    m_host.refreshStatus();
}

void MarkingCommands::unmarkCurrent()
{
    const int row = m_grid.currentRow();
    if (row < 0)
        return;
    m_grid.SetRowMark(row, false);
    m_host.refreshStatus();
}

void MarkingCommands::markAll()
{
    m_grid.setAllMarks(true);
    m_host.refreshStatus();
}

void MarkingCommands::unmarkAll()
{
    m_grid.setAllMarks(false);
    m_host.refreshStatus();
}

void MarkingCommands::countMarked()
{
    const std::string text = m_texts.ss(2040, {m_grid.CountMarkedRows()});
    m_host.logMessage(text, true);
    m_host.notice(text);
}

void MarkingCommands::sumField()
{
    if (!hasCards())
        return;
    const int feltNr = m_host.chooseField();
    if (feltNr < 1 || feltNr > m_table.fieldCount())
        return;
    const char typ = m_table.GetField(feltNr).what;
    if (typ != 'F' && typ != 'N') {
        m_host.logMessage(m_texts.ss(2070), true);
        return;
    }
    const int column = firstColumnOfField(m_grid, feltNr);
    if (column < 0)
        return;
    double sum = 0.0;
    for (const int row : markedRows(m_grid)) {
        const QString cell = m_grid.cellText(row, column);
        const std::optional<double> value = parseNumber(cell, decimalSeparator());
        if (!value)
            throw cardview::ConversionError(cell);
        sum += *value;
    }
    m_host.logMessage(m_texts.ss(2071, {sumText(sum, decimalSeparator()).toStdString()}), true);
}

void MarkingCommands::flagMarkedRecords()
{
    // Records another program flagged are kept: only the marked cards go.
    for (int r = 1; r <= m_table.RecCount(); ++r) {
        m_table.Go(r);
        if (m_table.IsCurrentRecDeleted())
            m_table.Delete(false);
    }
    for (const int row : markedRows(m_grid)) {
        m_table.Go(m_grid.RowRecNo(row));
        m_table.Delete(true);
    }
}

void MarkingCommands::deleteMarked()
{
    if (!hasCards())
        return;
    if (!m_table.IsExclusive()) {
        m_host.messageBox(m_texts.ss(2028));
        return;
    }
    if (m_grid.CountMarkedRows() == 0)
        return;
    if (!m_host.confirmYesCancel(m_texts.ss(2029)))
        return;
    flagMarkedRecords();
    m_host.logMessage(m_texts.ss(2085), false);
    m_table.Pack();
    m_host.logMessage(m_texts.ss(2086), false);
    if (m_table.RecCount() == 0)
        m_table.AppendBlank();
    m_table.GotoStart();
    m_host.rebuildViews();
    m_table.GotoStart();
    m_host.refreshStatus();
    m_host.refreshCurrentCard();
    m_host.showListView();
}

} // namespace kvilbo::search
