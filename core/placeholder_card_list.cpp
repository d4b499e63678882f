// A plain list grid used while the list view's own grid is not part of the
// build: rows in card order, headings and widths from the list layout, marks
// on the row headers, right-click sorting on the headings. No editing.

#include "core/card_list.h"

#include "core/navigation.h"
#include "core/program_errors.h"
#include "engine/dbf_table.h"
#include "layout/layout_fields.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTableWidget>

#include <algorithm>
#include <vector>

namespace kvilbo::core {

namespace {

constexpr int kRecNoRole = Qt::UserRole;
constexpr int kFieldRole = Qt::UserRole;
constexpr int kSortRole = Qt::UserRole + 1;

QString trimmedField(engine::TDbfTable &table, int field)
{
    return QString::fromStdString(table.GetF(field)).trimmed();
}

struct Column
{
    int field = 0;
    int width = 0;
    QString heading;
};

std::vector<Column> readColumns(engine::TDbfTable &DBF, engine::TDbfTable &FORFIL)
{
    const int n = DBF.fieldCount();
    int header = 0;
    for (int r = 1; r <= FORFIL.RecCount() && header == 0; ++r) {
        FORFIL.Go(r);
        if (!FORFIL.IsCurrentRecDeleted() && trimmedField(FORFIL, layout::FormType) == "1")
            header = r;
    }
    std::vector<Column> columns;
    for (int c = 1; c <= n; ++c) {
        Column col;
        if (header > 0 && header + c <= FORFIL.RecCount()) {
            FORFIL.Go(header + c);
            col.heading = trimmedField(FORFIL, layout::ObjRefTxt);
            col.field = trimmedField(FORFIL, layout::ObjRefNr).toInt();
            col.width = trimmedField(FORFIL, layout::ObjBredde).toInt();
        }
        if (col.field < 1 || col.field > n) {
            col.field = c;
            col.heading = QString::fromStdString(DBF.FieldName(c));
        }
        columns.push_back(col);
    }
    return columns;
}

bool lessForSort(const QString &a, const QString &b)
{
    bool aNumber = false, bNumber = false;
    const double x = QString(a).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&aNumber);
    const double y = QString(b).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&bNumber);
    if (aNumber && bNumber)
        return x < y;
    return QString::localeAwareCompare(a.toLower(), b.toLower()) < 0;
}

class PlaceholderCardList : public QTableWidget, public CardList
{
public:
    explicit PlaceholderCardList(QWidget *parent) : QTableWidget(parent)
    {
        setObjectName(QStringLiteral("kortliste"));
        setEditTriggers(NoEditTriggers);
        setSelectionMode(SingleSelection);
        horizontalHeader()->setSectionsMovable(true);
        verticalHeader()->setFixedWidth(17);
        verticalHeader()->setDefaultSectionSize(21);
        setFocusPolicy(Qt::StrongFocus);
        horizontalHeader()->viewport()->installEventFilter(this);
        connect(verticalHeader(), &QHeaderView::sectionClicked, this, [this](int row) {
            guarded([&] { toggleRowMark(row); });
        });
        connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
            guarded([&] { selectCell(row, column); });
        });
        hide();
    }

    QWidget *widget() override { return this; }
    void setEvents(CardListEvents events) override { m_events = std::move(events); }
    void setOptions(const CardListOptions &options) override { m_options = options; }

    void formularsettoppLISTE(engine::TDbfTable &DBF, engine::TDbfTable &FORFIL) override
    {
        hide();
        m_table = &DBF;
        const std::vector<Column> columns = readColumns(DBF, FORFIL);
        clear();
        setColumnCount(static_cast<int>(columns.size()));
        setRowCount(DBF.RecCount());
        for (int c = 0; c < columnCount(); ++c) {
            auto *item = new QTableWidgetItem(columns[static_cast<std::size_t>(c)].heading);
            item->setData(kFieldRole, columns[static_cast<std::size_t>(c)].field);
            item->setData(kSortRole, QStringLiteral("X"));
            setHorizontalHeaderItem(c, item);
            if (columns[static_cast<std::size_t>(c)].width > 0)
                setColumnWidth(c, columns[static_cast<std::size_t>(c)].width);
        }
        for (int r = 0; r < rowCount(); ++r)
            fillRow(r, r + 1);
        if (DBF.RecCount() > 0)
            DBF.Go(1);
        else
            show();
    }

    void clearList() override
    {
        m_table = nullptr;
        clear();
        setRowCount(0);
        setColumnCount(0);
        hide();
    }

    void OppdaterListe() override
    {
        if (m_table && currentRow() >= 0)
            fillRow(currentRow(), m_table->RecNo());
    }

    bool KortListeSortert(int &xFeltNummer, int &xSorteringsType) const override
    {
        xFeltNummer = 0;
        xSorteringsType = 0;
        if (!m_table || rowCount() == 0)
            return false;
        for (int v = 0; v < columnCount(); ++v) {
            const auto *item = horizontalHeaderItem(horizontalHeader()->logicalIndex(v));
            const QString state = item->data(kSortRole).toString();
            if (state == QLatin1String("O") || state == QLatin1String("N")) {
                xFeltNummer = item->data(kFieldRole).toInt();
                xSorteringsType = state == QLatin1String("O") ? 1 : 2;
                return true;
            }
        }
        return false;
    }

    layout::ListViewState listViewState() const override
    {
        layout::ListViewState state;
        state.rowHeight = verticalHeader()->defaultSectionSize();
        state.fontName = font().family().toStdString();
        state.fontSize = font().pointSize();
        for (int v = 0; v < columnCount(); ++v) {
            const int c = horizontalHeader()->logicalIndex(v);
            const auto *item = horizontalHeaderItem(c);
            state.columns.push_back(
                {item->data(kFieldRole).toInt(), columnWidth(c), item->text().toStdString()});
        }
        return state;
    }

    int rowCount() const override { return QTableWidget::rowCount(); }
    int currentRow() const override { return QTableWidget::currentRow(); }
    void setCurrentRow(int row) override { setCurrentCell(row, std::max(currentColumn(), 0)); }

    std::string rowKey(int row) const override
    {
        const auto *item = verticalHeaderItem(row);
        std::string key = rowKeyFor(item ? item->data(kRecNoRole).toInt() : 0);
        if (item && item->text() == QLatin1String("x"))
            key[0] = 'x';
        return key;
    }

    int addRecordRow() override
    {
        const int row = rowCount();
        setRowCount(row + 1);
        fillRow(row, m_table->RecCount());
        setCurrentRow(row);
        OppdaterListe();
        return row;
    }

    void toggleRowMark(int row) override
    {
        if (!m_table || row < 0 || row >= rowCount())
            return;
        auto *item = verticalHeaderItem(row);
        const bool marked = item->text() != QLatin1String("x");
        item->setText(marked ? QStringLiteral("x") : QString());
        if (m_events.markToggled)
            m_events.markToggled(marked);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonPress) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::RightButton) {
                const int c = horizontalHeader()->logicalIndexAt(mouse->position().toPoint());
                guarded([&] { sortColumn(c); });
                return true;
            }
        }
        return QTableWidget::eventFilter(watched, event);
    }

