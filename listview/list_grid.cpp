#include "listview/list_grid.h"

#include "engine/dbf_table.h"
#include "listview/list_grid_parts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace kvilbo::listview {

namespace {

QColor fromBgr(std::uint32_t bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

std::uint32_t toBgr(const QColor &c)
{
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8
           | static_cast<std::uint32_t>(c.blue()) << 16;
}

constexpr int kDefaultColumnWidth = 64;
constexpr int kUnsizedFontPoints = 8; // the 11-pixel start font, as a size the layout table can hold
constexpr int kLoadSliceMs = 10; // well under the 50 ms a user notices as a stall, also on a busy machine

} // namespace

ListGrid::ListGrid(QWidget *parent)
    : QTableView(parent), m_model(new ListModel(this)), m_loader(new QTimer(this))
{
    setObjectName(QStringLiteral("kortliste"));
    auto *heading = new ListHeader(this);
    auto *marks = new MarkHeader(this);
    setHorizontalHeader(heading);
    setVerticalHeader(marks);
    setModel(m_model);
    auto *delegate = new CellDelegate(*m_model, this);
    setItemDelegate(delegate);
    setShowGrid(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setFocusPolicy(Qt::ClickFocus);
    setWordWrap(false);
    heading->setDefaultSectionSize(kDefaultColumnWidth);
    marks->setDefaultSectionSize(21);
    marks->setMinimumSectionSize(1);
    QFont cells(QStringLiteral("Tahoma"));
    cells.setPixelSize(11);
    setFont(cells);
    QFont headings(QStringLiteral("Segoe UI")); // kept when the layout sets the cells' font
    headings.setPixelSize(13);
    heading->setFont(headings);
    m_loader->setInterval(0);
    connect(m_loader, &QTimer::timeout, this, &ListGrid::loadMore);
    connect(heading, &ListHeader::sortRequested, this, &ListGrid::sortColumn);
    connect(marks, &MarkHeader::markClicked, this, &ListGrid::toggleRowMark);
    hide();
}

ListGrid::~ListGrid() = default;

void ListGrid::setErrorHandler(ListModel::ErrorHandler handler)
{
    m_error = handler;
    m_model->setErrorHandler(std::move(handler));
}

void ListGrid::reportError(const std::exception &error)
{
    if (m_error)
        m_error(error);
    else
        qWarning("kortliste: %s", error.what());
}

void ListGrid::formularsettoppLISTE(engine::TDbfTable &DBF, engine::TDbfTable &FORFIL)
{
    hide();
    m_loader->stop();
    const ListLayout layout = readListLayout(FORFIL, DBF);
    m_model->build(DBF, layout);
    applyLayout();
    if (m_model->rowCount() > 0) {
        setCurrentIndex(m_model->index(0, horizontalHeader()->logicalIndex(0)));
        m_loader->start();
    } else {
        show();
    }
}

void ListGrid::applyLayout()
{
    const ListLayout &layout = m_model->layout();
    const layout::ListViewState &s = layout.state;
    if (layout.hasAppearance) {
        QFont f(QString::fromStdString(s.fontName));
        f.setPointSize(s.fontSize > 0 ? s.fontSize : 8);
        f.setBold(s.bold);
        f.setItalic(s.italic);
        f.setUnderline(s.underline);
        setFont(f);
        setFontColour(fromBgr(s.fontColour));
        setGridColour(fromBgr(s.gridColour));
        setGridLines(s.horizontalLines, s.verticalLines);
        setDefaultRowHeight(s.rowHeight);
    }
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const auto i = static_cast<std::size_t>(c);
        const bool byDefault =
            i < layout.defaultWidth.size() ? bool(layout.defaultWidth[i]) : s.columns[i].width <= 0;
        setListColumnWidth(c, byDefault ? kDefaultColumnWidth : s.columns[i].width);
    }
}

void ListGrid::setListColumnWidth(int c, int width)
{
    if (c < 0 || c >= m_model->columnCount())
        return;
    // -1 takes the column out of sight and keeps it so across a close; 0 leaves it
    // in place, merely zero pixels wide.
    setColumnHidden(c, width < 0);
    if (width >= 0)
        setColumnWidth(c, width);
}

int ListGrid::listColumnWidth(int c) const
{
    return isColumnHidden(c) ? -1 : columnWidth(c);
}

void ListGrid::setColumnHeading(int c, const QString &heading)
{
    if (c >= 0 && c < m_model->columnCount())
        m_model->setHeading(c, heading);
}

int ListGrid::defaultRowHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

void ListGrid::setDefaultRowHeight(int height)
{
    verticalHeader()->setDefaultSectionSize(std::max(1, height));
}

bool ListGrid::horizontalLines() const
{
    return static_cast<const CellDelegate *>(itemDelegate())->horizontalLines();
}

bool ListGrid::verticalLines() const
{
    return static_cast<const CellDelegate *>(itemDelegate())->verticalLines();
}

void ListGrid::setGridLines(bool horizontal, bool vertical)
{
    static_cast<CellDelegate *>(itemDelegate())->setGridLines(horizontal, vertical);
    viewport()->update();
}

QColor ListGrid::fontColour() const
{
    return palette().color(QPalette::Text);
}

void ListGrid::setFontColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, colour);
    setPalette(p);
}

