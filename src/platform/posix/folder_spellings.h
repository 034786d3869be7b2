// How the folders of paths that were written in other capitals are spelt on the host: once a
// walk has found them, the next path to the same folder opens it in one call. The utility
// writes the paths it builds in lower case (its installation folder among them), so nearly
// every path into the installation needs this.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace platform::posix {

class FolderSpellings {
  public:
    // The host spelling of the folder `components` below `root`, when known.
    std::optional<std::vector<std::string>> Find(const std::string& root,
                                                 const std::vector<std::string>& components);
    void Remember(const std::string& root, const std::vector<std::string>& components,
                  const std::vector<std::string>& spelling);

  private:
    static std::string Key(const std::string& root, const std::vector<std::string>& components);

    std::mutex mutex_;
    std::map<std::string, std::vector<std::string>> spellings_;
};

}  // namespace platform::posix
