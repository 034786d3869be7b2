#include "support/syscall_summary.h"

#include <gtest/gtest.h>

namespace {

// As strace 6.1 writes it with -c -f -o: an errors column that is sometimes empty.
constexpr const char* kSummary =
    "% time     seconds  usecs/call     calls    errors syscall\n"
    "------ ----------- ----------- --------- --------- ----------------\n"
    " 35.10    0.000915         915         1           execve\n"
    " 13.58    0.000354           8   1377158        19 newfstatat\n"
    "  1.69    0.000044          22         2         2 access\n"
    "  0.92    0.000024          24    245206           futex\n"
    "------ ----------- ----------- --------- --------- ----------------\n"
    "100.00    0.002607          16   1622367        21 total\n";

TEST(StraceSummary, ReadsEveryCallWithAndWithoutErrorsButNotTheTotal) {
    const auto counts = bench::ParseStraceSummary(kSummary);
    ASSERT_EQ(counts.size(), 4u);
    const std::pair<const char*, std::uint64_t> expected[] = {
        {"execve", 1}, {"newfstatat", 1377158}, {"access", 2}, {"futex", 245206}};
    for (std::size_t i = 0; i < counts.size(); ++i) {
        EXPECT_EQ(counts[i].name, expected[i].first);
        EXPECT_EQ(counts[i].calls, expected[i].second);
    }
}

TEST(StraceSummary, TextWithoutATableGivesNothing) {
    EXPECT_TRUE(bench::ParseStraceSummary("").empty());
    EXPECT_TRUE(bench::ParseStraceSummary("strace: exec: No such file or directory\n").empty());
}

// As perf 6.1 writes `perf stat -x,` on the syscall tracepoints.
constexpr const char* kPerfCounts =
    "# started on Tue Dec  8 08:56:02 2026\n"
    "\n"
    "1377158,,syscalls:sys_enter_newfstatat,10983844,100.00,,\n"
    "0,,syscalls:sys_enter_fork,10983844,100.00,,\n"
    "<not counted>,,syscalls:sys_enter_vfork,0,0.00,,\n"
    "245206,,syscalls:sys_enter_futex,10983844,100.00,,\n"
    "157,,raw_syscalls:sys_enter,10983844,100.00,,\n";

TEST(PerfSummary, ReadsTheCallsMadeByTheirNames) {
    const auto counts = bench::ParsePerfSummary(kPerfCounts);
    ASSERT_EQ(counts.size(), 2u);
    EXPECT_EQ(counts[0].name, "newfstatat");
    EXPECT_EQ(counts[0].calls, 1377158u);
    EXPECT_EQ(counts[1].name, "futex");
    EXPECT_EQ(counts[1].calls, 245206u);
}

TEST(SyscallKinds, FileSystemCallsAreThoseOnPathsAndDescriptors) {
    const std::pair<const char*, bool> calls[] = {
        {"newfstatat", true},      {"openat", true},    {"openat2", true},
        {"getdents64", true},      {"fstatfs", true},   {"fgetxattr", true},
        {"lgetxattr", true},       {"fdatasync", true}, {"renameat2", true},
        {"copy_file_range", true}, {"read", true},      {"futex", false},
        {"mmap", false},           {"clone3", false},   {"rt_sigprocmask", false},
        {"poll", false},           {"execve", false},
    };
    for (const auto& [name, fileSystem] : calls) {
        EXPECT_EQ(bench::IsFileSystemCall(name), fileSystem) << name;
    }
}

}  // namespace
