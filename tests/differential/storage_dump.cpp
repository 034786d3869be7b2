// Where a tree keeps its DOS attributes on Linux, for holding our core's storage against
// Wine's: one line per entry, "<path>\t<write bits>, <user.DOSATTRIB>", sorted by path.
//
//   fs_storage FOLDER
#include <sys/stat.h>
#include <sys/xattr.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string WriteBits(const std::filesystem::path& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return "unreadable";
    return (st.st_mode & 0222) != 0 ? "writable" : "no write bits";
}

std::string DosAttrib(const std::filesystem::path& path) {
    char value[64];
    const ssize_t size = ::lgetxattr(path.c_str(), "user.DOSATTRIB", value, sizeof value);
    if (size < 0) return errno == ENODATA ? "no user.DOSATTRIB" : "user.DOSATTRIB unreadable";
    return "user.DOSATTRIB \"" + std::string(value, static_cast<std::size_t>(size)) + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: fs_storage FOLDER\n", stderr);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    std::vector<std::filesystem::path> entries;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        entries.push_back(it->path());
    }
    std::sort(entries.begin(), entries.end());
    for (const auto& entry : entries) {
        std::printf("stored %s\t%s, %s\n", entry.lexically_relative(root).c_str(),
                    WriteBits(entry).c_str(), DosAttrib(entry).c_str());
    }
    return error ? 1 : 0;
}