QColor ListGrid::gridColour() const
{
    return palette().color(QPalette::Base);
}

void ListGrid::setGridColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    setPalette(p);
}

int ListGrid::fontSize() const
{
    return font().pointSize() > 0 ? font().pointSize() : kUnsizedFontPoints;
}

int ListGrid::currentColumn() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? horizontalHeader()->visualIndex(i.column()) + 1 : 0;
}

int ListGrid::logicalColumn(int column) const
{
    if (column < 1 || column > m_model->columnCount())
        return -1;
    return horizontalHeader()->logicalIndex(column - 1);
}

void ListGrid::loadMore()
{
    if (m_model->loadStep(kLoadSliceMs))
        m_loader->stop();
}

void ListGrid::showEvent(QShowEvent *event)
{
    QTableView::showEvent(event);
    if (!m_model->fullyLoaded())
        m_loader->start();
}

void ListGrid::clearList()
{
    m_loader->stop();
    if (auto *ed = static_cast<CellDelegate *>(itemDelegate())->activeEditor())
        closeEditor(ed, QAbstractItemDelegate::NoHint);
    m_model->clear();
    hide();
}

void ListGrid::OppdaterListe()
{
    engine::TDbfTable *t = m_model->table();
    if (!t || m_model->rowCount() == 0)
        return;
    const int row = currentRow();
    const int shown = row >= 0 ? m_model->RowRecNo(row) : 0;
    if (shown > 0)
        m_model->refreshRecord(shown);
    if (t->RecNo() != shown)
        m_model->refreshRecord(t->RecNo());
}

bool ListGrid::KortListeSortert(int &xFeltNummer, int &xSorteringsType) const
{
    xFeltNummer = 0;
    xSorteringsType = 0;
    if (m_model->rowCount() == 0)
        return false;
    for (int v = 0; v < m_model->columnCount(); ++v) {
        const ColumnDescriptor &d = m_model->descriptor(horizontalHeader()->logicalIndex(v));
        if (d.sort != SortState::None) {
            xFeltNummer = d.field;
            xSorteringsType = d.sort == SortState::Ascending ? 1 : 2;
            return true;
        }
    }
    return false;
}

layout::ListViewState ListGrid::listViewState() const
{
    layout::ListViewState s;
    s.rowHeight = defaultRowHeight();
    s.horizontalLines = horizontalLines();
    s.verticalLines = verticalLines();
    s.fontName = font().family().toStdString();
    s.fontSize = fontSize();
    s.bold = font().bold();
    s.italic = font().italic();
    s.underline = font().underline();
    s.fontColour = toBgr(fontColour());
    s.gridColour = toBgr(gridColour());
    for (int v = 0; v < m_model->columnCount(); ++v) {
        const int c = horizontalHeader()->logicalIndex(v);
        s.columns.push_back({m_model->descriptor(c).field, listColumnWidth(c), m_model->heading(c).toStdString()});
    }
    return s;
}

int ListGrid::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void ListGrid::setCurrentRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const int c = currentIndex().isValid() ? currentIndex().column() : horizontalHeader()->logicalIndex(0);
    setCurrentIndex(m_model->index(row, c));
}

