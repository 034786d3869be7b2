// The device survey: each player the enumeration reports becomes an entry of g_deviceList with
// the firmware versions of the installed copy and of the player's copy.
#include <cstring>

#include "app/firmware_version.h"
#include "app/installation.h"
#include "app/main_window.h"
#include "common/caller_value.h"
#include "engine/folder_operations.h"
#include "platform/ascii.h"
#include "platform/ui.h"

namespace {

// The first list entry naming the firmware program or image as a plain file.
const tagPORTDEVSYSFILE* FindFirmwareEntry(const tagPORTDEVDESC& desc) {
    for (const auto& entry : desc.systemFiles) {
        if (!entry) continue;
        const std::string_view path = entry->path;
        if ((!path.empty() && path.back() == '\\') || path.find('*') != std::string_view::npos) {
            continue;
        }
        if (platform::EqualsNoCase(path, kFirmwareProgramName) ||
            platform::EqualsNoCase(path, kFirmwareImageName)) {
            return entry.get();
        }
    }
    return nullptr;
}

// The version rule: the program's tag only when its entry compares versions, the image's
// header only when the model says its version lives there.
FirmwareReader SurveyReader(const tagPORTDEVSYSFILE& firmware, const tagPORTDEVDESC& desc) {
    if (platform::EqualsNoCase(firmware.path, kFirmwareProgramName)) {
        return firmware.versionCompare ? FirmwareReader::Program : FirmwareReader::None;
    }
    return desc.firmwareHeaderFlag ? FirmwareReader::Image : FirmwareReader::None;
}

bool FileThere(const std::optional<std::string>& path) {
    return path && FileExists(path->c_str());
}

}  // namespace

int CUpgradeUtilityDlg::EnumDeviceCallback(tagPORTDEVINFO& device, long dialog) {
    return common::CallerValue::PointerTo<CUpgradeUtilityDlg>(dialog)->SurveyDevice(device);
}

int CUpgradeUtilityDlg::SurveyDevice(const tagPORTDEVINFO& device) {
    auto entry = std::make_unique<tagDEVICEENTRY>();
    entry->device.driveLetter = device.driveLetter;
    entry->device.desc = device.desc;
    const tagPORTDEVDESC& desc = entry->device.desc;
    const tagPORTDEVSYSFILE* firmware = desc.hasSystemFiles ? FindFirmwareEntry(desc) : nullptr;
    if (firmware != nullptr) {
        const FirmwareReader reader = SurveyReader(*firmware, desc);
        if (const auto folder = GetApplicationFolder()) {
            const auto installed = InstalledFilePath(*folder, desc, firmware->path);
            if (!FileThere(installed)) {
                const int answer = win32::MessageBoxA(
                    view_->Handle(),
                    "An error occurred trying to locate the Zarn Upgrade firmware files.  The "
                    "Zarn Upgrade Utility may be corrupt and/or missing files.  It is recommended "
                    "to exit now and download the Zarn Upgrade Utiilty again.  Failure to do so "
                    "may result in some Zarn devices not being properly detected by the "
                    "utility.\n\nDo you want to Exit now?",
                    "ERROR - Missing Files", win32::MB_YESNO | win32::MB_ICONWARNING);
                if (answer == win32::IDYES) m_bExitRequested = 1;
                return 0;
            }
            if (ReadFirmwareFileVersion(*installed, reader, entry->m_szUpgradeVersion) ==
                VersionRead::NotOpened) {
                return 0;
            }
        }
        const auto onPlayer = DeviceFilePath(device.driveLetter, desc, firmware->path);
        if (FileThere(onPlayer)) {
            ReadFirmwareFileVersion(*onPlayer, reader, entry->m_szCurrentVersion);
        }
    }
    g_deviceList.push_back(std::move(entry));
    return 1;
}
