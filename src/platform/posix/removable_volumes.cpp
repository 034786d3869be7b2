#include "platform/posix/removable_volumes.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <utility>

namespace platform::posix {
namespace {

namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

// A USB interface folder holds its class code; a disk below one is on USB.
bool UnderUsbInterface(const fs::path& disk, const fs::path& sysfs) {
    for (fs::path at = disk.parent_path(); at.has_relative_path() && at != sysfs;
         at = at.parent_path()) {
        if (Exists(at / "bInterfaceClass")) return true;
    }
    return false;
}

bool IsRemovableDisk(const fs::path& disk, const fs::path& sysfs) {
    return ReadAttribute((disk / "removable").string()) == "1" || UnderUsbInterface(disk, sysfs);
}

// The sysfs folder of a block device and of the disk it belongs to (itself for a disk).
bool FindDisk(const fs::path& sysfs, unsigned major, unsigned minor, fs::path& device,
              fs::path& disk) {
    std::error_code error;
    const fs::path link =
        sysfs / "dev" / "block" / (std::to_string(major) + ":" + std::to_string(minor));
    device = fs::canonical(link, error);
    if (error) return false;
    disk = Exists(device / "partition") ? device.parent_path() : device;
    return true;
}

}  // namespace

std::string ReadAttribute(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
}

std::vector<RemovableVolume> FindRemovableVolumes(const std::vector<MountEntry>& mounts,
                                                  const std::string& sysfs) {
    std::error_code error;
    fs::path sysfsRoot = fs::canonical(sysfs, error);
    if (error) return {};
    std::vector<RemovableVolume> volumes;
    std::set<std::pair<unsigned, unsigned>> seen;
    for (const MountEntry& mount : mounts) {
        if (mount.major == 0 || mount.root != "/") continue;  // not a block device, or a part
        if (!seen.insert({mount.major, mount.minor}).second) continue;
        fs::path device, disk;
        if (!FindDisk(sysfsRoot, mount.major, mount.minor, device, disk)) continue;
        if (!IsRemovableDisk(disk, sysfsRoot)) continue;
        volumes.push_back({mount.major, mount.minor, mount.mountPoint, mount.fsType,
                           "/dev/" + device.filename().string(), "/dev/" + disk.filename().string(),
                           disk.string()});
    }
    return volumes;
}

}  // namespace platform::posix
