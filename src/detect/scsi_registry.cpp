#include "detect/scsi_registry.h"

#include <cstring>

#include "detect/device_match.h"
#include "detect/diagnostics.h"
#include "detect/drive_map.h"
#include "detect/supported_devices.h"
#include "platform/ascii.h"
#include "platform/win32.h"

namespace detect {
namespace {

using namespace win32;

constexpr std::size_t kMaxDeviceId = 255;
constexpr DWORD kNameRoom = 259;
constexpr DWORD kValueRoom = 259;
constexpr const char* kInstanceValues[] = {"Int13", "PModeInt13", "CurrentDriveLetterAssignment"};

// Reads the three values of an instance in order, stopping at the first that cannot be read;
// the first byte of the last is the drive letter. False when one could not be read.
bool ReadDriveLetter(HKEY instance, char& letter) {
    BYTE value[kValueRoom];
    for (const char* name : kInstanceValues) {
        std::memset(value, 0, sizeof value);
        DWORD size = sizeof value;
        if (RegQueryValueExA(instance, name, nullptr, nullptr, value, &size) != 0) return false;
    }
    letter = platform::ToUpperAscii(static_cast<char>(value[0]));
    return true;
}

void RegisterInstance(HKEY deviceKey, const char* name, const tagPORTDEVDESC& entry) {
    HKEY instance = nullptr;
    if (RegOpenKeyA(deviceKey, name, &instance) != 0) return;
    char letter = 0;
    if (ReadDriveLetter(instance, letter) && AddDriveMapEntry(letter, entry)) {
        WriteDebugger("Got Stmp drive\n");
    }
    RegCloseKey(instance);
}

}  // namespace

std::string MakeDeviceId(std::string_view vendor, std::string_view product, char revision) {
    std::string id = std::string(vendor) + std::string(product);
    if (revision != '\0') id += revision;
    if (id.size() > kMaxDeviceId) id.resize(kMaxDeviceId);
    for (char& c : id) {
        if (c == ' ') c = '_';
    }
    return id;
}

void RegisterMatchingEntries(std::string_view vendor, std::string_view product,
                             const std::string& deviceId) {
    for (const auto& entry : g_supportedDevices) {
        if (entry != nullptr && MatchesEntry(*entry, vendor, product)) {
            RegisterDeviceId(deviceId, *entry);
        }
    }
}

void RegisterDeviceId(const std::string& deviceId, const tagPORTDEVDESC& entry) {
    HKEY deviceKey = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, ("ENUM\\SCSI\\" + deviceId).c_str(), &deviceKey) != 0) {
        WriteDebugger("No key\n");
        return;
    }
    for (DWORD index = 0;; ++index) {
        char name[kNameRoom] = {};
        DWORD size = kNameRoom;
        if (RegEnumKeyExA(deviceKey, index, name, &size, nullptr, nullptr, nullptr, nullptr) != 0) {
            break;
        }
        WriteDebugger(name);
        WriteDebugger("\n");
        RegisterInstance(deviceKey, name, entry);
    }
    RegCloseKey(deviceKey);
}

}  // namespace detect
