#include "printing/print_commands.h"

#include "core/messages.h"
#include "engine/dbf_table.h"
#include "printing/modilisteutskrift.h"
#include "printing/print_preview_window.h"

#include <QPlainTextEdit>

namespace kvilbo::printing {

PrintCommands::PrintCommands(const core::Texts& texts, const core::TKonfig& Konfig, QWidget* parent)
    : m_texts(texts), m_form9(std::make_unique<TForm9>(texts, parent)),
      m_settings(std::make_unique<TFormModiListeUtskrift>(texts, parent)),
      m_jobs(std::make_unique<PrintJobs>(m_form9->document(), texts, Konfig))
{
    m_showPreview = [this] { m_form9->exec(); };
    setHost({});
    m_settings->setLabelTest([this] { m_jobs->PrinteLabels(0, {}); });
}

PrintCommands::~PrintCommands() = default;

QString PrintCommands::tx(int nr) const
{
    return QString::fromStdString(m_texts.ss(nr));
}

void PrintCommands::setTables(engine::TDbfTable* DBF, engine::TDbfTable* FORFIL)
{
    m_DBF = DBF;
    m_jobs->setTables(DBF, FORFIL);
    m_settings->setTables(DBF, FORFIL);
}

void PrintCommands::setHost(PrintHost host)
{
    m_host = std::move(host);
    PrintHost jobsHost = m_host;
    jobsHost.showPreview = [this] {
        m_form9->setJobLine(m_jobs->jobLine());
        if (m_showPreview)
            m_showPreview();
    };
    m_jobs->setHost(jobsHost);
}

void PrintCommands::setErrorReporter(std::function<void(std::exception_ptr)> report)
{
    m_report = report;
    m_settings->setErrorReporter(std::move(report));
}

void PrintCommands::setFieldChooser(std::function<int()> chooser)
{
    m_settings->setFieldChooser(std::move(chooser));
}

void PrintCommands::setDefEsc(bool on)
{
    m_settings->setDefEsc(on);
}

template <typename Body>
void PrintCommands::run(Body&& body)
{
    try {
        body();
    } catch (...) {
        if (!m_report)
            throw;
        m_report(std::current_exception());
    }
}

std::vector<int> PrintCommands::current() const
{
    if (!m_DBF || !m_DBF->isOpen() || !m_DBF->Records())
        return {};
    return {m_DBF->RecNo()};
}

void PrintCommands::printCurrentCard(bool listHasRows)
{
    run([&] { m_jobs->PrintMotor(1, tx(7200), listHasRows ? current() : std::vector<int>{}); });
}

void PrintCommands::printMarkedCards(const std::vector<int>& marked)
{
    run([&] { m_jobs->PrintMotor(2, tx(7210), marked); });
}

void PrintCommands::printEditorField(const QString& text)
{
    m_form9->RichEdit()->setPlainText(text);
    m_jobs->setRichText(m_form9->RichEdit()->toPlainText());
    run([&] { m_jobs->PrintMotor(0, tx(6102), current()); });
}

void PrintCommands::printListMarked(const std::vector<int>& marked)
{
    run([&] { m_jobs->ListeUtskrift(1, tx(7220), marked); });
}

void PrintCommands::printListAll(const std::vector<int>& all)
{
    run([&] { m_jobs->ListeUtskrift(2, tx(7230), all); });
}

void PrintCommands::printLabelsMarked(const std::vector<int>& marked)
{
    run([&] { m_jobs->PrinteLabels(1, marked); });
}

void PrintCommands::printLabelsAll(const std::vector<int>& all)
{
    run([&] { m_jobs->PrinteLabels(2, all); });
}

void PrintCommands::showSettings()
{
    m_settings->exec();
}

} // namespace kvilbo::printing
