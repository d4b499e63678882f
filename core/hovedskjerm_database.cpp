// Opening and closing a database, the two views, navigation in list order
// and the status refresh.

#include "core/hovedskjerm.h"

#include "core/card_list.h"
#include "core/card_surface.h"
#include "core/database_session.h"
#include "core/message_line.h"
#include "core/print_wiring.h"
#include "core/program_errors.h"
#include "core/status_bar.h"
#include "core/status_texts.h"
#include "cardview/card_view.h"
#include "cardview/editorvindu.h"
#include "cardview/field_editor.h"
#include "listview/list_grid.h"

#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

namespace kvilbo::core {

namespace {
constexpr int kFilter = 2098;
constexpr int kExclusiveChoice = 2137;
constexpr int kClosed = 2077;
constexpr int kOpened = 2081;
constexpr int kSelectHint = 2000;
constexpr int kToListView = 2001;
constexpr int kEditHint = 2020;
constexpr int kToCardView = 2030;
} // namespace

std::optional<ChosenDatabase> TForm3::chooseDatabase(const QString &FilValg)
{
    if (!FilValg.trimmed().isEmpty()) {
        const std::filesystem::path path(FilValg.trimmed().toStdString());
        return ChosenDatabase{std::filesystem::absolute(path).lexically_normal().string(), false};
    }
    const auto folder = DatabaseSession::startFolder(m_konfig, m_options.programFolder);
    return m_prompts->chooseDatabase(this, QString::fromStdString(folder.string()),
                                     qtNameFilter(text(kFilter)), text(kExclusiveChoice));
}

void TForm3::aapnefiler(const QString &FilValg)
{
    const bool listView = m_ListeVisningAktiv;
    const std::optional<ChosenDatabase> choice = chooseDatabase(FilValg);
    std::error_code ec;
    if (!choice || !std::filesystem::is_regular_file(choice->path, ec))
        return;
    DatabaseLukk();
    m_session->openTable(*choice);
    try {
        setDatabaseControlsEnabled(true);
        MSG(m_texts.ss(kOpened, {m_session->fileName()}));
        m_session->openLayout();
        m_kortliste->formularsettoppLISTE(m_session->DBF(), m_session->FORFIL());
        ensureCardView();
        m_cardView->formularsettoppSIDE(m_session->FORFIL());
        m_session->DBF().Go(1);
        if (m_session->hasRecords())
            m_kortliste->setCurrentRow(0);
        m_session->applyZombieTime();
        if (m_print)
            m_print->databaseOpened();
        m_ListeVisningAktiv = listView;
        showCurrentView();
        Oppdater(1);
    } catch (...) {
        // A database that could not be built into its views is not left half open.
        closeViews();
        m_session->close(std::nullopt);
        setDatabaseControlsEnabled(false);
        Oppdater(0);
        throw;
    }
    m_konfig.bootDBFsiste.setText(choice->path);
}

void TForm3::showCurrentView()
{
    if (m_ListeVisningAktiv)
        VisListeFormular();
    else
        VisSideFormular();
}

void TForm3::closeViews()
{
    m_kortliste->widget()->setEnabled(false);
    m_kortliste->widget()->hide();
    m_bakgrunn1->setEnabled(false);
    m_bakgrunn1->hide();
    m_kortliste->clearList();
    if (m_cardView)
        m_cardView->clear();
}

void TForm3::ensureCardView()
{
    if (!m_cardView) {
        cardview::CardContext context;
        context.texts = &m_texts;
        context.MSG = [this](const std::string &text, bool lyd) { MSG(text, lyd); };
        m_cardView = new cardview::CardView(m_bakgrunn1, m_session->DBF(), context, this);
        cardview::FieldEditor *editor = &m_cardView->fieldEditor();
        connect(editor, &cardview::FieldEditor::fieldEntered, this,
                [this](int feltNr) { guarded([&] { visfeltinfo(feltNr); }); });
        connect(editor, &cardview::FieldEditor::busy, this, [this] { Opptatt(); });
        connect(editor, &cardview::FieldEditor::recordWritten, this,
                [this](int, int) { guarded([this] { m_kortliste->OppdaterListe(); }); });
        connect(editor, &cardview::FieldEditor::failed, this, [](std::exception_ptr error) { reportUnhandled(error); });
        m_Form2 = new cardview::TForm2(m_konfig, m_texts, m_options.programFolder, this);
        connect(m_Form2, &cardview::TForm2::failed, this, [](std::exception_ptr error) { reportUnhandled(error); });
        if (m_print)
            m_Form2->setPrinter(m_print->editorPrinter());
        if (auto *grid = qobject_cast<listview::ListGrid *>(m_kortliste->widget()))
            grid->setMemoEditor([this](const QString &text, const QString &) -> std::optional<QString> {
                return m_Form2->RedigerTekst(text);
            });
    }
    m_cardView->setOptions({m_texts.spraak(), m_konfig.DefAarHundre});
}

void TForm3::DatabaseLukk()
{
    if (!m_session->isOpen())
        return;
    // A field still being edited is written before its table closes.
    if (m_cardView)
        guarded([this] { m_cardView->finishEdit(); });
    const layout::ListViewState listState = m_kortliste->listViewState();
    m_kortliste->widget()->setEnabled(false);
    m_kortliste->widget()->hide();
    m_bakgrunn1->setEnabled(false);
    m_bakgrunn1->hide();
    std::exception_ptr failure;
    try {
        m_session->close(listState);
    } catch (...) {
        failure = std::current_exception();
    }
    closeViews();
    if (m_print)
        m_print->databaseClosed();
    Oppdater(0);
    MSG(m_texts.ss(kClosed));
    setDatabaseControlsEnabled(false);
    m_statusBar->label2()->setEnabled(false);
    m_busy->label()->setEnabled(false);
    m_statusBar->Label66()->setEnabled(false);
    if (failure)
        std::rethrow_exception(failure);
}

void TForm3::closeDatabaseCommand()
{
    DatabaseLukk();
    Oppdater(0);
}

void TForm3::VisListeFormular()
{
    if (!m_session->hasRecords())
        return;
    m_kortliste->OppdaterListe();
    m_bakgrunn1->setEnabled(false);
    m_bakgrunn1->hide();
    m_kortliste->widget()->setEnabled(true);
    m_kortliste->widget()->show();
    m_ListeVisningAktiv = true;
    findChild<QToolButton *>(QStringLiteral("ToolButton1"))->setChecked(true);
    m_kortliste->widget()->setFocus(Qt::OtherFocusReason);
    Oppdater(0);
    melding(text(kSelectHint));
    MSG(m_texts.ss(kToListView));
}

void TForm3::VisSideFormular()
{
    if (!m_session->hasRecords())
        return;
    m_kortliste->widget()->setEnabled(false);
    m_kortliste->widget()->hide();
    m_bakgrunn1->setEnabled(true);
    m_bakgrunn1->show();
    findChild<QToolButton *>(QStringLiteral("ToolButton2"))->setChecked(true);
    m_ListeVisningAktiv = false;
    Oppdater(0);
    oppdaterSide();
    if (m_cardView)
        m_cardView->focusFirstField();
    melding(text(kEditHint));
    MSG(m_texts.ss(kToCardView));
    m_bakgrunn1->horizontalScrollBar()->setValue(0);
    m_bakgrunn1->verticalScrollBar()->setValue(0);
}

void TForm3::oppdaterSide()
{
    if (m_cardView)
        m_cardView->oppdaterSide();
}

void TForm3::naviger(NavCommand command)
{
    if (!m_session->hasRecords())
        return;
    const int row = navigationTarget(command, m_kortliste->currentRow(), m_kortliste->rowCount());
    if (row < 0)
        return;
    m_kortliste->setCurrentRow(row);
    m_session->DBF().Go(recordNumberOfKey(m_kortliste->rowKey(row)));
    oppdaterSide();
    Oppdater(0);
}

void TForm3::nyttKort()
{
    if (!m_session->isOpen())
        return;
    const bool wasEmpty = !m_session->hasRecords();
    m_session->DBF().AppendBlank();
    m_kortliste->addRecordRow();
    // An empty table showed neither view; its first card brings back the current one.
    if (wasEmpty)
        showCurrentView();
    oppdaterSide();
    Oppdater(m_session->DBF().RecNo());
}

void TForm3::MarkerDette()
{
    if (!m_session->hasRecords() || m_kortliste->currentRow() < 0)
        return;
    m_kortliste->toggleRowMark(m_kortliste->currentRow());
    Oppdater(0);
}

void TForm3::onRecordSelected(int recNo, int feltNr, bool marked)
{
    m_statusBar->nkort()->setText(QString::fromStdString(zeroPad(recNo, 6)));
    m_statusBar->Label66()->setEnabled(marked);
    visfeltinfo(feltNr);
}

void TForm3::visfeltinfo(int FeltNr)
{
    if (!m_session->isOpen() || FeltNr < 1 || FeltNr > m_session->DBF().fieldCount())
        return;
    const engine::TdbField field = m_session->DBF().GetField(FeltNr);
    melding(QString::fromStdString(
        fieldHint(field.what, field.len, field.places, m_ListeVisningAktiv, m_texts)));
    m_statusBar->sLabel3()->setText(QString::fromStdString(zeroPad(FeltNr, 3)));
}

void TForm3::Oppdater(int Verdi)
{
    StatusInputs in;
    in.tableOpen = m_session->isOpen();
    if (in.tableOpen) {
        engine::TDbfTable &DBF = m_session->DBF();
        DBF.H_Refresh();
        in.recordCount = DBF.RecCount();
        in.fileName = m_session->fileName();
        in.listView = m_ListeVisningAktiv;
        int field = 0, sortType = 0;
        if (m_kortliste->KortListeSortert(field, sortType))
            in.sort = ListSort{field, DBF.FieldName(field), sortType};
        in.exclusive = DBF.IsExclusive();
        in.Verdi = Verdi;
        const int row = m_kortliste->currentRow();
        in.currentMarked = row >= 0 && row < m_kortliste->rowCount()
                           && isMarkedKey(m_kortliste->rowKey(row));
    }
    m_statusBar->apply(statusFor(in, m_texts));
}

} // namespace kvilbo::core
