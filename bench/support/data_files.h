// Test data made by our own code: files of deterministic noise, trees of them, and the check
// that a copy holds every file with its size.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace bench {

namespace fs = std::filesystem;

struct DataFile {
    fs::path relative;
    std::uint64_t size = 0;
};

// `folders` folders of `filesPerFolder` files each, sizes uniform in [minSize, maxSize].
struct TreeShape {
    int folders = 100;
    int filesPerFolder = 100;
    std::uint64_t minSize = 1024;
    std::uint64_t maxSize = 64 * 1024;
    std::uint64_t seed = 1;
};

// Writes `size` bytes of noise from `seed` to `path`, making its folders.
void WriteNoiseFile(const fs::path& path, std::uint64_t size, std::uint64_t seed);

// Writes a tree below `root`: folders "SetNN", files "itemNNN.dat"; the files in folder order.
std::vector<DataFile> MakeTree(const fs::path& root, const TreeShape& shape);

std::vector<fs::path> RelativePaths(const std::vector<DataFile>& files);

std::uint64_t TotalSize(const std::vector<DataFile>& files);

// Empty when every file lies below `root` with its size (names compared without case, as on
// the player), else what is wrong.
std::string CheckCopy(const fs::path& root, const std::vector<DataFile>& files);

// Leaves `folder` empty. What it held is moved aside, beside it, and removed with the scratch
// folder at the end: ext4 without a journal avoids inodes freed in the last minute, so a copy
// made just after deleting the previous one would spend its time skipping them.
void EmptyFolder(const fs::path& folder);

}  // namespace bench
