// The figures of one kpz-bench run as Markdown: each case beside its reference, the ratios,
// and each target of the issue with PASS or MISS.
#pragma once

#include <nlohmann/json.hpp>

#include <map>
#include <string>
#include <vector>

namespace report {

// Each case by its name ("tree_10k_engine"): the median of its repetitions, or its one run.
struct Figures {
    std::map<std::string, nlohmann::json> cases;
    std::vector<std::string> errors;  // "case: message" of every case that broke
};

// Reads Google Benchmark's JSON output.
Figures ReadFigures(const nlohmann::json& output);

struct Report {
    std::string markdown;
    int passed = 0;
    int missed = 0;
};

Report MakeReport(const Figures& figures);

}  // namespace report
