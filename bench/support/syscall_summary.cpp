#include "support/syscall_summary.h"

#include <set>
#include <sstream>

namespace bench {

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

// `perf stat -x,` lines: "count,unit,syscalls:sys_enter_NAME,..."; uncounted events say so.
std::vector<SyscallCount> ParsePerfSummary(const std::string& text) {
    static const std::string kPrefix = "syscalls:sys_enter_";
    std::vector<SyscallCount> counts;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');) fields.push_back(cell);
        if (fields.size() < 3 || fields[2].rfind(kPrefix, 0) != 0) continue;
        if (fields[0].empty() || fields[0].find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        const std::uint64_t calls = std::stoull(fields[0]);
        if (calls > 0) counts.push_back(SyscallCount{fields[2].substr(kPrefix.size()), calls});
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
