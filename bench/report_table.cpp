#include "report_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace report {
namespace {

using nlohmann::json;

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

std::string BaseName(const std::string& name) {
    return name.substr(0, name.find('/'));
}

double Value(const Figures& figures, const std::string& name, const std::string& counter) {
    const auto found = figures.cases.find(name);
    if (found == figures.cases.end()) return kMissing;
    const json& figure = found->second;
    return figure.contains(counter) && figure[counter].is_number() ? figure[counter].get<double>()
                                                                   : kMissing;
}

std::string Printed(const char* format, double value) {
    if (std::isnan(value)) return "—";
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Seconds(double value) {
    return Printed(value < 1 ? "%.3f s" : "%.2f s", value);
}

std::string WithCpu(double wall, double cpu) {
    return Seconds(wall) + " (CPU " + Seconds(cpu) + ")";
}

std::string Ratio(double value) {
    return Printed("%.2f×", value);
}

class Table {
  public:
    explicit Table(std::vector<std::string> headings) : headings_(std::move(headings)) {}
    void Row(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }

    std::string Markdown() const {
        std::string text = Line(headings_);
        text += Line(std::vector<std::string>(headings_.size(), "---"));
        for (const auto& row : rows_) text += Line(row);
        return text;
    }

  private:
    static std::string Line(const std::vector<std::string>& cells) {
        std::string line = "|";
        for (const std::string& cell : cells) line += " " + cell + " |";
        return line + "\n";
    }

    std::vector<std::string> headings_;
    std::vector<std::vector<std::string>> rows_;
};

// "PASS" or "MISS" for a measured value, counted; "not run" when it is missing.
std::string Verdict(Report& report, double value, bool met) {
    if (std::isnan(value)) return "not run";
    ++(met ? report.passed : report.missed);
    return met ? "PASS" : "MISS";
}

void FileRows(const Figures& f, Table& table, Report& report) {
    const std::string name = "file_256MiB";
    const double throughput = 1 / Value(f, name, "wall_ratio");
    table.Row(
        {"256 MiB file: `CopyFileToDevice` / `cp` + `sync -d`",
         Seconds(Value(f, name, "ours_s")) + ", " +
             Printed("%.0f MB/s", Value(f, name, "ours_MBps")),
         Seconds(Value(f, name, "ref_s")) + ", " + Printed("%.0f MB/s", Value(f, name, "ref_MBps")),
         Ratio(throughput) + " throughput", "≥ 0.95× throughput",
         Verdict(report, throughput, throughput >= 0.95)});
}

void TreeRows(const Figures& f, Table& table, Report& report) {
    const std::string name = "tree_10k_engine";
    const double wall = Value(f, name, "wall_ratio");
    const double cpu = Value(f, name, "cpu_ratio");
    table.Row({"10,000-file tree: `CopyFolderTree` / `cp -r` + `sync -d`, wall",
               Seconds(Value(f, name, "ours_s")), Seconds(Value(f, name, "ref_s")), Ratio(wall),
               "≤ 1.2×", Verdict(report, wall, wall <= 1.2)});
    table.Row({"10,000-file tree: the same, CPU", Seconds(Value(f, name, "ours_cpu_s")),
               Seconds(Value(f, name, "ref_cpu_s")), Ratio(cpu), "≤ 2×",
               Verdict(report, cpu, cpu <= 2)});
    const double calls = Value(f, "tree_10k_syscalls", "ours_fs_calls_per_file");
    const double theirs = Value(f, "tree_10k_syscalls", "ref_fs_calls_per_file");
    table.Row({"10,000-file tree: file-system calls per copied file", Printed("%.1f", calls),
               Printed("%.1f", theirs), Ratio(calls / theirs), "≤ 16",
               Verdict(report, calls, calls <= 16)});
    const double syncfs = Value(f, name, "ref_syncfs_s");
    table.Row({"10,000-file tree: reference `cp -r` + one `sync -f` (no sync per file)",
               Seconds(Value(f, name, "ours_s")),
               WithCpu(syncfs, Value(f, name, "ref_syncfs_cpu_s")),
               Ratio(Value(f, name, "ours_s") / syncfs), "—", "for comparison"});
}

// The front ends ran once, in one pass with a copy by CopyFolderTree, against which their cost
// is given, and with the reference.
void FrontEndRows(const Figures& f, Table& table) {
    const std::string name = "tree_10k_front_ends";
    const double engineWall = Value(f, name, "engine_s");
    const double engineCpu = Value(f, name, "engine_cpu_s");
    const double refWall = Value(f, name, "ref_s");
    const double refCpu = Value(f, name, "ref_cpu_s");
    const std::pair<const char*, const char*> forms[] = {
        {"engine", "one pass, run once: the tree by `CopyFolderTree` again"},
        {"terminal", "the same pass: `zarn-upgrade upgrade E:` (terminal views, whole process)"},
        {"qt", "the same pass: the upgrade run with the Qt windows, offscreen"},
    };
    for (const auto& [form, label] : forms) {
        const double wall = Value(f, name, std::string(form) + "_s");
        const double cpu = Value(f, name, std::string(form) + "_cpu_s");
        const std::string cost = std::string(form) == "engine"
                                     ? "—"
                                     : Printed("%+.2f s", wall - engineWall) + " wall, " +
                                           Printed("%+.2f s", cpu - engineCpu) +
                                           " CPU over `CopyFolderTree`";
        table.Row({label, WithCpu(wall, cpu), WithCpu(refWall, refCpu),
                   Ratio(wall / refWall) + " wall, " + Ratio(cpu / refCpu) + " CPU", "—", cost});
    }
}

void ModelRow(const Figures& f, Table& table) {
    const std::string name = "model_upgrade";
    table.Row({"whole upgrade of a model (" + Printed("%.0f files, ", Value(f, name, "files")) +
                   Printed("%.1f MB", Value(f, name, "MB")) + "), windows in memory: the work",
               WithCpu(Value(f, name, "ours_s"), Value(f, name, "ours_cpu_s")),
               WithCpu(Value(f, name, "ref_s"), Value(f, name, "ref_cpu_s")),
               Ratio(Value(f, name, "wall_ratio")), "—",
               "and " + Seconds(Value(f, name, "pauses_s")) +
                   " of the design's pauses (virtual here, real on a computer)"});
}

void DetectRow(const Figures& f, Table& table, Report& report) {
    const std::string name = "detect_10k_entries_24_drives";
    const double ms = Value(f, name, "ours_ms");
    table.Row(
        {"database of 10,000 entries, 24 drives: load and match / only the 23 players' "
         "entries",
         Printed("%.2f ms", ms), Printed("%.2f ms", Value(f, name, "ref_ms")),
         Ratio(Value(f, name, "wall_ratio")), "≤ 5 ms", Verdict(report, ms, ms <= 5)});
}

void MemoryRow(const Figures& f, Table& table, Report& report) {
    const std::string name = "memory_1GiB";
    const double ours = Value(f, name, "ours_peak_MiB");
    const double theirs = Value(f, name, "ref_peak_MiB");
    table.Row({"1 GiB file: peak resident memory / `cp`", Printed("%.1f MiB", ours),
               Printed("%.1f MiB", theirs), Ratio(ours / theirs), "< 32 MiB",
               Verdict(report, ours, ours < 32)});
}

// Every call any column saw, busiest first.
std::vector<std::string> CallNames(const Figures& f, const std::vector<std::string>& prefixes) {
    std::map<std::string, double> busiest;
    for (const auto& [name, figure] : f.cases) {
        for (const auto& [key, value] : figure.items()) {
            for (const std::string& prefix : prefixes) {
                if (key.rfind(prefix, 0) == 0 && value.is_number()) {
                    double& most = busiest[key.substr(prefix.size())];
                    most = std::max(most, value.get<double>());
                }
            }
        }
    }
    std::vector<std::pair<double, std::string>> order;
    for (const auto& [call, most] : busiest) {
        if (most >= 0.005) order.push_back({-most, call});
    }
    std::sort(order.begin(), order.end());
    std::vector<std::string> names;
    for (const auto& [most, call] : order) names.push_back(call);
    return names;
}

std::string SyscallTable(const Figures& f) {
    struct Column {
        const char* name;
        const char* prefix;
    };
    const Column columns[] = {{"tree_10k_syscalls", "ours"},
                              {"tree_10k_syscalls", "ref"},
                              {"tree_10k_syscalls_terminal", "run"}};
    Table table({"per copied file", "`CopyFolderTree`", "`cp -r` + `sync -d`",
                 "`zarn-upgrade upgrade E:`"});
    auto row = [&](const std::string& label, auto counter) {
        std::vector<std::string> cells{label};
        for (const Column& column : columns) {
            cells.push_back(Printed("%.2f", Value(f, column.name, counter(column.prefix))));
        }
        table.Row(cells);
    };
    row("**file-system calls**",
        [](const std::string& prefix) { return prefix + "_fs_calls_per_file"; });
    row("**all calls**", [](const std::string& prefix) { return prefix + "_calls_per_file"; });
    for (const std::string& call : CallNames(f, {"sc_ours_", "sc_ref_", "sc_run_"})) {
        row("`" + call + "`",
            [&](const std::string& prefix) { return "sc_" + prefix + "_" + call; });
    }
    return table.Markdown();
}

// The label the syscall cases give: which program counted.
std::string CounterOf(const Figures& f) {
    for (const char* name : {"tree_10k_syscalls", "tree_10k_syscalls_terminal"}) {
        const auto found = f.cases.find(name);
        if (found == f.cases.end()) continue;
        const std::string label = found->second.value("label", "");
        if (label == "perf") return "`perf stat` on the syscall tracepoints";
        if (label == "strace") return "`strace -f -c`";
    }
    return "—";
}

}  // namespace

Figures ReadFigures(const json& output) {
    Figures figures;
    if (!output.contains("benchmarks")) return figures;
    for (const json& run : output["benchmarks"]) {
        const std::string name = BaseName(run.value("run_name", run.value("name", "")));
        if (run.value("error_occurred", false)) {
            figures.errors.push_back(name + ": " + run.value("error_message", ""));
            continue;
        }
        const bool median = run.value("aggregate_name", "") == "median";
        const bool single = run.value("run_type", "") == "iteration";
        // A median replaces the single runs it was made of.
        if (median || (single && !figures.cases.count(name))) figures.cases[name] = run;
    }
    return figures;
}

Report MakeReport(const Figures& f) {
    Report report;
    Table table({"Case: ours / reference", "Ours", "Reference", "Ratio", "Target", "Result"});
    FileRows(f, table, report);
    TreeRows(f, table, report);
    FrontEndRows(f, table);
    ModelRow(f, table);
    DetectRow(f, table, report);
    MemoryRow(f, table, report);
    report.markdown = table.Markdown() + "\nSystem calls per copied file (counted by " +
                      CounterOf(f) + "):\n\n" + SyscallTable(f) +
                      "\nTargets: " + std::to_string(report.passed) + " PASS, " +
                      std::to_string(report.missed) + " MISS.\n";
    return report;
}

}  // namespace report
