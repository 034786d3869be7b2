#include "support/temp_dir.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>

namespace test {

TempDir::TempDir() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937_64 random(seed());
    // A name nobody holds yet; create_directory tells whether it was free.
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "kpz-test-%012llx",
                      static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
        const std::filesystem::path path = base / name;
        if (std::filesystem::create_directory(path)) {
            std::filesystem::permissions(path, std::filesystem::perms::owner_all);
            path_ = path.generic_string();
            return;
        }
    }
    throw std::runtime_error("no temporary folder could be made in " + base.string());
}

TempDir::~TempDir() {
    RemoveHostTree(path_);
}

std::string TempDir::MakeFolder(const std::string& relative) const {
    const std::string path = PathOf(relative);
    MakeHostFolder(path);
    return path;
}

std::string TempDir::PathOf(const std::string& relative) const {
    return path_ + "/" + relative;
}

}  // namespace test
