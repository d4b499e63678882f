// The list view's grid as the main window's kortliste.

#include "core/card_list.h"

#include "listview/list_grid.h"

#include <stdexcept>

namespace kvilbo::core {

namespace {

class ListViewCardList : public CardList
{
public:
    explicit ListViewCardList(QWidget *parent) : m_grid(new listview::ListGrid(parent)) {}
    ~ListViewCardList() override { delete m_grid; }

    QWidget *widget() override { return m_grid; }

    void setEvents(CardListEvents events) override
    {
        m_events = std::move(events);
        QObject::disconnect(m_grid, nullptr, nullptr, nullptr);
        QObject::connect(m_grid, &listview::ListGrid::currentRecordChanged, m_grid,
                         [this](int recNo, int feltNr, bool marked) {
                             if (m_events.currentRecordChanged)
                                 m_events.currentRecordChanged(recNo, feltNr, marked);
                         });
        QObject::connect(m_grid, &listview::ListGrid::rowMarkToggled, m_grid,
                         [this](int, bool marked) {
                             if (m_events.markToggled)
                                 m_events.markToggled(marked);
                         });
        QObject::connect(m_grid, &listview::ListGrid::sortStarted, m_grid, [this] {
            if (m_events.sortStarted)
                m_events.sortStarted();
        });
        QObject::connect(m_grid, &listview::ListGrid::sortFinished, m_grid, [this] {
            if (m_events.sortFinished)
                m_events.sortFinished();
        });
        m_grid->setErrorHandler([this](const std::exception &error) {
            std::exception_ptr pending = std::current_exception();
            if (!pending)
                pending = std::make_exception_ptr(std::runtime_error(error.what()));
            if (m_events.error)
                m_events.error(pending);
        });
    }

    void setOptions(const CardListOptions &options) override
    {
        m_grid->setOptions({options.spraak, options.DefAarHundre, options.ListeSortBlank});
    }

    void formularsettoppLISTE(engine::TDbfTable &DBF, engine::TDbfTable &FORFIL) override
    {
        m_grid->formularsettoppLISTE(DBF, FORFIL);
    }
    void clearList() override { m_grid->clearList(); }
    void OppdaterListe() override { m_grid->OppdaterListe(); }
    bool KortListeSortert(int &xFeltNummer, int &xSorteringsType) const override
    {
        return m_grid->KortListeSortert(xFeltNummer, xSorteringsType);
    }
    layout::ListViewState listViewState() const override { return m_grid->listViewState(); }
    int rowCount() const override { return m_grid->listModel().rowCount(); }
    int currentRow() const override { return m_grid->currentRow(); }
    void setCurrentRow(int row) override { m_grid->setCurrentRow(row); }
    std::string rowKey(int row) const override { return m_grid->listModel().rowKeyText(row); }
    int addRecordRow() override { return m_grid->addRecordRow(); }
    void toggleRowMark(int row) override { m_grid->toggleRowMark(row); }

private:
    listview::ListGrid *m_grid;
    CardListEvents m_events;
};

} // namespace

std::unique_ptr<CardList> makeCardList(QWidget *parent)
{
    return std::make_unique<ListViewCardList>(parent);
}

} // namespace kvilbo::core
