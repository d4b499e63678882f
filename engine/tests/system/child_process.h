#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace kvilbo::engine::systemtest {

/// A started child process whose standard output comes back through a pipe.
class ChildProcess
{
public:
    /// Starts `args[0]` with `args`; `extraEnv` entries ("NAME=value") are added to the environment.
    ChildProcess(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    /// Sends SIGKILL (the kill -9 of a crash).
    void kill();
    /// Waits for the end; returns the raw wait status.
    int wait();
    /// Reads what the child printed until it closed its output.
    std::string readOutput();
    /// Reads one line if one is ready within `timeoutMs`; false at the end of the output or on timeout.
    bool readLine(std::string& line, int timeoutMs);

private:
    pid_t m_pid = -1;
    int m_out = -1;
    bool m_waited = false;
    int m_status = 0;
    std::string m_pending;
};

/// True when a wait status says the process ended normally with exit code 0.
bool exitedCleanly(int status);
/// A short description of a wait status for assertion messages.
std::string describeStatus(int status);

} // namespace kvilbo::engine::systemtest