int ListGrid::addRecordRow()
{
    engine::TDbfTable *t = m_model->table();
    if (!t)
        return -1;
    const int row = m_model->appendRecordRow(t->RecCount());
    if (row < 0)
        return -1;
    setCurrentRow(row);
    OppdaterListe();
    return row;
}

void ListGrid::sortColumn(int c)
{
    if (m_model->rowCount() == 0)
        return;
    if (QWidget *ed = static_cast<CellDelegate *>(itemDelegate())->activeEditor()) {
        commitData(ed);
        closeEditor(ed, QAbstractItemDelegate::NoHint);
    }
    emit sortStarted();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_model->sortByColumn(c);
    QApplication::restoreOverrideCursor();
    horizontalHeader()->viewport()->update();
    viewport()->update();
    if (currentIndex().isValid())
        scrollTo(currentIndex());
    emit sortFinished();
}

void ListGrid::toggleRowMark(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const bool marked = !m_model->IsRowMarked(row);
    m_model->SetRowMark(row, marked);
    emit rowMarkToggled(row, marked);
}

void ListGrid::editMemo(int row, int c)
{
    engine::TDbfTable *t = m_model->table();
    if (!t || row < 0 || row >= m_model->rowCount() || m_model->fieldType(c) != 'M')
        return;
    const int recNo = m_model->RowRecNo(row);
    const int f = m_model->descriptor(c).field;
    try {
        t->Go(recNo);
        const QString text = QString::fromStdString(t->MemoRead(static_cast<std::uint16_t>(f)));
        const std::optional<QString> edited =
            m_memoEditor ? m_memoEditor(text, m_model->heading(c)) : plainMemoEditor(this, text, m_model->heading(c));
        if (!edited || *edited == text)
            return;
        t->Go(recNo);
        t->MemoWrite(static_cast<std::uint16_t>(f), edited->toStdString());
        m_model->refreshRecord(recNo);
        emit cellCommitted(recNo, f);
    } catch (const std::exception &e) {
        reportError(e);
    }
}

void ListGrid::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex cur = currentIndex();
    if (!cur.isValid() || m_model->rowCount() == 0 || state() == QAbstractItemView::EditingState) {
        QTableView::keyPressEvent(event);
        return;
    }
    const char type = m_model->fieldType(cur.column());
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter) {
        // Enter opens the editor with the caret at the start, not over a selection.
        if ((m_model->flags(cur) & Qt::ItemIsEditable) && edit(cur, QAbstractItemView::EditKeyPressed, event))
            if (auto *line = qobject_cast<QLineEdit *>(static_cast<CellDelegate *>(itemDelegate())->activeEditor())) {
                line->deselect();
                line->setCursorPosition(0);
            }
        return;
    }
    if (event->key() == Qt::Key_Space && type == 'L') {
        m_model->commitCell(cur.row(), cur.column(), toggledLogical(m_model->cellText(cur.row(), cur.column()),
                                                                   m_model->options().spraak));
        emit cellCommitted(m_model->RowRecNo(cur.row()), m_model->descriptor(cur.column()).field);
        return;
    }
    if (event->key() == Qt::Key_Space && type == 'M') {
        editMemo(cur.row(), cur.column());
        return;
    }
    const bool typed = !event->text().isEmpty() && event->text()[0].isPrint()
                       && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if ((type == 'L' || type == 'M') && typed)
        return; // these columns take no typed characters
    if ((type == 'N' || type == 'F') && typed
        && !acceptNumericKey(event->text()[0], QString(), 0, 0,
                             m_model->options().spraak == 1 ? QLatin1Char('.') : QLatin1Char(',')))
        return; // a letter does not open a numeric cell's editor
    QTableView::keyPressEvent(event);
}

void ListGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex i = indexAt(event->position().toPoint());
    if (i.isValid() && m_model->fieldType(i.column()) == 'M') {
        editMemo(i.row(), i.column());
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void ListGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    engine::TDbfTable *t = m_model->table();
    if (!t || !current.isValid())
        return;
    const int recNo = m_model->RowRecNo(current.row());
    t->Go(recNo);
    emit currentRecordChanged(recNo, m_model->descriptor(current.column()).field, m_model->IsRowMarked(current.row()));
}

} // namespace kvilbo::listview
