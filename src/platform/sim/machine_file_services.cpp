#include "platform/sim/machine_file_services.h"

#include "platform/ascii.h"

namespace sim {
namespace {

// The one value held as text: the drive letter is its first character.
constexpr const char* kDriveLetterValue = "CurrentDriveLetterAssignment";

DiskDrive ReadDiskDrive(const json& object, const std::string& key) {
    CheckKeys(object, key, {"hardwareId", "hardwareIdError", "deviceDesc", "deviceDescError"});
    DiskDrive drive;
    if (const json* v = Member(object, "hardwareId"))
        drive.hardwareId = Text(*v, key + ".hardwareId");
    if (const json* v = Member(object, "hardwareIdError")) {
        drive.hardwareIdError = Number32(*v, key + ".hardwareIdError");
    }
    if (const json* v = Member(object, "deviceDesc"))
        drive.deviceDesc = Text(*v, key + ".deviceDesc");
    if (const json* v = Member(object, "deviceDescError")) {
        drive.deviceDescError = Number32(*v, key + ".deviceDescError");
    }
    return drive;
}

RegistryValue ReadRegistryValue(const std::string& name, const json& value,
                                const std::string& key) {
    const std::string text = Text(value, key);
    if (!platform::EqualsNoCase(name, kDriveLetterValue)) {
        return RegistryValue{win32::REG_BINARY, HexBytes(text, key)};
    }
    RegistryValue letter{win32::REG_SZ, std::vector<std::uint8_t>(text.begin(), text.end())};
    letter.data.push_back(0);
    return letter;
}

void ReadRegistryKey(const json& object, const std::string& key, RegistryKey& target) {
    if (!object.is_object()) throw FileFault(key, "expected an object of values and subkeys");
    for (const auto& [name, member] : object.items()) {
        const std::string at = key + "." + name;
        if (member.is_object()) {
            ReadRegistryKey(member, at, target.MakeSubkey(name));
        } else {
            target.SetValue(name, ReadRegistryValue(name, member, at));
        }
    }
}

AspiAdapter ReadAdapter(const json& object, const std::string& key) {
    CheckKeys(object, key, {"targets"});
    AspiAdapter adapter;
    const json* targets = Member(object, "targets");
    if (!targets) return adapter;
    if (!targets->is_array()) throw FileFault(key + ".targets", "expected an array");
    for (std::size_t i = 0; i < targets->size(); ++i) {
        const std::string at = key + ".targets[" + std::to_string(i) + "]";
        const json& target = (*targets)[i];
        if (target.is_null()) {
            adapter.targets.emplace_back();
            continue;
        }
        CheckKeys(target, at, {"inquiry", "completesAtOnce"});
        const json* inquiry = Member(target, "inquiry");
        if (!inquiry) throw FileFault(at + ".inquiry", "missing");
        AspiTarget device{ReadInquiry(*inquiry, at + ".inquiry")};
        if (const json* v = Member(target, "completesAtOnce")) {
            device.completesAtOnce = Flag(*v, at + ".completesAtOnce");
        }
        adapter.targets.emplace_back(std::move(device));
    }
    return adapter;
}

}  // namespace

BlockDriver ReadBlockDriver(const json& object, const std::string& key) {
    CheckKeys(object, key,
              {"privateRequest", "privateStatus", "privateError", "passThrough", "passThroughCarry",
               "passThroughError"});
    BlockDriver driver;
    if (const json* v = Member(object, "privateRequest")) {
        driver.privateRequest = Flag(*v, key + ".privateRequest");
    }
    if (const json* v = Member(object, "privateStatus")) {
        driver.privateStatus = Number32(*v, key + ".privateStatus");
    }
    if (const json* v = Member(object, "privateError")) {
        driver.privateError = Number32(*v, key + ".privateError");
    }
    if (const json* v = Member(object, "passThrough")) {
        driver.passThrough = Flag(*v, key + ".passThrough");
    }
    if (const json* v = Member(object, "passThroughCarry")) {
        driver.passThroughCarry = Flag(*v, key + ".passThroughCarry");
    }
    if (const json* v = Member(object, "passThroughError")) {
        driver.passThroughError = Number32(*v, key + ".passThroughError");
    }
    return driver;
}

DiskDriveList ReadSetupDiskDrives(const json& object) {
    CheckKeys(object, "setupDiskDrives", {"fails", "devices"});
    DiskDriveList list;
    if (const json* v = Member(object, "fails")) list.fails = Flag(*v, "setupDiskDrives.fails");
    if (const json* devices = Member(object, "devices")) {
        if (!devices->is_array()) throw FileFault("setupDiskDrives.devices", "expected an array");
        for (std::size_t i = 0; i < devices->size(); ++i) {
            list.devices.push_back(
                ReadDiskDrive((*devices)[i], "setupDiskDrives.devices[" + std::to_string(i) + "]"));
        }
    }
    return list;
}

void ReadRegistry(const json& object, RegistryKey& localMachine) {
    if (!object.is_object()) throw FileFault("registry", "expected an object of keys");
    for (const auto& [path, key] : object.items()) {
        const std::string at = "registry." + path;
        if (!key.is_object()) throw FileFault(at, "expected an object of values and subkeys");
        ReadRegistryKey(key, at, localMachine.MakeSubkey(path));
    }
}

std::optional<ScsiManager> ReadScsiManager(const json& object) {
    CheckKeys(object, "aspi", {"present", "supportInfo", "adapters"});
    if (const json* v = Member(object, "present"); v && !Flag(*v, "aspi.present")) {
        return std::nullopt;
    }
    ScsiManager manager;
    if (const json* v = Member(object, "supportInfo")) {
        manager.supportInfo = Number32(*v, "aspi.supportInfo");
    }
    if (const json* adapters = Member(object, "adapters")) {
        if (!adapters->is_array()) throw FileFault("aspi.adapters", "expected an array");
        for (std::size_t i = 0; i < adapters->size(); ++i) {
            manager.adapters.push_back(
                ReadAdapter((*adapters)[i], "aspi.adapters[" + std::to_string(i) + "]"));
        }
    }
    return manager;
}

}  // namespace sim
