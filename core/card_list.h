#pragma once

#include "layout/list_view_writeback.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace kvilbo::engine {
class TDbfTable;
}

// What the main window needs of the list grid kortliste: the grid's rows are
// the card order, so navigation, the status bar and the open/close sequence
// all go through this.

namespace kvilbo::core {

/// Settings the list follows.
struct CardListOptions
{
    int spraak = 0;
    int DefAarHundre = 2000;
    bool ListeSortBlank = true;
};

/// Notifications from the grid to the window.
struct CardListEvents
{
    std::function<void(int recNo, int feltNr, bool marked)> currentRecordChanged;
    std::function<void(bool marked)> markToggled;
    std::function<void()> sortStarted;
    std::function<void()> sortFinished;
    std::function<void(std::exception_ptr)> error;
};

/// The list grid as the main window drives it; rows are 0-based data rows in card order.
class CardList
{
public:
    virtual ~CardList() = default;
    /// The grid widget (objectName "kortliste").
    virtual QWidget *widget() = 0;
    /// Where the grid reports what happens.
    virtual void setEvents(CardListEvents events) = 0;
    /// Language, century base and blank placement of sorting.
    virtual void setOptions(const CardListOptions &options) = 0;
    /// Rebuilds the grid from the list layout of FORFIL and the card table DBF.
    virtual void formularsettoppLISTE(engine::TDbfTable &DBF, engine::TDbfTable &FORFIL) = 0;
    /// Forgets the table (database closed).
    virtual void clearList() = 0;
    /// Refreshes the current row from the card table's current record.
    virtual void OppdaterListe() = 0;
    /// True with field and sort type (1 ascending, 2 descending) when the list is sorted.
    virtual bool KortListeSortert(int &xFeltNummer, int &xSorteringsType) const = 0;
    /// Appearance and columns in visual order, for the write-back at close.
    virtual layout::ListViewState listViewState() const = 0;
    /// Number of data rows.
    virtual int rowCount() const = 0;
    /// The current data row, or -1.
    virtual int currentRow() const = 0;
    /// Makes a data row current, which selects its record.
    virtual void setCurrentRow(int row) = 0;
    /// The twelve-character key of a row: mark, blanks, record number.
    virtual std::string rowKey(int row) const = 0;
    /// Adds the row of the record just appended to DBF and makes it current; returns the row.
    virtual int addRecordRow() = 0;
    /// Toggles a row's mark.
    virtual void toggleRowMark(int row) = 0;
};

/// The list grid of this build.
std::unique_ptr<CardList> makeCardList(QWidget *parent);

} // namespace kvilbo::core
