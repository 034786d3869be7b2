#include "platform/posix/folder_listings.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/ascii.h"
#include "platform/posix/path_resolver.h"

namespace platform::posix {
namespace {

constexpr std::size_t kMaxFolders = 64;

std::string Folded(std::string name) {
    ToLowerAscii(name);
    return name;
}

bool SameTime(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

int FolderListings::Read(int folderFd, const struct stat& st, Listing& listing) {
    const int fd = OpenFolderForListing(folderFd);
    if (fd < 0) return errno;
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    listing.byFolded.clear();
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        listing.byFolded[Folded(name)].push_back(name);
    }
    ::closedir(dir);
    listing.mtime = st.st_mtim;
    listing.ctime = st.st_ctim;
    return 0;
}

int FolderListings::FindNoCase(int folderFd, const std::string& name,
                               std::vector<std::string>& matches) {
    struct stat st;
    if (::fstat(folderFd, &st) != 0) return errno;
    std::unique_lock lock(mutex_);
    Listing& listing = listings_[{st.st_dev, st.st_ino}];
    if (!SameTime(listing.mtime, st.st_mtim) || !SameTime(listing.ctime, st.st_ctim) ||
        listing.lastUse == 0) {
        if (const int error = Read(folderFd, st, listing)) {
            listings_.erase({st.st_dev, st.st_ino});
            return error;
        }
    }
    listing.lastUse = ++uses_;
    auto it = listing.byFolded.find(Folded(name));
    matches = it == listing.byFolded.end() ? std::vector<std::string>{} : it->second;
    std::sort(matches.begin(), matches.end());
    Forget(lock);
    return 0;
}

void FolderListings::Changed(int folderFd, const struct stat& before,
                             const std::vector<std::string>& added,
                             const std::vector<std::string>& removed) {
    std::lock_guard lock(mutex_);
    auto it = listings_.find({before.st_dev, before.st_ino});
    if (it == listings_.end()) return;  // not read: nothing to keep current
    Listing& listing = it->second;
    struct stat st;
    if (!SameTime(listing.mtime, before.st_mtim) || !SameTime(listing.ctime, before.st_ctim) ||
        ::fstat(folderFd, &st) != 0) {
        listings_.erase(it);  // changed by someone else meanwhile: read again when needed
        return;
    }
    for (const std::string& name : removed) {
        auto& names = listing.byFolded[Folded(name)];
        std::erase(names, name);
        if (names.empty()) listing.byFolded.erase(Folded(name));
    }
    for (const std::string& name : added) {
        auto& names = listing.byFolded[Folded(name)];
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    listing.mtime = st.st_mtim;
    listing.ctime = st.st_ctim;
}

// Keeps the most recently used folders only.
void FolderListings::Forget(std::unique_lock<std::mutex>&) {
    while (listings_.size() > kMaxFolders) {
        auto oldest = std::min_element(listings_.begin(), listings_.end(), [](auto& a, auto& b) {
            return a.second.lastUse < b.second.lastUse;
        });
        listings_.erase(oldest);
    }
}

}  // namespace platform::posix
