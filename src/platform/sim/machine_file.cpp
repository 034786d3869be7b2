#include "platform/sim/machine_file.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <limits>

#include "platform/ascii.h"
#include "platform/sim/machine_file_fields.h"
#include "platform/sim/machine_file_services.h"

namespace sim {
namespace {

UINT DriveType(const std::string& name, const std::string& key) {
    static const std::map<std::string, UINT> kTypes = {
        {"removable", win32::DRIVE_REMOVABLE}, {"fixed", win32::DRIVE_FIXED},
        {"cdrom", win32::DRIVE_CDROM},         {"remote", win32::DRIVE_REMOTE},
        {"ramdisk", win32::DRIVE_RAMDISK},     {"none", win32::DRIVE_NO_ROOT_DIR}};
    auto it = kTypes.find(name);
    if (it == kTypes.end()) {
        throw FileFault(key, "expected removable, fixed, cdrom, remote, ramdisk or none");
    }
    return it->second;
}

win32::SYSTEMTIME ReadLocalTime(const std::string& text) {
    win32::SYSTEMTIME time{};
    unsigned year, month, day, hour, minute, second;
    char tail;
    if (std::sscanf(text.c_str(), "%4u-%2u-%2uT%2u:%2u:%2u%c", &year, &month, &day, &hour, &minute,
                    &second, &tail) != 6 ||
        month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59) {
        throw FileFault("localTime", "expected YYYY-MM-DDTHH:MM:SS");
    }
    // Day of the week by Sakamoto's method.
    static const int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const unsigned y = month < 3 ? year - 1 : year;
    time.wDayOfWeek =
        static_cast<win32::WORD>((y + y / 4 - y / 100 + y / 400 + kOffsets[month - 1] + day) % 7);
    time.wYear = static_cast<win32::WORD>(year);
    time.wMonth = static_cast<win32::WORD>(month);
    time.wDay = static_cast<win32::WORD>(day);
    time.wHour = static_cast<win32::WORD>(hour);
    time.wMinute = static_cast<win32::WORD>(minute);
    time.wSecond = static_cast<win32::WORD>(second);
    return time;
}

void ReadWindows(const json& object, Machine& machine) {
    CheckKeys(object, "windows", {"platformId", "major", "minor"});
    auto part = [&](const char* key) -> DWORD {
        const json* value = Member(object, key);
        if (!value) throw FileFault(std::string("windows.") + key, "missing");
        return static_cast<DWORD>(Number(*value, std::string("windows.") + key));
    };
    machine.SetWindowsVersion(part("platformId"), part("major"), part("minor"));
}

unsigned OperationNumber(const json& value, const std::string& key) {
    const std::uint64_t n = Number(value, key);
    if (n > std::numeric_limits<unsigned>::max()) throw FileFault(key, "too large");
    return static_cast<unsigned>(n);
}

// The faults a test can give a drive: unplugged or failing at an operation, or the whole
// program killed part-way through a copy onto it.
void ReadFaults(const json& object, const std::string& key, Drive& drive) {
    if (const json* v = Member(object, "unplugAfterOps")) {
        drive.unplugAfterOps = OperationNumber(*v, key + ".unplugAfterOps");
    }
    if (const json* v = Member(object, "failWriteAtOp")) {
        drive.failWriteAtOp = OperationNumber(*v, key + ".failWriteAtOp");
    }
    if (const json* v = Member(object, "killAfterBytes")) {
        drive.killAfterBytes = Number(*v, key + ".killAfterBytes");
    }
}

void ReadDrive(const std::string& letterKey, const json& object, const std::filesystem::path& base,
               Machine& machine) {
    const std::string key = "drives." + letterKey;
    if (letterKey.size() != 1 || !platform::IsAsciiLetter(letterKey[0])) {
        throw FileFault(key, "expected a drive letter A to Z");
    }
    CheckKeys(object, key,
              {"type", "folder", "freeBytes", "present", "inquiry", "vpd80Hex", "vpdC0Hex",
               "unplugAfterOps", "failWriteAtOp", "killAfterBytes", "blockDriver"});
    const json* type = Member(object, "type");
    if (!type) throw FileFault(key + ".type", "missing");
    std::optional<std::string> folder;
    if (const json* value = Member(object, "folder")) {
        const std::filesystem::path path = base / Text(*value, key + ".folder");
        // The host's refusals (a name too long, no access) are the file's fault, not a crash.
        std::error_code error;
        if (!std::filesystem::is_directory(path, error)) {
            throw FileFault(key + ".folder", "no such folder: " + path.string() +
                                                 (error ? " (" + error.message() + ")" : ""));
        }
        const std::filesystem::path absolute = std::filesystem::absolute(path, error);
        if (error) throw FileFault(key + ".folder", path.string() + ": " + error.message());
        folder = absolute.lexically_normal().string();
    }
    Drive& drive = machine.AddDrive(letterKey[0],
                                    DriveType(Text(*type, key + ".type"), key + ".type"), folder);
    if (const json* v = Member(object, "freeBytes"))
        drive.freeBytes = Number(*v, key + ".freeBytes");
    if (const json* v = Member(object, "present")) drive.present = Flag(*v, key + ".present");
    if (const json* v = Member(object, "inquiry"))
        drive.inquiry = ReadInquiry(*v, key + ".inquiry");
    if (const json* v = Member(object, "vpd80Hex")) {
        drive.vpd80 = HexBytes(Text(*v, key + ".vpd80Hex"), key + ".vpd80Hex");
    }
    if (const json* v = Member(object, "vpdC0Hex")) {
        drive.vpdC0 = HexBytes(Text(*v, key + ".vpdC0Hex"), key + ".vpdC0Hex");
    }
    ReadFaults(object, key, drive);
    if (const json* v = Member(object, "blockDriver")) {
        drive.blockDriver = ReadBlockDriver(*v, key + ".blockDriver");
    }
}

void ReadMachine(const json& root, const std::filesystem::path& base, Machine& machine) {
    CheckKeys(root, "",
              {"windows", "program", "localTime", "currentDirectory", "drives", "setupDiskDrives",
               "registry", "aspi"});
    if (const json* v = Member(root, "windows")) ReadWindows(*v, machine);
    if (const json* v = Member(root, "program")) machine.SetProgram(Text(*v, "program"));
    if (const json* v = Member(root, "localTime")) {
        machine.SetLocalTime(ReadLocalTime(Text(*v, "localTime")));
    }
    if (const json* v = Member(root, "currentDirectory")) {
        machine.SetCurrentDirectory(Text(*v, "currentDirectory"));
    }
    if (const json* drives = Member(root, "drives")) {
        if (!drives->is_object()) throw FileFault("drives", "expected an object");
        for (const auto& [letter, drive] : drives->items()) ReadDrive(letter, drive, base, machine);
    }
    if (const json* v = Member(root, "setupDiskDrives")) {
        machine.DiskDrives() = ReadSetupDiskDrives(*v);
    }
    if (const json* v = Member(root, "registry")) ReadRegistry(*v, machine.LocalMachineKey());
    if (const json* v = Member(root, "aspi")) machine.SetScsiManager(ReadScsiManager(*v));
}

}  // namespace

std::unique_ptr<Machine> LoadMachineFile(const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = path + ": cannot be opened";
        return nullptr;
    }
    auto machine = std::make_unique<Machine>();
    try {
        const json root = json::parse(in);
        ReadMachine(root, std::filesystem::path(path).parent_path(), *machine);
    } catch (const FileFault& fault) {
        error = path + ": key \"" + fault.key + "\": " + fault.what();
        return nullptr;
    } catch (const json::exception& e) {
        error = path + ": not a JSON machine file: " + e.what();
        return nullptr;
    }
    return machine;
}

}  // namespace sim
