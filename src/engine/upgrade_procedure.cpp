#include <exception>
#include <optional>
#include <string>

#include "common/entry_kind.h"
#include "common/path_text.h"
#include "engine/device_copy.h"
#include "engine/file_copy.h"
#include "engine/folder_operations.h"
#include "engine/folder_tree.h"
#include "engine/system_file_list.h"
#include "engine/upgrade.h"
#include "engine/upgrade_paths.h"
#include "kpz/detection.h"
#include "platform/ui.h"
#include "platform/win32.h"

namespace {

constexpr win32::DWORD kPauseAfterFileMs = 500;

std::string FreeSpaceWarning(const tagPORTDEVINFO& device) {
    return std::string("WARNING:  The ") + device.desc.displayName + " device (" +
           device.driveLetter +
           ":\\) may not have enough free space available to safely proceed with the firmware "
           "upgrade.  Please free some additional space on the device before continuing with "
           "the upgrade process.";
}

// One run on one device: its folders, its notifications and the front end's error flag.
class UpgradeRun {
  public:
    UpgradeRun(const tagPORTDEVINFO& device, PFNUPGRADESTATUSCALLBACK callback, int* reportErrors)
        : device_(const_cast<tagPORTDEVINFO&>(device)),  // only read; the callback wants it so
          callback_(callback),
          reportErrors_(reportErrors) {}

    int Run(const char* applicationFolder);

  private:
    enum class Next { kGoOn, kStop };

    bool HasRoomOnDevice();
    bool PrepareDeviceFolder();
    Next HandleEntry(const tagPORTDEVSYSFILE& entry);
    Next HandleFileEntry(const tagPORTDEVSYSFILE& entry);
    Next HandleFolderEntry(const tagPORTDEVSYSFILE& entry);
    Next HandleWildcardEntry(const tagPORTDEVSYSFILE& entry);
    Next StopWhenDeviceGone();

    void Send(std::uint32_t code, bool withProgress = false);
    // Ends the run on a path that has already told the user what went wrong.
    int Fail(std::uint32_t code);

    tagPORTDEVINFO& device_;
    PFNUPGRADESTATUSCALLBACK callback_;
    int* reportErrors_;
    std::string deviceFolder_;
    std::string sourceFolder_;
    std::int32_t totalSteps_ = 0;
    int missing_ = 0;
};

void UpgradeRun::Send(std::uint32_t code, bool withProgress) {
    if (callback_ == nullptr) return;
    tagUPDATESYSFILEINFO info{};
    info.dwCount = static_cast<std::uint32_t>(totalSteps_);
    callback_(device_, code, withProgress ? &info : nullptr);
}

int UpgradeRun::Fail(std::uint32_t code) {
    Send(code);
    if (reportErrors_ != nullptr) *reportErrors_ = 0;
    return 0;
}

int UpgradeRun::Run(const char* applicationFolder) {
    Send(UPGSTAT_SCANNING);
    const auto deviceFolder = UpgradeDeviceFolder(device_);
    const auto sourceFolder = UpgradeSourceFolder(applicationFolder, device_.desc);
    if (!deviceFolder || !sourceFolder) return 0;
    deviceFolder_ = *deviceFolder;
    sourceFolder_ = *sourceFolder;
    RemoveLeftoverCopies(deviceFolder_,
                         sourceFolder_);  // before the space check: they take room too
    if (!HasRoomOnDevice()) return 0;
    if (!PrepareDeviceFolder()) return 0;
    if (CountUpgradeSteps(&device_, sourceFolder_.c_str(), &totalSteps_)) {
        Send(UPGSTAT_SET_RANGE, true);
    }
    const auto& list = device_.desc.systemFiles;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!IsListedEntry(list[i].get())) continue;
        if (HandleEntry(*list[i]) == Next::kStop) return 0;
    }
    Send(missing_ > 0 ? UPGSTAT_FILES_NEWER : UPGSTAT_FINISHED);
    return 1;
}

// False when the run has ended here (the device is gone or too full).
bool UpgradeRun::HasRoomOnDevice() {
    std::uint64_t required = 0;
    if (!GetUpgradeFilesSize(&device_, sourceFolder_.c_str(), &required)) return true;
    const std::string root = common::DriveRoot(device_.driveLetter);
    win32::ULARGE_INTEGER available{};
    if (!win32::GetDiskFreeSpaceExA(root.c_str(), &available, nullptr, nullptr)) {
        if (KPZPortableDeviceDetectionIsPresent(device_.driveLetter)) return true;
        Fail(UPGSTAT_DEVICE_LOST);
        return false;
    }
    if (available.QuadPart > required) return true;
    win32::MessageBoxA(nullptr, FreeSpaceWarning(device_).c_str(), "Free Disk Space",
                       win32::MB_OK | win32::MB_ICONWARNING);
    Fail(UPGSTAT_ABORTED);
    return false;
}

