// Identification method 2 on Windows 98: the set-up API's present disk drives whose hardware
// identifier and description name a supported model are registered in the drive map from
// the SCSI device registry, once per enumeration; then the drive is looked up.
#include <algorithm>
#include <cstring>

#include "common/code_page_case.h"
#include "detect/diagnostics.h"
#include "detect/drive_map.h"
#include "detect/local_block.h"
#include "detect/scsi_registry.h"
#include "detect/win9x_methods.h"
#include "platform/win32.h"

namespace detect {
namespace {

using namespace win32;

constexpr std::size_t kFirstHardwareIdSize = 256;
constexpr std::size_t kDescriptionSize = 64;

enum class PropertyRead { kRead, kInvalidData, kFailed, kNoMemory };

// Into the buffer kept from device to device, replaced by one of the size the system asks
// for while it reports the buffer too small.
PropertyRead ReadHardwareId(HDEVINFO list, SP_DEVINFO_DATA& device, LocalBlock& buffer) {
    for (;;) {
        DWORD required = 0;
        if (SetupDiGetDeviceRegistryPropertyA(list, &device, SPDRP_HARDWAREID, nullptr,
                                              buffer.Bytes(), static_cast<DWORD>(buffer.Size()),
                                              &required)) {
            return PropertyRead::kRead;
        }
        const DWORD error = GetLastError();
        if (error == ERROR_INVALID_DATA) return PropertyRead::kInvalidData;
        // A size that is no larger would be asked for again and again.
        if (error != ERROR_INSUFFICIENT_BUFFER || required <= buffer.Size()) {
            return PropertyRead::kFailed;
        }
        buffer.Replace(required);
        if (!buffer) return PropertyRead::kNoMemory;
    }
}

// The description names the hardware identifier's vendor: its product comes from the tenth
// byte on, and the device is registered with every entry of that vendor and product.
void RegisterDiskDrive(HDEVINFO list, SP_DEVINFO_DATA& device, const LocalBlock& hardwareId) {
    const auto* id = reinterpret_cast<const char*>(hardwareId.Bytes());
    const std::string vendor(id, strnlen(id, std::min<std::size_t>(8, hardwareId.Size())));
    char buffer[kDescriptionSize] = {};
    if (!SetupDiGetDeviceRegistryPropertyA(list, &device, SPDRP_DEVICEDESC, nullptr,
                                           reinterpret_cast<BYTE*>(buffer), sizeof buffer,
                                           nullptr)) {
        return;
    }
    const std::string description(buffer, strnlen(buffer, sizeof buffer));
    WriteStandardOutput(FormatText("DeviceDesc = %s\n", description.c_str()));
    if (!common::EqualsNoCaseCodePage(description.substr(0, 8), vendor)) return;
    const std::string product = description.size() > 9 ? description.substr(9, 16) : "";
    WriteStandardOutput(FormatText("VendorID = %s\n", vendor.c_str()));
    WriteStandardOutput(FormatText("ProductID = %s\n", product.c_str()));
    RegisterMatchingEntries(vendor, product, MakeDeviceId(vendor, product));
}

// Walks the list; false when the method fails for this drive without a lookup.
bool RegisterDiskDrives(HDEVINFO list) {
    LocalBlock hardwareId(kFirstHardwareIdSize);
    if (!hardwareId) {
        SetupDiDestroyDeviceInfoList(list);
        WriteDebugger("Allocation failed\n");
        return false;
    }
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(list, index, &device); ++index) {
        switch (ReadHardwareId(list, device, hardwareId)) {
            case PropertyRead::kRead:
                RegisterDiskDrive(list, device, hardwareId);
                break;
            case PropertyRead::kInvalidData:
                break;
            case PropertyRead::kFailed:  // the scan stays pending; what it found is looked up
                WriteDebugger("GetDeviceRegistryProperty failed\n");
                SetupDiDestroyDeviceInfoList(list);
                return true;
            case PropertyRead::kNoMemory:
                SetupDiDestroyDeviceInfoList(list);
                WriteDebugger("Allocation failed\n");
                return false;
        }
    }
    const DWORD error = GetLastError();
    if (error != ERROR_SUCCESS && error != ERROR_NO_MORE_ITEMS) {
        WriteDebugger("EnumDeviceInfo failed");
    }
    g_driveMap.diskDriveScanPending = false;
    SetupDiDestroyDeviceInfoList(list);
    return true;
}

bool ScanDiskDrives() {
    HDEVINFO list = SetupDiGetClassDevsA(&GUID_DEVCLASS_DISKDRIVE, nullptr, nullptr, DIGCF_PRESENT);
    if (list == INVALID_HANDLE_VALUE) {
        WriteDebugger("GetClassDevs failed\n");
        return false;
    }
    return RegisterDiskDrives(list);
}

}  // namespace

bool IdentifyByDiskDriveScan(tagPORTDEVINFO& device) {
    if (g_driveMap.diskDriveScanPending && !ScanDiskDrives()) return false;
    return LookUpDriveMap(device);
}

}  // namespace detect
