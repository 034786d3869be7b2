#include "player_scenario.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>

#include "firmware/firmware_image_writer.h"
#include "platform/ascii.h"
#include "platform/win32.h"
#include "support/temp_dir.h"

namespace faults {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kInstalledTime = 1796000000;  // 2026
constexpr std::int64_t kPlayerTime = 1577836800;     // 2020

struct File {
    std::string path;  // below the system folder, as installed
    std::optional<std::string> old;
    std::string fresh;
    std::string finalName;  // as it lies on the player after a complete run
};

std::string Image(const std::string& version) {
    fwtool::FirmwareHeader header;
    header.version = version;
    return fwtool::ImageBytes(header, 4096);
}

std::string Content(const std::string& what, const std::string& path) {
    return what + " " + path + std::string(300, what[0]);
}

const std::vector<File>& Files() {
    static const std::vector<File> files = [] {
        std::vector<File> list = {
            {"QDAV3180.mi4", Image("3.170"), Image("3.180"), "qdav3180.mi4"},
            {"kvq.exe", Content("old", "kvq.exe"), Content("new", "kvq.exe"), "kvq.exe"},
            {"settings.ini", std::nullopt, Content("new", "settings.ini"), "settings.ini"},
        };
        for (const char* path : {"Music/a.bin", "Music/Sub/b.bin", "Music/Sub/~kpzcopy.tmp"}) {
            list.push_back({path, Content("old", path), Content("new", path), path});
        }
        for (const char* path : {"Music/z.bin", "Music/Sub/Deep/c.bin"}) {
            list.push_back({path, std::nullopt, Content("new", path), path});
        }
        return list;
    }();
    return files;
}

const std::vector<std::string> kFolders = {"System",           "System/Data",
                                           "System/Fonts",     "System/Music",
                                           "System/Music/Sub", "System/Music/Sub/Deep"};
const std::set<std::string> kTemporaryNames = {"~kpzcopy.tmp", "~kpzcop2.tmp"};

void WriteAt(const std::string& path, const std::string& content, std::int64_t seconds) {
    test::WriteHostFile(path, content);
    const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

std::string Lower(std::string text) {
    platform::ToLowerAscii(text);
    return text;
}

std::string Name(const std::string& relative) {
    return fs::path(relative).filename().string();
}

// Where a file of the list lies on the player, found without regard to case; each spelling.
std::vector<std::string> Spellings(const Tree& player, const std::string& relative) {
    std::vector<std::string> found;
    for (const auto& [path, content] : player) {
        if (Lower(path) == Lower(relative)) found.push_back(path);
    }
    return found;
}

bool Listed(const std::string& relative) {
    for (const File& file : Files()) {
        if (Lower("System/" + file.path) == Lower(relative)) return true;
    }
    return false;
}

void CheckFile(const Tree& player, const File& file, DeviceCheck check,
               std::vector<std::string>& problems) {
    const std::string relative = "System/" + file.path;
    if (file.path.rfind("Music/", 0) == 0 && !check.treeComplete) check.filesComplete = false;
    const auto spellings = Spellings(player, relative);
    if (spellings.size() > 1) problems.push_back(relative + ": there twice, in other capitals");
    if (spellings.empty()) {
        if (file.old) problems.push_back(relative + ": the old file was lost");
        if (check.filesComplete) problems.push_back(relative + ": missing");
        return;
    }
    const std::string& content = player.at(spellings[0]);
    const bool fresh = content == file.fresh;
    if (!fresh && content != file.old) {
        problems.push_back(spellings[0] + ": neither the old nor the new content");
    }
    if (check.filesComplete && !fresh) problems.push_back(spellings[0] + ": still old");
    if (check.filesComplete && spellings[0] != "System/" + file.finalName) {
        problems.push_back(spellings[0] + ": not named " + file.finalName);
    }
}

void CheckFolders(const std::string& driveHost, const std::string& letter, bool playlists,
                  std::vector<std::string>& problems) {
    for (const std::string& folder : kFolders) {
        std::string windows = letter + ":\\" + folder;
        for (char& c : windows) c = c == '/' ? '\\' : c;
        const win32::DWORD attributes = win32::GetFileAttributesA(windows.c_str());
        if (!fs::is_directory(driveHost + "/" + folder)) {
            problems.push_back(folder + ": folder missing");
        } else if (attributes == win32::INVALID_FILE_ATTRIBUTES ||
                   !(attributes & win32::FILE_ATTRIBUTE_HIDDEN)) {
            problems.push_back(folder + ": folder not hidden");
        }
    }
    if (playlists && !fs::is_directory(driveHost + "/Playlists")) {
        problems.push_back("Playlists: missing");
    }
}

}  // namespace

dbtool::Description PlayerModel() {
    dbtool::Description model;
    model.productId = "ZJ-20           ";
    model.displayName = "Zarn ZJ-20";
    model.hasSystemFiles = 1;
    model.systemFolder = "\\System";
    model.firmwareHeaderFlag = 1;
    model.playlistFolder1Enabled = 1;
    model.playlistFolder1Name = "Playlists";
    model.systemFiles = {{"QDAV3180.mi4", 0}, {"\\kvq.exe", 0}, {"settings.ini", 0},
                         {"Data\\", 0},       {"Music\\*", 0},  {"Fonts\\", 0}};
    return model;
}

void WriteInstallation(const std::string& installationHost) {
    for (const File& file : Files()) {
        WriteAt(installationHost + "/ZJ-20/System/" + file.path, file.fresh, kInstalledTime);
    }
}

void WritePlayer(const std::string& driveHost, const std::string& driveLetter) {
    for (const File& file : Files()) {
        if (!file.old) continue;
        std::string path = file.path == "QDAV3180.mi4" ? "QDAV3180.MI4" : file.path;
        WriteAt(driveHost + "/System/" + path, *file.old, kPlayerTime);
    }
    const std::string program = driveLetter + ":\\System\\kvq.exe";
    win32::SetFileAttributesA(program.c_str(),
                              win32::FILE_ATTRIBUTE_READONLY | win32::FILE_ATTRIBUTE_HIDDEN);
}

Tree ReadTree(const std::string& hostFolder) {
    Tree tree;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(hostFolder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file()) {
            tree[fs::relative(it->path(), hostFolder).string()] =
                test::ReadHostFile(it->path().string());
        }
    }
    return tree;
}

std::vector<std::string> CheckPlayer(const std::string& driveHost, const std::string& driveLetter,
                                     const DeviceCheck& check) {
    std::vector<std::string> problems;
    const Tree player = ReadTree(driveHost);
    for (const File& file : Files()) CheckFile(player, file, check, problems);
    for (const auto& [path, content] : player) {
        if (Listed(path)) continue;
        if (kTemporaryNames.count(Lower(Name(path))) == 0) {
            problems.push_back(path + ": a file nobody asked for");
        } else if (!check.allowLeftovers) {
            problems.push_back(path + ": a temporary file left behind");
        }
    }
    if (check.foldersComplete) CheckFolders(driveHost, driveLetter, check.playlists, problems);
    return problems;
}

}  // namespace faults
