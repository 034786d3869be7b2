// The framework's file object: Open reports failure by its result; the other calls throw
// FileException, which operations catch at their own boundary.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/system.h"

namespace platform {

class FileException : public std::runtime_error {
  public:
    FileException(win32::DWORD error, const std::string& what)
        : std::runtime_error(what), error_(error) {}
    win32::DWORD Error() const { return error_; }

  private:
    win32::DWORD error_;
};

class File {
  public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool Open(const char* path, unsigned flags);
    bool IsOpen() const { return handle_ != nullptr; }
    const std::string& Path() const { return path_; }

    std::uint32_t Read(void* buffer, std::uint32_t count);
    // Returns how many bytes were written; a short count means the medium took no more.
    std::uint32_t Write(const void* buffer, std::uint32_t count);
    std::uint64_t Seek(std::int64_t offset, SeekPosition from);
    std::uint64_t SeekToBegin() { return Seek(0, begin); }
    std::uint64_t GetLength();
    FileStatus GetStatus();
    void Close();

  private:
    FileHandle& Handle();

    std::unique_ptr<FileHandle> handle_;
    std::string path_;
};

}  // namespace platform
