// The set-up API of a simulated machine: the disk-drive class lists the machine's disk
// drives, with their hardware identifier and device description as registry properties.
#include <cstdio>
#include <cstring>

#include "platform/sim/machine.h"
#include "platform/win32.h"

namespace sim {
namespace {

bool Fail(DWORD error) {
    win32::SetLastError(error);
    return false;
}

std::string GuidText(const win32::GUID& guid) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  guid.Data1, guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2],
                  guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

const char* PropertyName(DWORD property) {
    switch (property) {
        case win32::SPDRP_HARDWAREID:
            return "SPDRP_HARDWAREID";
        case win32::SPDRP_DEVICEDESC:
            return "SPDRP_DEVICEDESC";
        default:
            return "property";
    }
}

// The property's bytes as the registry holds them, or the error it fails with.
DWORD PropertyBytes(const DiskDrive& drive, DWORD property, DWORD& type,
                    std::vector<std::uint8_t>& bytes) {
    const std::optional<std::string>* text = nullptr;
    DWORD error = 0;
    if (property == win32::SPDRP_HARDWAREID) {
        text = &drive.hardwareId;
        error = drive.hardwareIdError;
        type = win32::REG_MULTI_SZ;
    } else if (property == win32::SPDRP_DEVICEDESC) {
        text = &drive.deviceDesc;
        error = drive.deviceDescError;
        type = win32::REG_SZ;
    }
    if (error != 0) return error;
    if (text == nullptr || !*text) return win32::ERROR_INVALID_DATA;
    bytes.assign((*text)->begin(), (*text)->end());
    bytes.push_back(0);
    if (type == win32::REG_MULTI_SZ) bytes.push_back(0);  // the list ends with an empty text
    return 0;
}

}  // namespace

win32::HDEVINFO Machine::GetClassDevices(const win32::GUID* classGuid, const char* enumerator,
                                         DWORD) {
    std::lock_guard lock(mutex_);
    Record("SetupDiGetClassDevsA " + (classGuid ? GuidText(*classGuid) : std::string("(all)")));
    // Device lists by enumerator, and of every class, are beyond what this machine models.
    if (diskDrives_.fails || classGuid == nullptr || enumerator != nullptr) {
        win32::SetLastError(diskDrives_.fails ? win32::ERROR_GEN_FAILURE
                                              : win32::ERROR_INVALID_PARAMETER);
        return win32::INVALID_HANDLE_VALUE;
    }
    win32::HDEVINFO list = NewObjectHandle();
    deviceLists_[list] = *classGuid == win32::GUID_DEVCLASS_DISKDRIVE ? diskDrives_.devices
                                                                      : std::vector<DiskDrive>{};
    return list;
}

bool Machine::EnumDeviceInfo(win32::HDEVINFO list, DWORD index, win32::SP_DEVINFO_DATA* device) {
    std::lock_guard lock(mutex_);
    Record("SetupDiEnumDeviceInfo " + std::to_string(index));
    auto it = deviceLists_.find(list);
    if (it == deviceLists_.end()) return Fail(win32::ERROR_INVALID_HANDLE);
    if (device == nullptr || device->cbSize != sizeof(win32::SP_DEVINFO_DATA)) {
        return Fail(win32::ERROR_INVALID_USER_BUFFER);
    }
    if (index >= it->second.size()) return Fail(win32::ERROR_NO_MORE_ITEMS);
    if (it->second[index].enumError != 0) return Fail(it->second[index].enumError);
    device->ClassGuid = win32::GUID_DEVCLASS_DISKDRIVE;
    device->DevInst = index + 1;  // the device's place in the list stands for its instance
    device->Reserved = 0;
    return true;
}

const DiskDrive* Machine::ListedDiskDrive(win32::HDEVINFO list,
                                          const win32::SP_DEVINFO_DATA* device) {
    auto it = deviceLists_.find(list);
    if (it == deviceLists_.end() || device == nullptr ||
        device->cbSize != sizeof(win32::SP_DEVINFO_DATA) || device->DevInst == 0 ||
        device->DevInst > it->second.size()) {
        return nullptr;
    }
    return &it->second[device->DevInst - 1];
}

bool Machine::GetDeviceRegistryProperty(win32::HDEVINFO list, win32::SP_DEVINFO_DATA* device,
                                        DWORD property, DWORD* dataType, win32::BYTE* buffer,
                                        DWORD size, DWORD* required) {
    std::lock_guard lock(mutex_);
    Record("SetupDiGetDeviceRegistryPropertyA " +
           (device && device->DevInst > 0 ? std::to_string(device->DevInst - 1) + " "
                                          : std::string()) +
           PropertyName(property));
    if (deviceLists_.count(list) == 0) return Fail(win32::ERROR_INVALID_HANDLE);
    const DiskDrive* drive = ListedDiskDrive(list, device);
    if (drive == nullptr) return Fail(win32::ERROR_INVALID_PARAMETER);
    DWORD type = win32::REG_NONE;
    std::vector<std::uint8_t> bytes;
    if (const DWORD error = PropertyBytes(*drive, property, type, bytes); error != 0) {
        return Fail(error);
    }
    if (required != nullptr) *required = static_cast<DWORD>(bytes.size());
    if (buffer == nullptr && size != 0) return Fail(win32::ERROR_INVALID_USER_BUFFER);
    if (size < bytes.size()) return Fail(win32::ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(buffer, bytes.data(), bytes.size());
    if (dataType != nullptr) *dataType = type;
    return true;
}

bool Machine::DestroyDeviceInfoList(win32::HDEVINFO list) {
    std::lock_guard lock(mutex_);
    Record("SetupDiDestroyDeviceInfoList");
    return deviceLists_.erase(list) == 1 || Fail(win32::ERROR_INVALID_HANDLE);
}

}  // namespace sim