bool UpgradeRun::PrepareDeviceFolder() {
    if (!CreateFolderPath(deviceFolder_.c_str(), 1)) return false;
    const auto withBackslash = common::WithTrailingBackslash(deviceFolder_);
    if (!withBackslash) return false;
    deviceFolder_ = *withBackslash;
    return true;
}

UpgradeRun::Next UpgradeRun::HandleEntry(const tagPORTDEVSYSFILE& entry) {
    const int kind = common::ClassifyEntryPath(entry.path);
    Send(UPGSTAT_STEP, true);
    switch (kind) {
        case common::kFileEntry:
            return HandleFileEntry(entry);
        case common::kFolderEntry:
            return HandleFolderEntry(entry);
        default:
            return HandleWildcardEntry(entry);
    }
}

UpgradeRun::Next UpgradeRun::HandleFileEntry(const tagPORTDEVSYSFILE& entry) {
    const auto source = common::JoinPath(sourceFolder_, common::DropLeadingBackslash(entry.path));
    // A source path too long to hold is refused like an entry that leaves its folder.
    const int result = source ? CopyFileToDevice(source->c_str(), deviceFolder_.c_str(), entry.path,
                                                 static_cast<int>(entry.failIfExists))
                              : kFileCopyFailed;
    if (result == kFileCopyFailed) {
        Fail(UPGSTAT_ERRORS);
        return Next::kStop;
    }
    if (result == kFileSourceMissing) ++missing_;
    win32::Sleep(kPauseAfterFileMs);
    return Next::kGoOn;
}

// A folder that can't be made is no reason to stop while the device is there; once it has
// gone, the run can't have succeeded.
UpgradeRun::Next UpgradeRun::HandleFolderEntry(const tagPORTDEVSYSFILE& entry) {
    if (!common::IsContainedRelativePath(entry.path)) return Next::kGoOn;  // refused: nothing made
    const auto folder = common::JoinPath(deviceFolder_, common::DropLeadingBackslash(entry.path));
    if (!folder || CreateFolderPath(folder->c_str(), 1)) return Next::kGoOn;
    return StopWhenDeviceGone();
}

UpgradeRun::Next UpgradeRun::HandleWildcardEntry(const tagPORTDEVSYSFILE& entry) {
    const std::string_view relative = common::DropLeadingBackslash(entry.path);
    const auto pattern = common::JoinPath(sourceFolder_, relative);
    // Without any backslash the entry's files go into the device folder itself.
    const std::string_view folderPart = common::FolderPart(relative);
    const auto target = folderPart.empty() ? std::optional<std::string>(deviceFolder_)
                                           : common::JoinPath(deviceFolder_, folderPart);
    if (!common::IsContainedRelativePath(entry.path) || !pattern || !target) {
        Fail(UPGSTAT_ERRORS);
        return Next::kStop;
    }
    CreateFolderPath(target->c_str(), 1);
    const int result = CopyFolderTree(&device_, pattern->c_str(), target->c_str(), callback_);
    if (result == kTreeCopied) return Next::kGoOn;
    if (result == kTreeCopyFailed) {
        Fail(UPGSTAT_ERRORS);
        return Next::kStop;
    }
    return StopWhenDeviceGone();
}

UpgradeRun::Next UpgradeRun::StopWhenDeviceGone() {
    if (KPZPortableDeviceDetectionIsPresent(device_.driveLetter)) return Next::kGoOn;
    Fail(UPGSTAT_DEVICE_LOST);
    return Next::kStop;
}

}  // namespace

int UpgradePortableDevice(const tagPORTDEVINFO* device, const char* applicationFolder,
                          PFNUPGRADESTATUSCALLBACK callback, int* reportErrors) {
    if (device == nullptr || applicationFolder == nullptr) return 0;
    if (device->desc.hasSystemFiles == 0) return 0;
    try {
        UpgradeRun run(*device, callback, reportErrors);
        return run.Run(applicationFolder);
    } catch (const std::exception&) {
        return 0;  // a framework failure: no further notification
    }
}
