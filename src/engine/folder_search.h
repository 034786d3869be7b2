// A file search that is closed however its walk ends.
#pragma once

#include "platform/win32.h"

class FolderSearch {
  public:
    explicit FolderSearch(const char* pattern) : handle_(win32::FindFirstFileA(pattern, &data_)) {}
    ~FolderSearch() {
        if (Found()) win32::FindClose(handle_);
    }
    FolderSearch(const FolderSearch&) = delete;
    FolderSearch& operator=(const FolderSearch&) = delete;

    bool Found() const { return handle_ != win32::INVALID_HANDLE_VALUE; }
    const win32::WIN32_FIND_DATAA& Item() const { return data_; }
    bool Next() { return win32::FindNextFileA(handle_, &data_) != 0; }

    bool ItemIsDots() const {
        const char* name = data_.cFileName;
        return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
    }
    bool ItemIsFolder() const {
        return (data_.dwFileAttributes & win32::FILE_ATTRIBUTE_DIRECTORY) != 0;
    }

  private:
    win32::WIN32_FIND_DATAA data_{};
    win32::HANDLE handle_;
};
