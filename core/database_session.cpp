#include "core/database_session.h"

#include "core/config.h"
#include "core/messages.h"

namespace kvilbo::core {

namespace {
constexpr int kCannotOpen = 2025;

std::string trimmed(std::string text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
} // namespace

DatabaseSession::DatabaseSession(const TKonfig &konfig, const Texts &texts, Log &log)
    : m_konfig(konfig), m_texts(texts), m_layout(konfig, texts, log)
{
    m_DBF.OnWarn = [&log](const std::string &TekstMelding, bool) { log.MSG(TekstMelding, false, true); };
}

std::string DatabaseSession::fileName() const
{
    if (!m_DBF.isOpen())
        return {};
    return std::filesystem::path(trimmed(m_DBF.fileName())).filename().string();
}

bool DatabaseSession::claimed()
{
    if (!m_DBF.isOpen())
        return false;
    try {
        return m_DBF.CoverCheck();
    } catch (const std::exception &) {
        // The indicator polls twice a second; a file that cannot be read is
        // reported by the next real operation, not by a stream of dialogs.
        return false;
    }
}

void DatabaseSession::openTable(const ChosenDatabase &choice)
{
    const std::filesystem::path path(choice.path);
    m_DBF.exepath(path.parent_path().string());
    if (!m_DBF.OpenDatabase(choice.path, choice.exclusive, m_konfig.DefTvingNyMemo)) {
        std::string reason = m_DBF.lastErrorMessage();
        if (reason.empty())
            reason = m_DBF.lastMessage();
        throw DatabaseOpenError(m_texts.ss(kCannotOpen) + "\r\n\r\n" + reason);
    }
    m_DBF.Go(1);
}

void DatabaseSession::openLayout()
{
    m_layout.Formularaapne(m_DBF);
}

void DatabaseSession::applyZombieTime()
{
    const std::uint16_t seconds = m_konfig.NetZombieTime;
    // 0 would ask the engine for its value instead of setting it.
    if (seconds > 0)
        m_DBF.ZoombieTid(seconds);
}

void DatabaseSession::close(const std::optional<layout::ListViewState> &listState)
{
    if (!m_DBF.isOpen())
        return;
    // Whatever happens to the write-back, both tables must end up closed.
    std::exception_ptr failure;
    try {
        if (listState && m_layout.FORFIL().isOpen())
            m_layout.saveListView(m_DBF, *listState);
    } catch (...) {
        failure = std::current_exception();
    }
    m_DBF.closedatabase();
    m_layout.close();
    if (failure)
        std::rethrow_exception(failure);
}

std::filesystem::path DatabaseSession::startFolder(const TKonfig &konfig,
                                                   const std::filesystem::path &programFolder)
{
    const std::string folder = trimmed(konfig.DefMappePATH.text());
    if (konfig.DefMappeJN && !folder.empty())
        return folder;
    return programFolder;
}

} // namespace kvilbo::core
