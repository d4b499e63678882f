#pragma once

// The list grid's model: one row per record of the open card table, in card
// order (record order or the order of the last sort), one column per list
// layout column. Rows are data rows only (0-based); headings and descriptors
// are the model's own structure, not rows. The record bytes are read straight
// from the table file in chunks, on demand for the rows drawn and
// step by step in the background (loadStep), so the first paint never waits
// for the whole table.

#include "listview/list_columns.h"
#include "listview/list_layout.h"

#include "engine/dbf_format.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::listview {

class RecordStore;

/// Settings the list follows: language, century base and where blank sort values go.
struct ListOptions {
    int spraak = 0;           ///< 0 Norwegian, 1 English
    int DefAarHundre = 2000;  ///< century base of two-digit years
    bool ListeSortBlank = false; ///< blanks first when sorting ascending
};

class ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    /// Called to write an edited cell: record number, field number, normalised text.
    /// The card table is positioned on the record before the call.
    using CommitHandler = std::function<void(int recNo, int feltNr, const QString &verdi)>;
    /// Receives unexpected failures (conversion, file input/output) for the error dialog.
    using ErrorHandler = std::function<void(const std::exception &error)>;

    explicit ListModel(QObject *parent = nullptr);
    ~ListModel() override;

    /// Language, century base and ListeSortBlank.
    void setOptions(const ListOptions &options);
    const ListOptions &options() const { return m_options; }
    /// Replaces the cell commit (default: defaultCommit on the card table).
    void setCommitHandler(CommitHandler handler);
    /// Replaces the error receiver (default: a warning on stderr).
    void setErrorHandler(ErrorHandler handler);

    /// Rebuilds from the card table and its list layout: record order, no marks, nothing sorted.
    void build(engine::TDbfTable &DBF, const ListLayout &layout);
    /// Forgets the table (database closed).
    void clear();
    /// The card table, or nullptr.
    engine::TDbfTable *table() const { return m_table; }
    /// The layout the list was built from (headings, widths, appearance).
    const ListLayout &layout() const { return m_layout; }

    /// Reads record chunks for at most budgetMs; true when every record has been read.
    bool loadStep(int budgetMs);
    /// True when every record has been read.
    bool fullyLoaded() const;

    // Columns
    /// Descriptor of column c.
    const ColumnDescriptor &descriptor(int c) const { return m_columns[static_cast<std::size_t>(c)]; }
    /// Descriptor text of column c ("003 H X").
    std::string descriptorText(int c) const { return descriptor(c).text(); }
    /// Heading of column c.
    QString heading(int c) const;
    /// Changes the heading of column c.
    void setHeading(int c, const QString &text);
    /// Type letter of the field shown in column c.
    char fieldType(int c) const;
    /// First column showing field f, or -1.
    int columnOfField(int f) const;

    // Rows and marks (rows are 0-based data rows)
    /// Record number of a row.
    int RowRecNo(int row) const { return m_order[static_cast<std::size_t>(row)]; }
    /// True when the row is marked.
    bool IsRowMarked(int row) const;
    /// Marks or unmarks a row.
    void SetRowMark(int row, bool marked);
    /// Marks or unmarks every row.
    void setAllMarks(bool marked);
    /// Number of marked rows.
    int CountMarkedRows() const;
    /// The twelve-character row key of a row.
    std::string rowKeyText(int row) const { return rowKey(IsRowMarked(row), RowRecNo(row)); }
    /// Row showing record recNo, or -1.
    int rowOfRecord(int recNo) const;
    /// Adds a last row for a record appended to the table; returns its row.
    int appendRecordRow(int recNo);
    /// Re-reads a record from the file and repaints its row.
    void refreshRecord(int recNo);

    /// Display text of a cell (the field's display text, or an edit not yet written).
    QString cellText(int row, int c) const;
    /// Normalises text for column c's field type and hands it to the commit; false on failure.
    bool commitCell(int row, int c, const QString &text);

    // Sorting
    /// The right-click on a heading: X -> ascending (others reset), O -> descending, N -> record order.
    void sortByColumn(int c);
    /// Puts the rows in the given order of column c (or record order for SortState::None).
    void sortRows(int c, SortState state);
    /// True with field and sort type (1 ascending, 2 descending) when a column is sorted.
    bool KortListeSortert(int &xFeltNummer, int &xSorteringsType) const;

    // QAbstractTableModel
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    /// headerData role giving a column's SortState as an int holding its letter.
    static constexpr int SortStateRole = Qt::UserRole + 1;

private:
    void reportError(const std::exception &error) const;
    void setOrder(std::vector<std::int32_t> order);

    ListOptions m_options;
    engine::TDbfTable *m_table = nullptr;
    ListLayout m_layout;
    std::unique_ptr<RecordStore> m_store;
    std::vector<ColumnDescriptor> m_columns;
    std::vector<QString> m_headings;
    std::vector<engine::TdbField> m_fields; // per column: descriptor of its field
    std::vector<std::int32_t> m_order;   // row -> record number
    std::vector<std::uint8_t> m_marks;   // record number - 1 -> marked
    int m_ascendingFresh = -1;           // column whose ascending order the rows still hold
    CommitHandler m_commit;
    ErrorHandler m_error;
};

/// Writes one edited cell through repl: converts verdi for field feltNr's type and
/// stores it into the current record, written under the write claim.
void defaultCommit(engine::TDbfTable &DBF, int feltNr, const QString &verdi, const ListOptions &options);

} // namespace kvilbo::listview
