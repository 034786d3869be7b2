// Path texts: narrow, backslash-separated, at most 259 characters. A result that would be
// longer is a failure (an empty optional), never a cut path.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ascii.h"

namespace common {

using platform::EqualsNoCase;
using platform::ToLowerAscii;

constexpr std::size_t kMaxPathLength = 259;

// The text with one leading backslash dropped, if it has one.
std::string_view DropLeadingBackslash(std::string_view text);

// The folder with a backslash added unless it already ends in one.
std::optional<std::string> WithTrailingBackslash(std::string_view folder);

// Folder and name, a backslash between them only when the folder lacks one.
std::optional<std::string> JoinPath(std::string_view folder, std::string_view name);

// "%c:\" for a drive letter.
std::string DriveRoot(char letter);

// "%c:\%s": the drive root and the system folder without its leading backslash.
std::optional<std::string> DeviceFolder(char letter, std::string_view systemFolder);

// The text before the last backslash (empty when there is none).
std::string_view FolderPart(std::string_view path);

// The text after the last backslash (the whole text when there is none).
std::string_view NamePart(std::string_view path);

// An entry path that stays inside its folder: no ".." component, no drive letter or colon,
// not rooted beyond one leading backslash.
bool IsContainedRelativePath(std::string_view path);

}  // namespace common
