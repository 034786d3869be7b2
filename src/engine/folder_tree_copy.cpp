#include "engine/device_copy.h"
#include "engine/folder_operations.h"
#include "engine/folder_tree.h"
#include "engine/folder_tree_walk.h"

namespace {

// The upgrade copies every file it finds, over whatever the device holds.
class CopyEveryFile : public TreeFilePolicy {
  public:
    int HandleFile(const win32::WIN32_FIND_DATAA& item, const std::string& source,
                   const std::string& target) override {
        ClearSourceAttributes(item, source);
        return ReplaceDeviceFile(source.c_str(), target.c_str(), false) ? kTreeCopied
                                                                        : kTreeCopyFailed;
    }
    bool FolderFailureCounts() const override { return true; }
};

}  // namespace

int CopyFolderTree(const tagPORTDEVINFO* device, const char* pattern, const char* targetFolder,
                   PFNUPGRADESTATUSCALLBACK callback) {
    if (device == nullptr) return kTreeMissingArgument;
    CopyEveryFile policy;
    // The record is only read; the callback's signature wants it without const.
    return WalkFolderTree(const_cast<tagPORTDEVINFO&>(*device), pattern, targetFolder, callback,
                          policy);
}
