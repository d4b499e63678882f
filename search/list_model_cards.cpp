#include "search/list_model_cards.h"

#include "listview/list_model.h"

namespace kvilbo::search {

int ListModelCards::rowCount() const { return m_model.rowCount(); }

int ListModelCards::columnCount() const { return m_model.columnCount(); }

int ListModelCards::RowRecNo(int row) const { return m_model.RowRecNo(row); }

bool ListModelCards::IsRowMarked(int row) const { return m_model.IsRowMarked(row); }

void ListModelCards::SetRowMark(int row, bool marked) { m_model.SetRowMark(row, marked); }

int ListModelCards::CountMarkedRows() const { return m_model.CountMarkedRows(); }

void ListModelCards::setAllMarks(bool marked) { m_model.setAllMarks(marked); }

int ListModelCards::columnField(int c) const { return m_model.descriptor(c).field; }

QString ListModelCards::cellText(int row, int c) const { return m_model.cellText(row, c); }

void ListModelCards::setCurrentCell(int row, int c)
{
    m_row = row;
    m_column = c;
}

} // namespace kvilbo::search
