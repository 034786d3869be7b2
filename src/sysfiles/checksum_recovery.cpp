#include "sysfiles/checksum_recovery.h"

#include "common/path_text.h"
#include "engine/folder_operations.h"
#include "platform/file.h"
#include "platform/win32.h"
#include "sysfiles/checksum_layouts.h"

using platform::File;

namespace {

constexpr std::string_view kChecksumExtension = ".crc";
constexpr std::string_view kRebuildSuffix = "temp.crc";
constexpr std::size_t kMinExtensionLength = 4;  // the dot and at least three characters

std::optional<std::string> RebuildOutputPath(const char* sourceFile, bool sourceExists) {
    if (!sourceExists) return std::string(sourceFile);  // written straight where it is missing
    return ReplaceExtension(sourceFile, kRebuildSuffix);
}

int Extract(File& checksum, File& output, std::string_view fileName) {
    if (fileName.find("config") != std::string_view::npos) {
        return ExtractSingleSumLayout(checksum, output);
    }
    return ExtractRecordLayout(checksum, output);
}

// Writes the output from the checksum file; deletes what is of no use afterwards.
bool RebuildOutput(const std::string& checksumPath, const std::string& outputPath,
                   std::string_view fileName) {
    File checksum;
    if (!checksum.Open(checksumPath.c_str(), File::modeRead | File::shareDenyWrite)) return false;
    File output;
    int extracted = kOutputFailed;
    if (output.Open(outputPath.c_str(),
                    File::modeCreate | File::modeWrite | File::shareExclusive)) {
        extracted = Extract(checksum, output, fileName);
    }
    checksum.Close();
    // Only a checksum file that failed its checks goes; one the computer couldn't take stays.
    if (extracted == kChecksumRejected) win32::DeleteFileA(checksumPath.c_str());
    const bool outputOpened = output.IsOpen();
    output.Close();
    if (extracted != kExtracted && outputOpened) win32::DeleteFileA(outputPath.c_str());
    return extracted == kExtracted;
}

// Replaces the old copy with the rebuilt one in one rename, so one of them is always there.
bool PutInPlace(const std::string& outputPath, const char* sourceFile) {
    ClearReadOnlyHidden(sourceFile);
    if (win32::MoveFileExA(outputPath.c_str(), sourceFile, win32::MOVEFILE_REPLACE_EXISTING)) {
        return true;
    }
    win32::DeleteFileA(outputPath.c_str());
    return false;
}

}  // namespace

std::optional<std::string> ReplaceExtension(std::string_view path, std::string_view replacement,
                                            std::size_t minLength) {
    const std::size_t nameStart = path.size() - common::NamePart(path).size();
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart) return std::nullopt;
    if (path.size() - dot < minLength) return std::nullopt;
    std::string replaced = std::string(path.substr(0, dot)) + std::string(replacement);
    if (replaced.size() > common::kMaxPathLength) return std::nullopt;
    return replaced;
}

void RecoverFromChecksumFile(const char* sourceFile, const char* targetFile, const char* fileName,
                             int* result, std::int32_t* newerFlag) {
    if (sourceFile == nullptr || targetFile == nullptr || fileName == nullptr) return;
    const bool sourceExists = FileExists(sourceFile);
    if (!FileExists(targetFile)) return;
    const auto checksumPath = ReplaceExtension(targetFile, kChecksumExtension, kMinExtensionLength);
    if (!checksumPath || !FileExists(checksumPath->c_str())) return;
    const auto outputPath = RebuildOutputPath(sourceFile, sourceExists);
    if (!outputPath || !RebuildOutput(*checksumPath, *outputPath, fileName)) return;
    if (sourceExists && !PutInPlace(*outputPath, sourceFile)) return;
    if (result != nullptr) *result = 0;
    if (newerFlag != nullptr) *newerFlag = 0;
}
