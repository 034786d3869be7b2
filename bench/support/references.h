// The reference: the kernel's own copy by coreutils, made durable as ours is.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/usage.h"

namespace bench {

// cp SOURCE TARGET, with -r when SOURCE is a folder.
Usage CopyWithCp(const std::filesystem::path& source, const std::filesystem::path& target);

// sync -d of the files below `folder`: fdatasync of each copied file and nothing else, as our
// copies do. The names go in batches, as xargs would pass them.
Usage SyncFiles(const std::filesystem::path& folder,
                const std::vector<std::filesystem::path>& relativeFiles);

// The sync -d commands for these files, to be run in their folder.
std::vector<std::vector<std::string>> SyncCommands(
    const std::vector<std::filesystem::path>& relativeFiles);

// sync -f: the whole file system that holds `path` (syncfs).
Usage SyncFileSystem(const std::filesystem::path& path);

}  // namespace bench
