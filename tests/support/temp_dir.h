// A fresh host folder for one test, removed with everything in it afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // A sub-folder (created, with its parents) or a file path below the folder.
    std::string MakeFolder(const std::string& relative) const;
    std::string PathOf(const std::string& relative) const;

  private:
    std::string path_;
};

// Small host-side file helpers for arranging and checking what is on disk, on Linux and on
// Windows alike (there also past 259 characters). Paths may use '/' on both.
void WriteHostFile(const std::string& path, const std::string& content);
std::string ReadHostFile(const std::string& path);
// Whether an entry of exactly this name is there (a link counts, and so does nothing in other
// capitals: on Windows too, where names are found without regard to case).
bool HostExists(const std::string& path);
// The names in a host folder, sorted; none when it cannot be read.
std::vector<std::string> HostNamesIn(const std::string& folder);
// Creates the parent folders of a host path.
void MakeFolderFor(const std::string& path);
// Creates a folder with its parents.
void MakeHostFolder(const std::string& path);
// Removes a folder with everything in it, read-only or not; nothing when it is not there.
void RemoveHostTree(const std::string& path);
// Whether the host keeps the hidden attribute for the entry: in user.DOSATTRIB on Linux, in
// the file system on Windows.
bool HostMarkedHidden(const std::string& path);
// Sets a host file's last-write time, in seconds since 1970.
void SetHostWriteTime(const std::string& path, std::int64_t seconds);

}  // namespace test
