#include "support/scratch.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>

namespace bench {
namespace {

std::filesystem::path ParentFolder() {
    for (const char* name : {"KPZ_BENCH_SCRATCH", "TMPDIR"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return value;
    }
    return "/tmp";
}

}  // namespace

ScratchFolder::ScratchFolder() {
    const std::filesystem::path parent = ParentFolder();
    std::filesystem::create_directories(parent);
    std::string pattern = (parent / "kpz-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error(pattern + ": " + std::strerror(errno));
    }
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace bench
