#include "cli_runner.h"

#include <atomic>
#include <sstream>

#include "program_spawn.h"
#include "support/temp_dir.h"

namespace test {

std::vector<std::string> ProgramRun::OutLines() const {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

ProgramRun RunZarnUpgrade(const std::vector<std::string>& args, const std::string& folder) {
    return RunProgram(ZARN_UPGRADE_PATH, args, folder);
}

namespace {

// A Windows program ends its lines with CR LF; the texts are compared with LF alone.
std::string WithUnixLineEnds(const std::string& text) {
    std::string unix;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' || i + 1 >= text.size() || text[i + 1] != '\n') unix += text[i];
    }
    return unix;
}

}  // namespace

// Each run writes files of its own: under Wine a program that has ended may still hold its
// output files for a moment, and the next run could not create them again.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& folder) {
    static std::atomic<unsigned> runs{0};
    const std::string number = std::to_string(++runs);
    const std::string outPath = folder + "/stdout-" + number + ".txt";
    const std::string errPath = folder + "/stderr-" + number + ".txt";
    ProgramRun run;
    run.status = SpawnAndWait(program, args, outPath, errPath);
    run.out = WithUnixLineEnds(ReadHostFile(outPath));
    run.err = WithUnixLineEnds(ReadHostFile(errPath));
    return run;
}

}  // namespace test
