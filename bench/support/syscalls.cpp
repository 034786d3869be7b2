#include "support/syscalls.h"

#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace bench {

std::vector<SyscallCount> CountSyscalls(const std::vector<std::string>& argv,
                                        const std::filesystem::path& summaryFile,
                                        const ProcessOptions& options) {
    std::vector<std::string> traced{"strace", "-f", "-c", "-o", summaryFile.string(), "--"};
    traced.insert(traced.end(), argv.begin(), argv.end());
    RunChecked(traced, options);
    std::ifstream in(summaryFile);
    std::stringstream text;
    text << in.rdbuf();
    auto counts = ParseStraceSummary(text.str());
    if (counts.empty()) throw std::runtime_error(summaryFile.string() + ": no strace summary");
    return counts;
}

// "% time  seconds  usecs/call  calls  errors  syscall"; the errors column may be empty.
std::vector<SyscallCount> ParseStraceSummary(const std::string& text) {
    std::vector<SyscallCount> counts;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::vector<std::string> fields;
        for (std::string word; words >> word;) fields.push_back(word);
        if (fields.size() < 5 || fields.size() > 6) continue;
        if (fields[0].find_first_not_of("0123456789.") != std::string::npos) continue;
        const std::string& name = fields.back();
        if (name == "total") continue;
        counts.push_back(SyscallCount{name, std::stoull(fields[3])});
    }
    return counts;
}

bool IsFileSystemCall(const std::string& name) {
    static const std::set<std::string> kOther = {"futex",
                                                 "mmap",
                                                 "munmap",
                                                 "mprotect",
                                                 "mremap",
                                                 "brk",
                                                 "madvise",
                                                 "membarrier",
                                                 "clone",
                                                 "clone3",
                                                 "fork",
                                                 "vfork",
                                                 "execve",
                                                 "exit",
                                                 "exit_group",
                                                 "wait4",
                                                 "set_robust_list",
                                                 "set_tid_address",
                                                 "rseq",
                                                 "arch_prctl",
                                                 "prctl",
                                                 "prlimit64",
                                                 "rt_sigaction",
                                                 "rt_sigprocmask",
                                                 "rt_sigreturn",
                                                 "sigaltstack",
                                                 "kill",
                                                 "tgkill",
                                                 "getrandom",
                                                 "getpid",
                                                 "gettid",
                                                 "getppid",
                                                 "getuid",
                                                 "geteuid",
                                                 "getgid",
                                                 "getegid",
                                                 "sched_yield",
                                                 "sched_getaffinity",
                                                 "nanosleep",
                                                 "clock_nanosleep",
                                                 "clock_gettime",
                                                 "gettimeofday",
                                                 "poll",
                                                 "ppoll",
                                                 "select",
                                                 "pselect6",
                                                 "epoll_create1",
                                                 "epoll_ctl",
                                                 "epoll_wait",
                                                 "epoll_pwait",
                                                 "eventfd2",
                                                 "pipe2",
                                                 "uname",
                                                 "sysinfo",
                                                 "getrusage",
                                                 "socket",
                                                 "connect",
                                                 "sendto",
                                                 "recvfrom",
                                                 "sendmsg",
                                                 "recvmsg",
                                                 "shutdown"};
    return kOther.count(name) == 0;
}

}  // namespace bench
