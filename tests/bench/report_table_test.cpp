#include "report_table.h"

#include <gtest/gtest.h>

namespace {

using nlohmann::json;

json BenchmarkRun(const std::string& name, const std::string& type, json counters,
                  const std::string& aggregate = "") {
    json run = std::move(counters);
    run["name"] = name + "/iterations:1/manual_time" + (aggregate.empty() ? "" : "_" + aggregate);
    run["run_name"] = name + "/iterations:1/manual_time";
    run["run_type"] = type;
    if (!aggregate.empty()) run["aggregate_name"] = aggregate;
    return run;
}

TEST(ReportFigures, TheMedianStandsForTheRepetitionsAndASingleRunForItself) {
    const json output = {
        {"benchmarks",
         {BenchmarkRun("tree_10k_engine", "iteration", {{"wall_ratio", 1.0}}),
          BenchmarkRun("tree_10k_engine", "iteration", {{"wall_ratio", 3.0}}),
          BenchmarkRun("tree_10k_engine", "aggregate", {{"wall_ratio", 2.5}}, "mean"),
          BenchmarkRun("tree_10k_engine", "aggregate", {{"wall_ratio", 2.0}}, "median"),
          BenchmarkRun("memory_1GiB", "iteration", {{"ours_peak_MiB", 5.0}})}}};
    const report::Figures figures = report::ReadFigures(output);
    ASSERT_EQ(figures.cases.size(), 2u);
    EXPECT_EQ(figures.cases.at("tree_10k_engine")["wall_ratio"], 2.0);
    EXPECT_EQ(figures.cases.at("memory_1GiB")["ours_peak_MiB"], 5.0);
    EXPECT_TRUE(figures.errors.empty());
}

TEST(ReportFigures, ABrokenCaseIsAnErrorAndNoFigure) {
    json broken = BenchmarkRun("file_256MiB", "iteration", json::object());
    broken["error_occurred"] = true;
    broken["error_message"] = "CopyFileToDevice: -4";
    const report::Figures figures = report::ReadFigures({{"benchmarks", {broken}}});
    EXPECT_TRUE(figures.cases.empty());
    ASSERT_EQ(figures.errors.size(), 1u);
    EXPECT_EQ(figures.errors[0], "file_256MiB: CopyFileToDevice: -4");
}

struct TargetCase {
    const char* name;
    const char* counter;
    double value;
    bool met;
};

// Each target at its boundary and just past it.
TEST(ReportTargets, EachTargetHoldsUpToItsBoundary) {
    const TargetCase cases[] = {
        {"tree_10k_engine", "wall_ratio", 1.2, true},
        {"tree_10k_engine", "wall_ratio", 1.21, false},
        {"tree_10k_engine", "cpu_ratio", 2.0, true},
        {"tree_10k_engine", "cpu_ratio", 2.01, false},
        {"tree_10k_syscalls", "ours_fs_calls_per_file", 16.0, true},
        {"tree_10k_syscalls", "ours_fs_calls_per_file", 16.1, false},
        {"file_256MiB", "wall_ratio", 1.05, true},
        {"file_256MiB", "wall_ratio", 1.06, false},
        {"detect_10k_entries_24_drives", "ours_ms", 5.0, true},
        {"detect_10k_entries_24_drives", "ours_ms", 5.01, false},
        {"memory_1GiB", "ours_peak_MiB", 31.9, true},
        {"memory_1GiB", "ours_peak_MiB", 32.0, false},
    };
    for (const TargetCase& c : cases) {
        report::Figures figures;
        figures.cases[c.name] = json{{c.counter, c.value}};
        const report::Report made = report::MakeReport(figures);
        EXPECT_EQ(made.passed, c.met ? 1 : 0) << c.name << " " << c.counter << " " << c.value;
        EXPECT_EQ(made.missed, c.met ? 0 : 1) << c.name << " " << c.counter << " " << c.value;
    }
}

TEST(ReportTargets, CasesNotRunAreNeitherPassedNorMissed) {
    const report::Report made = report::MakeReport(report::Figures{});
    EXPECT_EQ(made.passed, 0);
    EXPECT_EQ(made.missed, 0);
    EXPECT_NE(made.markdown.find("not run"), std::string::npos);
    EXPECT_NE(made.markdown.find("Targets: 0 PASS, 0 MISS."), std::string::npos);
}

TEST(ReportTables, SystemCallsAreListedBusiestFirstPerColumn) {
    report::Figures figures;
    figures.cases["tree_10k_syscalls"] = json{{"sc_ours_openat", 3.0},
                                              {"sc_ours_newfstatat", 17.0},
                                              {"sc_ref_openat", 3.0},
                                              {"sc_ours_mmap", 0.001}};
    const std::string text = report::MakeReport(figures).markdown;
    const auto stats = text.find("| `newfstatat` | 17.00 | — | — |");
    const auto opens = text.find("| `openat` | 3.00 | 3.00 | — |");
    ASSERT_NE(stats, std::string::npos) << text;
    ASSERT_NE(opens, std::string::npos) << text;
    EXPECT_LT(stats, opens);
    EXPECT_EQ(text.find("mmap"), std::string::npos);  // below 0.005 a file
}

}  // namespace
