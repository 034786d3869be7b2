#include "sysfiles/reconcile.h"

#include <optional>
#include <string>

#include "common/code_page_case.h"
#include "common/path_text.h"
#include "engine/device_copy.h"
#include "engine/folder_operations.h"
#include "platform/file.h"
#include "sysfiles/checksum_recovery.h"
#include "sysfiles/sysfile_header.h"

using platform::File;

namespace {

enum class Choice { kNone, kCopy, kRebuild };

struct Decision {
    Choice choice = Choice::kNone;
    int result = kReconciled;
    bool deviceNewer = false;
};

// The entry's file on the device, in lower case; none for a refused entry.
std::optional<std::string> TargetFile(const char* deviceFolder, std::string_view entry) {
    if (!common::IsContainedRelativePath(entry)) return std::nullopt;
    auto target = common::JoinPath(deviceFolder, common::DropLeadingBackslash(entry));
    if (target) common::ToLowerAscii(*target);
    return target;
}

// The entry's sub-folders on the device, hidden.
void CreateEntryFolders(const char* deviceFolder, std::string_view entry) {
    const std::string_view folders = common::FolderPart(common::DropLeadingBackslash(entry));
    if (folders.empty()) return;
    if (const auto path = common::JoinPath(deviceFolder, folders)) {
        CreateFolderPath(path->c_str(), 1);
    }
}

Decision CompareHeaders(File& source, File& target, std::string_view fileName) {
    tagSYSFILEHEADER ours, theirs;
    if (!ReadSysFileHeader(source, &ours)) return {};  // never copied, never rebuilt
    if (!ReadSysFileHeader(target, &theirs)) return {Choice::kCopy};
    if (!common::EqualsNoCaseCodePage(theirs.name, fileName)) return {Choice::kCopy};
    if (theirs.version <= ours.version) return {Choice::kCopy};
    if (!common::EqualsNoCaseCodePage(theirs.tag, ours.tag)) return {Choice::kCopy};
    return {Choice::kRebuild, kDeviceNewer, true};
}

Decision CompareTimes(File& source, File& target) {
    if (source.GetStatus().mtimeSeconds >= target.GetStatus().mtimeSeconds) return {Choice::kCopy};
    return {Choice::kRebuild};
}

// Both copies exist: which one wins. A copy that can't be opened or read is overwritten.
Decision Decide(const char* sourceFile, const std::string& target, std::uint32_t versionCompare,
                std::string_view fileName) {
    try {
        File source, device;
        const unsigned flags = File::modeRead | File::shareDenyWrite;
        if (!source.Open(sourceFile, flags) || !device.Open(target.c_str(), flags)) {
            return {Choice::kCopy};
        }
        return versionCompare ? CompareHeaders(source, device, fileName)
                              : CompareTimes(source, device);
    } catch (const platform::FileException&) {
        return {Choice::kCopy};
    }
}

int CopyOntoDevice(const char* sourceFile, const std::string& target, std::uint32_t failIfExists) {
    ClearReadOnlyHidden(sourceFile);
    ClearReadOnlyHidden(target.c_str());
    return ReplaceDeviceFile(sourceFile, target.c_str(), failIfExists != 0) ? kReconciled
                                                                            : kDeviceCopyFailed;
}

}  // namespace

int ReconcileSystemFile(const char* sourceFile, const char* deviceFolder, const char* entryPath,
                        std::uint32_t versionCompare, std::int32_t* newerFlag,
                        std::uint32_t failIfExists) {
    if (sourceFile == nullptr || deviceFolder == nullptr || entryPath == nullptr) {
        return kReconcileNoArguments;
    }
    if (newerFlag != nullptr) *newerFlag = 0;
    const std::string_view entry(entryPath);
    const std::string fileName(common::NamePart(entry));
    const auto target = TargetFile(deviceFolder, entry);
    if (!target || fileName.empty()) return kDeviceCopyFailed;
    CreateEntryFolders(deviceFolder, entry);

    Decision decision;
    if (!FileExists(sourceFile)) {
        decision = {Choice::kRebuild, kSourceMissing};
    } else if (!FileExists(target->c_str())) {
        decision = {Choice::kCopy};
    } else {
        decision = Decide(sourceFile, *target, versionCompare, fileName);
    }
    if (decision.deviceNewer && newerFlag != nullptr) *newerFlag = 1;
    switch (decision.choice) {
        case Choice::kNone:
            return decision.result;
        case Choice::kCopy:
            return CopyOntoDevice(sourceFile, *target, failIfExists);
        case Choice::kRebuild:
            break;
    }
    int result = decision.result;
    RecoverFromChecksumFile(sourceFile, target->c_str(), fileName.c_str(), &result, newerFlag);
    return result;
}
