#include "engine/tests/system/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace kvilbo::engine::systemtest {

ChildProcess::ChildProcess(const std::vector<std::string>& args,
                           const std::vector<std::string>& extraEnv)
{
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe: " + std::string(std::strerror(errno)));

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);

    std::vector<std::string> envText;
    for (char** e = environ; *e; ++e)
        envText.emplace_back(*e);
    envText.insert(envText.end(), extraEnv.begin(), extraEnv.end());
    std::vector<char*> env;
    for (auto& e : envText)
        env.push_back(e.data());
    env.push_back(nullptr);
    std::vector<std::string> argText = args;
    std::vector<char*> argv;
    for (auto& a : argText)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const int rc = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (rc != 0) {
        close(pipeFds[0]);
        throw std::runtime_error("posix_spawn " + args[0] + ": " + std::strerror(rc));
    }
    m_out = pipeFds[0];
}

ChildProcess::~ChildProcess()
{
    if (!m_waited) {
        ::kill(m_pid, SIGKILL);
        wait();
    }
    if (m_out >= 0)
        close(m_out);
}

void ChildProcess::kill()
{
    ::kill(m_pid, SIGKILL);
}

int ChildProcess::wait()
{
    if (!m_waited) {
        while (waitpid(m_pid, &m_status, 0) < 0 && errno == EINTR) {
        }
        m_waited = true;
    }
    return m_status;
}

std::string ChildProcess::readOutput()
{
    std::string all = std::move(m_pending);
    m_pending.clear();
    char buf[4096];
    for (;;) {
        const ssize_t n = read(m_out, buf, sizeof buf);
        if (n > 0)
            all.append(buf, static_cast<size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    return all;
}

bool ChildProcess::readLine(std::string& line, int timeoutMs)
{
    for (;;) {
        const auto end = m_pending.find('\n');
        if (end != std::string::npos) {
            line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return true;
        }
        pollfd p{m_out, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0)
            return false;
        char buf[4096];
        const ssize_t n = read(m_out, buf, sizeof buf);
        if (n <= 0)
            return false;
        m_pending.append(buf, static_cast<size_t>(n));
    }
}

bool exitedCleanly(int status)
{
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string describeStatus(int status)
{
    if (WIFEXITED(status))
        return "exit code " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return std::string("signal ") + strsignal(WTERMSIG(status));
    return "status " + std::to_string(status);
}

} // namespace kvilbo::engine::systemtest
