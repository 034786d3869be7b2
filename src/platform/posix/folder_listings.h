// The names of folders, read when a name was not found as written and must be looked for
// without regard to case. A listing serves while its folder's modification and change times
// stay those it was read at; the core's own changes to a folder keep its listing current, so
// a folder being filled is not read again for every name that is new in it.
//
// A listing is kept current only when it was current right before the change; a change by
// another program within the same clock tick as one of ours can still go unseen. It could only
// hide a name that differs from the one looked for in case, on a file system that tells case
// apart (a FAT player's file system finds such names itself).
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform::posix {

class FolderListings {
  public:
    // The names of the open folder equal to `name` without regard to ASCII case, sorted;
    // 0 or the errno of a folder that could not be read.
    int FindNoCase(int folderFd, const std::string& name, std::vector<std::string>& matches);

    // The core has added and removed these names in the open folder, whose status was
    // `before` right before.
    void Changed(int folderFd, const struct stat& before, const std::vector<std::string>& added,
                 const std::vector<std::string>& removed);

  private:
    struct Listing {
        struct timespec mtime {};
        struct timespec ctime {};
        std::unordered_map<std::string, std::vector<std::string>> byFolded;
        std::uint64_t lastUse = 0;
    };
    using Key = std::pair<dev_t, ino_t>;

    int Read(int folderFd, const struct stat& st, Listing& listing);
    void Forget(std::unique_lock<std::mutex>& lock);

    std::mutex mutex_;
    std::map<Key, Listing> listings_;
    std::uint64_t uses_ = 0;
};

}  // namespace platform::posix
