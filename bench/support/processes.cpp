#include "support/processes.h"

#include <fcntl.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace bench {
namespace {

// Only async-signal-safe calls between fork and exec.
[[noreturn]] void ExecChild(std::vector<char*>& argv, std::vector<char*>& envp,
                            const ProcessOptions& options, bool traced) {
    if (traced && (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0 || ::raise(SIGSTOP) != 0)) {
        ::_exit(126);
    }
    auto redirect = [](const std::filesystem::path& path, int fd) {
        if (path.empty()) return;
        const int opened = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (opened < 0 || ::dup2(opened, fd) < 0) ::_exit(126);
    };
    redirect(options.standardOutput, STDOUT_FILENO);
    redirect(options.standardError, STDERR_FILENO);
    if (!options.workingFolder.empty() && ::chdir(options.workingFolder.c_str()) != 0) {
        ::_exit(126);
    }
    ::execvpe(argv[0], argv.data(), envp.data());
    ::_exit(127);
}

std::vector<std::string> ChildEnvironment(const ProcessOptions& options) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        bool replaced = false;
        for (const auto& [name, value] : options.env) replaced |= text.rfind(name + "=", 0) == 0;
        if (!replaced) entries.push_back(text);
    }
    for (const auto& [name, value] : options.env) entries.push_back(name + "=" + value);
    return entries;
}

double Seconds(const timeval& t) {
    return t.tv_sec + t.tv_usec / 1e6;
}

std::string CommandText(const std::vector<std::string>& argv) {
    std::string text;
    for (const std::string& word : argv) text += (text.empty() ? "" : " ") + word;
    return text.size() > 200 ? text.substr(0, 200) + " ..." : text;
}

// The started child and when it was started.
struct Started {
    pid_t pid;
    std::chrono::steady_clock::time_point at;
};

Started Start(const std::vector<std::string>& argv, const ProcessOptions& options, bool traced) {
    std::vector<char*> args;
    for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
    args.push_back(nullptr);
    // The child's environment is made before fork: nothing may allocate after it.
    const std::vector<std::string> environment = ChildEnvironment(options);
    std::vector<char*> envp;
    for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    const auto at = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) ExecChild(args, envp, options, traced);
    if (child < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    return Started{child, at};
}

int WaitFor(pid_t pid, struct rusage& usage) {
    int status = 0;
    while (::wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) throw std::runtime_error(std::string("wait4: ") + std::strerror(errno));
    }
    return status;
}

ProcessResult Finished(const std::vector<std::string>& argv, const Started& started, int status,
                       const struct rusage& usage) {
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - started.at;
    ProcessResult result;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.usage = Usage{wall.count(), Seconds(usage.ru_utime) + Seconds(usage.ru_stime)};
    if (result.exitStatus == 127) throw std::runtime_error(argv[0] + ": cannot be run");
    return result;
}

// VmHWM of a process that still has its memory (stopped as it exits), in KiB.
long PeakResidentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
    const Started started = Start(argv, options, false);
    struct rusage usage {};
    const int status = WaitFor(started.pid, usage);
    return Finished(argv, started, status, usage);
}

ProcessResult RunForPeakMemory(const std::vector<std::string>& argv,
                               const ProcessOptions& options) {
    const Started started = Start(argv, options, true);
    struct rusage usage {};
    int status = WaitFor(started.pid, usage);  // stopped before its exec
    ::ptrace(PTRACE_SETOPTIONS, started.pid, nullptr,
             PTRACE_O_TRACEEXEC | PTRACE_O_TRACEEXIT | PTRACE_O_EXITKILL);
    long peak = 0;
    while (WIFSTOPPED(status)) {
        const int event = status >> 16;
        if (event == PTRACE_EVENT_EXIT) peak = PeakResidentKiB(started.pid);
        // The stops of the trace itself are not passed on; the program's own signals are.
        const int pass = event != 0 || WSTOPSIG(status) == SIGSTOP ? 0 : WSTOPSIG(status);
        ::ptrace(PTRACE_CONT, started.pid, nullptr, pass);
        status = WaitFor(started.pid, usage);
    }
    ProcessResult result = Finished(argv, started, status, usage);
    result.peakResidentKiB = peak;
    if (result.exitStatus != 0) throw std::runtime_error(argv[0] + ": failed");
    return result;
}

ProcessResult RunChecked(const std::vector<std::string>& argv, const ProcessOptions& options) {
    ProcessResult result = RunProcess(argv, options);
    if (result.exitStatus != 0) {
        throw std::runtime_error(CommandText(argv) + ": exit status " +
                                 std::to_string(result.exitStatus));
    }
    return result;
}

}  // namespace bench
