#include "platform/file.h"

#include <cstdio>

#include "platform/win32.h"

namespace platform {
namespace {

[[noreturn]] void Throw(const std::string& path, const char* operation) {
    throw FileException(win32::GetLastError(), std::string(operation) + " failed: " + path);
}

FileOpenRequest RequestFor(unsigned flags) {
    FileOpenRequest request;
    if (flags & File::modeReadWrite) {
        request.access = FileAccess::ReadWrite;
    } else if (flags & File::modeWrite) {
        request.access = FileAccess::Write;
    }
    request.create = (flags & File::modeCreate) != 0;
    switch (flags & 0x0070) {
        case File::shareExclusive:
            request.shareRead = request.shareWrite = false;
            break;
        case File::shareDenyWrite:
            request.shareWrite = false;
            break;
        case File::shareDenyRead:
            request.shareRead = false;
            break;
        default:
            break;
    }
    return request;
}

}  // namespace

File::~File() {
    handle_.reset();
}

bool File::Open(const char* path, unsigned flags) {
    handle_.reset();
    path_.clear();
    if (path == nullptr) {
        win32::SetLastError(win32::ERROR_INVALID_PARAMETER);
        return false;
    }
    handle_ = Current().Files().OpenFile(path, RequestFor(flags));
    if (handle_ == nullptr) return false;
    path_ = path;
    return true;
}

FileHandle& File::Handle() {
    if (handle_ == nullptr) {
        win32::SetLastError(win32::ERROR_INVALID_HANDLE);
        Throw(path_, "file not open");
    }
    return *handle_;
}

std::uint32_t File::Read(void* buffer, std::uint32_t count) {
    std::uint32_t done = 0;
    if (!Handle().Read(buffer, count, done)) Throw(path_, "read");
    return done;
}

std::uint32_t File::Write(const void* buffer, std::uint32_t count) {
    std::uint32_t done = 0;
    if (!Handle().Write(buffer, count, done)) Throw(path_, "write");
    return done;
}

std::uint64_t File::Seek(std::int64_t offset, SeekPosition from) {
    std::uint64_t position = 0;
    if (!Handle().Seek(offset, from, position)) Throw(path_, "seek");
    return position;
}

std::uint64_t File::GetLength() {
    return GetStatus().size;
}

FileStatus File::GetStatus() {
    FileStatus status;
    if (!Handle().Status(status)) Throw(path_, "status");
    return status;
}

void File::Close() {
    handle_.reset();
    path_.clear();
}

}  // namespace platform
