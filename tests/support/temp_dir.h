// A fresh host folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>

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

// Small host-side file helpers for arranging and checking what is on disk.
void WriteHostFile(const std::string& path, const std::string& content);
std::string ReadHostFile(const std::string& path);
bool HostExists(const std::string& path);
// Creates the parent folders of a host path.
void MakeFolderFor(const std::string& path);

}  // namespace test
