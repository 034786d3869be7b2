// kpz-bench-report: turns the JSON of a kpz-bench run into the Markdown tables of
// bench/RESULTS.md. Exit status 1 only when a case broke; a missed target is no failure.
#include <cstdio>
#include <fstream>
#include <iostream>

#include "report_table.h"

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]) == "--help") {
        std::fputs(
            "Usage: kpz-bench-report RESULTS.json\n"
            "\n"
            "Prints the figures of a kpz-bench run (--benchmark_out=RESULTS.json) as Markdown\n"
            "tables with ratios and the targets' PASS or MISS. Exit status 1 when a case broke.\n",
            argc == 2 ? stdout : stderr);
        return argc == 2 ? 0 : 2;
    }
    std::ifstream in(argv[1]);
    const nlohmann::json output = nlohmann::json::parse(in, nullptr, false);
    if (!in || output.is_discarded()) {
        std::fprintf(stderr, "kpz-bench-report: %s is no benchmark output\n", argv[1]);
        return 2;
    }
    const report::Figures figures = report::ReadFigures(output);
    const report::Report made = report::MakeReport(figures);
    std::cout << made.markdown;
    for (const std::string& error : figures.errors) {
        std::cerr << "kpz-bench-report: case broke: " << error << "\n";
    }
    return figures.errors.empty() ? 0 : 1;
}
