#include "support/data_files.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>

#include "platform/ascii.h"

namespace bench {
namespace {

// xorshift64*: cheap noise that no file system can compress or share.
class Noise {
  public:
    explicit Noise(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    std::uint64_t Next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }

  private:
    std::uint64_t state_;
};

std::string Lower(std::string text) {
    for (char& c : text) c = platform::ToLowerAscii(c);
    return text;
}

}  // namespace

void WriteNoiseFile(const fs::path& path, std::uint64_t size, std::uint64_t seed) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    Noise noise(seed);
    std::vector<std::uint64_t> block(1 << 17);  // 1 MiB
    for (std::uint64_t left = size; left > 0;) {
        for (auto& word : block) word = noise.Next();
        const std::uint64_t piece = std::min<std::uint64_t>(left, block.size() * 8);
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(piece));
        left -= piece;
    }
    if (!out.flush()) throw std::runtime_error(path.string() + ": cannot be written");
}

std::vector<DataFile> MakeTree(const fs::path& root, const TreeShape& shape) {
    std::vector<DataFile> files;
    Noise sizes(shape.seed);
    const std::uint64_t span = shape.maxSize - shape.minSize + 1;
    for (int folder = 0; folder < shape.folders; ++folder) {
        char folderName[16];
        std::snprintf(folderName, sizeof folderName, "Set%02d", folder);
        for (int item = 0; item < shape.filesPerFolder; ++item) {
            char name[24];
            std::snprintf(name, sizeof name, "item%03d.dat", item);
            DataFile file{fs::path(folderName) / name, shape.minSize + sizes.Next() % span};
            WriteNoiseFile(root / file.relative, file.size, files.size() + shape.seed);
            files.push_back(std::move(file));
        }
    }
    return files;
}

std::vector<fs::path> RelativePaths(const std::vector<DataFile>& files) {
    std::vector<fs::path> paths;
    for (const DataFile& file : files) paths.push_back(file.relative);
    return paths;
}

std::uint64_t TotalSize(const std::vector<DataFile>& files) {
    std::uint64_t total = 0;
    for (const DataFile& file : files) total += file.size;
    return total;
}

std::string CheckCopy(const fs::path& root, const std::vector<DataFile>& files) {
    std::map<std::string, std::uint64_t> found;
    std::error_code code;
    for (fs::recursive_directory_iterator it(root, code), end; !code && it != end;
         it.increment(code)) {
        if (it->is_regular_file()) {
            found[Lower(fs::relative(it->path(), root).string())] = it->file_size();
        }
    }
    if (code) return root.string() + ": " + code.message();
    for (const DataFile& file : files) {
        const auto at = found.find(Lower(file.relative.string()));
        if (at == found.end()) return (root / file.relative).string() + " was not copied";
        if (at->second != file.size) return (root / file.relative).string() + " has a wrong size";
    }
    return std::string();
}

void EmptyFolder(const fs::path& folder) {
    static int setAside = 0;  // over the whole run, so no two names meet
    if (fs::exists(folder) && !fs::is_empty(folder)) {
        const fs::path aside = folder.parent_path() / (".set-aside-" + std::to_string(++setAside) +
                                                       "-" + folder.filename().string());
        fs::rename(folder, aside);
    }
    fs::create_directories(folder);
}

}  // namespace bench
