#include "support/processes.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace bench {
namespace {

// Only async-signal-safe calls between fork and exec.
[[noreturn]] void ExecChild(std::vector<char*>& argv, std::vector<char*>& envp,
                            const ProcessOptions& options) {
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

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
    std::vector<char*> args;
    for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
    args.push_back(nullptr);
    // The child's environment is made before fork: nothing may allocate after it.
    const std::vector<std::string> environment = ChildEnvironment(options);
    std::vector<char*> envp;
    for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) ExecChild(args, envp, options);
    if (child < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));

    int status = 0;
    struct rusage usage {};
    while (::wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR) throw std::runtime_error(std::string("wait4: ") + std::strerror(errno));
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;

    ProcessResult result;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.usage = Usage{wall.count(), Seconds(usage.ru_utime) + Seconds(usage.ru_stime)};
    result.peakResidentKiB = usage.ru_maxrss;
    if (result.exitStatus == 127) throw std::runtime_error(argv[0] + ": cannot be run");
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
