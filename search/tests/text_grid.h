#pragma once

// A list grid of texts for the search tests and benchmarks: rows hold a
// record number, a mark and one text per column; built from a card table
// with the program's field display text, like the real list.

#include "search/card_grid.h"

#include "engine/dbf_table.h"
#include "printing/field_text.h"

#include <QStringList>

#include <algorithm>
#include <numeric>
#include <vector>

namespace kvilbo::search::testing {

class TextGrid : public CardGrid {
public:
    struct Row {
        int recNo = 0;
        bool marked = false;
        QStringList cells;
    };

    TextGrid() = default;
    /// Every record of DBF in record order, one column per field.
    TextGrid(engine::TDbfTable &DBF, int spraak) { build(DBF, spraak); }

    void build(engine::TDbfTable &DBF, int spraak)
    {
        m_rows.clear();
        m_fields.clear();
        for (int f = 1; f <= DBF.fieldCount(); ++f)
            m_fields.push_back(f);
        for (int r = 1; r <= DBF.RecCount(); ++r) {
            DBF.Go(r);
            Row row{r, false, {}};
            for (int f : m_fields)
                row.cells << printing::GetX(DBF, f, spraak);
            m_rows.push_back(row);
        }
        m_order.resize(m_fields.size());
        std::iota(m_order.begin(), m_order.end(), 0);
        m_current = m_rows.empty() ? -1 : 0;
        m_currentColumn = m_fields.empty() ? -1 : 0;
        if (DBF.RecCount() > 0)
            DBF.Go(1);
    }
    void setRows(std::vector<int> fields, std::vector<Row> rows)
    {
        m_fields = std::move(fields);
        m_rows = std::move(rows);
        m_order.resize(m_fields.size());
        std::iota(m_order.begin(), m_order.end(), 0);
    }
    /// Sorts the rows by column c as a sort of the list does: whole rows move.
    void sortByColumn(int c, bool descending)
    {
        std::stable_sort(m_rows.begin(), m_rows.end(), [&](const Row &a, const Row &b) {
            const int cmp = QString::compare(a.cells.at(c), b.cells.at(c), Qt::CaseInsensitive);
            return descending ? cmp > 0 : cmp < 0;
        });
    }
    void setVisualColumns(std::vector<int> order) { m_order = std::move(order); }
    Row &row(int r) { return m_rows[static_cast<std::size_t>(r)]; }
    int currentRecNo() const { return m_current >= 0 ? RowRecNo(m_current) : 0; }
    int setCurrentCalls = 0;

    int rowCount() const override { return static_cast<int>(m_rows.size()); }
    int columnCount() const override { return static_cast<int>(m_fields.size()); }
    int RowRecNo(int r) const override { return m_rows[static_cast<std::size_t>(r)].recNo; }
    bool IsRowMarked(int r) const override { return m_rows[static_cast<std::size_t>(r)].marked; }
    void SetRowMark(int r, bool marked) override { m_rows[static_cast<std::size_t>(r)].marked = marked; }
    int columnField(int c) const override { return m_fields[static_cast<std::size_t>(c)]; }
    QString cellText(int r, int c) const override { return m_rows[static_cast<std::size_t>(r)].cells.at(c); }
    std::vector<int> visualColumns() const override { return m_order; }
    int currentRow() const override { return m_current; }
    int currentColumn() const override { return m_currentColumn; }
    void setCurrentCell(int r, int c) override
    {
        m_current = r;
        m_currentColumn = c;
        ++setCurrentCalls;
    }

private:
    std::vector<int> m_fields;
    std::vector<Row> m_rows;
    std::vector<int> m_order;
    int m_current = -1;
    int m_currentColumn = -1;
};

} // namespace kvilbo::search::testing
