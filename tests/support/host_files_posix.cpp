#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/temp_dir.h"

#include <sys/xattr.h>

namespace test {

void WriteHostFile(const std::string& path, const std::string& content) {
    MakeFolderFor(path);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool HostExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

std::vector<std::string> HostNamesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void MakeFolderFor(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
}

void MakeHostFolder(const std::string& path) {
    std::filesystem::create_directories(path);
}

void RemoveHostTree(const std::string& path) {
    std::error_code error;
    // Give back write bits first so read-only files go too.
    for (auto it = std::filesystem::recursive_directory_iterator(path, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(path, error);
}

bool HostMarkedHidden(const std::string& path) {
    char value[16] = {};
    const ssize_t size = ::lgetxattr(path.c_str(), "user.DOSATTRIB", value, sizeof value - 1);
    return size > 0 && (std::strtoul(value, nullptr, 16) & 0x2) != 0;
}

void SetHostWriteTime(const std::string& path, std::int64_t seconds) {
    const std::chrono::sys_seconds time{std::chrono::seconds(seconds)};
    std::error_code error;
    std::filesystem::last_write_time(path, std::chrono::file_clock::from_sys(time), error);
    if (error) throw std::runtime_error("cannot set the time of " + path);
}

}  // namespace test
