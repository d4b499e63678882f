#include "listview/list_model.h"

#include "cardview/converters.h"
#include "engine/dbf_table.h"
#include "listview/cell_text.h"
#include "listview/record_store.h"
#include "listview/sort_keys.h"

#include <QDebug>

#include <algorithm>
#include <numeric>

namespace kvilbo::listview {

ListModel::ListModel(QObject *parent) : QAbstractTableModel(parent) {}

ListModel::~ListModel() = default;

void ListModel::setOptions(const ListOptions &options)
{
    m_options = options;
    if (!m_order.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void ListModel::setCommitHandler(CommitHandler handler) { m_commit = std::move(handler); }

void ListModel::setErrorHandler(ErrorHandler handler) { m_error = std::move(handler); }

void ListModel::reportError(const std::exception &error) const
{
    if (m_error)
        m_error(error);
    else
        qWarning("kortliste: %s", error.what());
}

void ListModel::build(engine::TDbfTable &DBF, const ListLayout &layout)
{
    beginResetModel();
    m_table = &DBF;
    m_layout = layout;
    m_columns.clear();
    m_headings.clear();
    m_fields.clear();
    for (const layout::ListColumnState &col : layout.state.columns) {
        const engine::TdbField f = DBF.GetField(col.fieldNumber);
        m_fields.push_back(f);
        m_columns.push_back(ColumnDescriptor::forField(col.fieldNumber, f.what));
        m_headings.push_back(QString::fromStdString(col.heading));
    }
    const int n = DBF.RecCount();
    m_store = std::make_unique<RecordStore>(QString::fromStdString(DBF.fileName()), DBF.Hlen(), DBF.Rlen(), n);
    m_order.resize(static_cast<std::size_t>(n));
    std::iota(m_order.begin(), m_order.end(), 1);
    m_marks.assign(static_cast<std::size_t>(n), 0);
    m_ascendingFresh = -1;
    endResetModel();
    DBF.Go(1);
}

void ListModel::clear()
{
    beginResetModel();
    m_table = nullptr;
    m_layout = {};
    m_store.reset();
    m_columns.clear();
    m_headings.clear();
    m_fields.clear();
    m_order.clear();
    m_order.shrink_to_fit();
    m_marks.clear();
    m_marks.shrink_to_fit();
    endResetModel();
}

bool ListModel::loadStep(int budgetMs)
{
    try {
        return !m_store || m_store->loadStep(budgetMs);
    } catch (const std::exception &e) {
        reportError(e);
        return true;
    }
}

bool ListModel::fullyLoaded() const { return !m_store || m_store->complete(); }

QString ListModel::heading(int c) const { return m_headings[static_cast<std::size_t>(c)]; }

void ListModel::setHeading(int c, const QString &text)
{
    m_headings[static_cast<std::size_t>(c)] = text;
    emit headerDataChanged(Qt::Horizontal, c, c);
}

char ListModel::fieldType(int c) const { return m_fields[static_cast<std::size_t>(c)].what; }

int ListModel::columnOfField(int f) const
{
    for (std::size_t c = 0; c < m_columns.size(); ++c)
        if (m_columns[c].field == f)
            return static_cast<int>(c);
    return -1;
}

bool ListModel::IsRowMarked(int row) const
{
    return m_marks[static_cast<std::size_t>(RowRecNo(row) - 1)] != 0;
}

void ListModel::SetRowMark(int row, bool marked)
{
    m_marks[static_cast<std::size_t>(RowRecNo(row) - 1)] = marked ? 1 : 0;
    emit headerDataChanged(Qt::Vertical, row, row);
}

void ListModel::setAllMarks(bool marked)
{
    std::fill(m_marks.begin(), m_marks.end(), marked ? 1 : 0);
    if (!m_order.empty())
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

int ListModel::CountMarkedRows() const
{
    return static_cast<int>(std::count(m_marks.begin(), m_marks.end(), 1));
}

int ListModel::rowOfRecord(int recNo) const
{
    const auto it = std::find(m_order.begin(), m_order.end(), recNo);
    return it == m_order.end() ? -1 : static_cast<int>(it - m_order.begin());
}

int ListModel::appendRecordRow(int recNo)
{
    if (!m_store || recNo != m_store->count() + 1)
        return -1;
    const int row = rowCount();
    m_ascendingFresh = -1;
    beginInsertRows({}, row, row);
    try {
        m_store->append();
    } catch (const std::exception &e) {
        reportError(e);
    }
    m_order.push_back(recNo);
    m_marks.push_back(0);
    endInsertRows();
    return row;
}

void ListModel::refreshRecord(int recNo)
{
    if (!m_store || recNo < 1 || recNo > m_store->count())
        return;
    m_ascendingFresh = -1;
    try {
        m_store->refresh(recNo);
    } catch (const std::exception &e) {
        reportError(e);
    }
    const int row = rowOfRecord(recNo);
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

QString ListModel::cellText(int row, int c) const
{
    return cellDisplayText(m_store->record(RowRecNo(row)), m_fields[static_cast<std::size_t>(c)],
                           m_options.spraak);
}

bool ListModel::commitCell(int row, int c, const QString &text)
{
    if (!m_table || row < 0 || row >= rowCount())
        return false;
    const int recNo = RowRecNo(row);
    const int f = descriptor(c).field;
    try {
        QString verdi = text;
        switch (fieldType(c)) {
        case 'D': verdi = cardview::FreshDate(text, m_options.DefAarHundre); break;
        case 'N':
        case 'F': verdi = cardview::FreshNum(text, m_fields[c].len, m_fields[c].places, m_options.spraak); break;
        case 'L': verdi = cardview::FreshLog(text, m_options.spraak); break;
        case 'M': return false; // memo text goes through the memo editor
        default: break;
        }
        m_table->Go(recNo);
        if (m_commit)
            m_commit(recNo, f, verdi);
        else
            defaultCommit(*m_table, f, verdi, m_options);
    } catch (const std::exception &e) {
        reportError(e);
        refreshRecord(recNo);
        return false;
    }
    refreshRecord(recNo);
    return true;
}

void ListModel::setOrder(std::vector<std::int32_t> order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Persistent indexes (the current cell) follow their record.
    const QModelIndexList before = persistentIndexList();
    std::vector<std::int32_t> rowOf(m_order.size() + 1, -1);
    for (std::size_t r = 0; r < order.size(); ++r)
        rowOf[static_cast<std::size_t>(order[r])] = static_cast<std::int32_t>(r);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &i : before)
        after.push_back(index(rowOf[static_cast<std::size_t>(RowRecNo(i.row()))], i.column()));
    m_order = std::move(order);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ListModel::sortRows(int c, SortState state)
{
    if (!m_store || m_order.empty())
        return;
    if (state == SortState::None) {
        std::vector<std::int32_t> order(m_order.size());
        std::iota(order.begin(), order.end(), 1);
        setOrder(std::move(order));
        return;
    }
    try {
        m_store->loadAll();
        const SortSpec order{state == SortState::Ascending, m_options.ListeSortBlank, m_options.spraak,
                            m_options.DefAarHundre};
        setOrder(sortedOrder(m_order, *m_store, m_fields[static_cast<std::size_t>(c)], order));
    } catch (const std::exception &e) {
        reportError(e);
    }
}

void ListModel::sortByColumn(int c)
{
    if (m_order.empty() || c < 0 || c >= columnCount())
        return;
    ColumnDescriptor &d = m_columns[static_cast<std::size_t>(c)];
    switch (d.sort) {
    case SortState::None:
        for (ColumnDescriptor &other : m_columns)
            other.sort = SortState::None;
        d.sort = SortState::Ascending;
        break;
    case SortState::Ascending:
        d.sort = SortState::Descending;
        // Descending is the ascending result reversed: unless a row changed or
        // came since, the rows hold that result already.
        if (m_ascendingFresh == c) {
            setOrder(std::vector<std::int32_t>(m_order.rbegin(), m_order.rend()));
            m_ascendingFresh = -1;
            emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
            return;
        }
        break;
    case SortState::Descending: d.sort = SortState::None; break;
    }
    sortRows(c, d.sort);
    m_ascendingFresh = d.sort == SortState::Ascending ? c : -1;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

bool ListModel::KortListeSortert(int &xFeltNummer, int &xSorteringsType) const
{
    xFeltNummer = 0;
    xSorteringsType = 0;
    if (m_order.empty())
        return false;
    for (const ColumnDescriptor &d : m_columns) {
        if (d.sort != SortState::None) {
            xFeltNummer = d.field;
            xSorteringsType = d.sort == SortState::Ascending ? 1 : 2;
            return true;
        }
    }
    return false;
}

int ListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

int ListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant ListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        try {
            return cellText(index.row(), index.column());
        } catch (const std::exception &) {
            return {}; // an unreadable file shows blank cells; the edit path reports it
        }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignVCenter)
                                   | (descriptor(index.column()).align == 'H' ? Qt::AlignRight : Qt::AlignLeft));
    default:
        return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < rowCount())
            return IsRowMarked(section) ? QStringLiteral("x") : QString();
        return {};
    }
    if (section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return heading(section);
    if (role == SortStateRole)
        return QVariant::fromValue(static_cast<int>(descriptor(section).sort));
    return {};
}

Qt::ItemFlags ListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags fl = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const char t = fieldType(index.column());
    if (t == 'C' || t == 'D' || t == 'N' || t == 'F')
        fl |= Qt::ItemIsEditable;
    return fl;
}

bool ListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    return commitCell(index.row(), index.column(), value.toString());
}

} // namespace kvilbo::listview
