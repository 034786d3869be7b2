#include "platform/posix/folder_spellings.h"

#include "platform/ascii.h"

namespace platform::posix {
namespace {

constexpr std::size_t kMaxFolders = 256;

}  // namespace

std::string FolderSpellings::Key(const std::string& root,
                                 const std::vector<std::string>& components) {
    std::string key = root;
    for (const std::string& component : components) {
        key += '/';
        key += component;
    }
    ToLowerAscii(key);
    return key;
}

std::optional<std::vector<std::string>> FolderSpellings::Find(
    const std::string& root, const std::vector<std::string>& components) {
    std::lock_guard lock(mutex_);
    auto it = spellings_.find(Key(root, components));
    if (it == spellings_.end()) return std::nullopt;
    return it->second;
}

void FolderSpellings::Remember(const std::string& root, const std::vector<std::string>& components,
                               const std::vector<std::string>& spelling) {
    std::lock_guard lock(mutex_);
    if (spellings_.size() >= kMaxFolders) spellings_.clear();  // a new working set
    spellings_[Key(root, components)] = spelling;
}

}  // namespace platform::posix