private:
    void fillRow(int row, int recNo)
    {
        m_table->Go(recNo);
        auto *key = verticalHeaderItem(row);
        if (!key) {
            key = new QTableWidgetItem;
            setVerticalHeaderItem(row, key);
        }
        key->setData(kRecNoRole, recNo);
        for (int c = 0; c < columnCount(); ++c) {
            const int field = horizontalHeaderItem(c)->data(kFieldRole).toInt();
            setItem(row, c, new QTableWidgetItem(trimmedField(*m_table, field)));
        }
    }

    void selectCell(int row, int column)
    {
        if (!m_table || row < 0 || row >= rowCount())
            return;
        const int recNo = verticalHeaderItem(row)->data(kRecNoRole).toInt();
        m_table->Go(recNo);
        const int field = column >= 0 ? horizontalHeaderItem(column)->data(kFieldRole).toInt() : 1;
        if (m_events.currentRecordChanged)
            m_events.currentRecordChanged(recNo, field, isMarkedKey(rowKey(row)));
    }

    void sortColumn(int c)
    {
        if (!m_table || c < 0 || rowCount() == 0)
            return;
        auto *heading = horizontalHeaderItem(c);
        const QString before = heading->data(kSortRole).toString();
        const QString after = before == QLatin1String("X") ? QStringLiteral("O")
                              : before == QLatin1String("O") ? QStringLiteral("N") : QStringLiteral("X");
        if (before == QLatin1String("X")) {
            for (int other = 0; other < columnCount(); ++other)
                horizontalHeaderItem(other)->setData(kSortRole, QStringLiteral("X"));
        }
        heading->setData(kSortRole, after);
        if (m_events.sortStarted)
            m_events.sortStarted();
        reorderRows(c, after);
        if (m_events.sortFinished)
            m_events.sortFinished();
    }

    void reorderRows(int c, const QString &state)
    {
        struct Row { int recNo; bool marked; QString key; };
        std::vector<Row> rows;
        for (int r = 0; r < rowCount(); ++r)
            rows.push_back({verticalHeaderItem(r)->data(kRecNoRole).toInt(),
                            verticalHeaderItem(r)->text() == QLatin1String("x"), item(r, c)->text()});
        std::stable_sort(rows.begin(), rows.end(), [&](const Row &a, const Row &b) {
            if (state == QLatin1String("X"))
                return a.recNo < b.recNo;
            if (a.key.trimmed().isEmpty() != b.key.trimmed().isEmpty())
                return a.key.trimmed().isEmpty() == m_options.ListeSortBlank;
            return lessForSort(a.key, b.key);
        });
        if (state == QLatin1String("N"))
            std::reverse(rows.begin(), rows.end());
        for (int r = 0; r < rowCount(); ++r) {
            fillRow(r, rows[static_cast<std::size_t>(r)].recNo);
            verticalHeaderItem(r)->setText(rows[static_cast<std::size_t>(r)].marked ? QStringLiteral("x") : QString());
        }
    }

    engine::TDbfTable *m_table = nullptr;
    CardListEvents m_events;
    CardListOptions m_options;
};

} // namespace

std::unique_ptr<CardList> makeCardList(QWidget *parent)
{
    return std::make_unique<PlaceholderCardList>(parent);
}

} // namespace kvilbo::core
