// The scenario through the facade, on a simulated drive D: whose folder is the scenario's.
#include <memory>

#include "platform/file.h"
#include "platform/sim/machine.h"
#include "platform/win32.h"
#include "scenario_api.h"

namespace scenario {
namespace {

sim::Machine& TheMachine() {
    static sim::Machine machine;
    return machine;
}

}  // namespace

bool Begin(const std::string& folder) {
    sim::Machine& machine = TheMachine();
    machine.AddDrive('D', win32::DRIVE_FIXED, folder);
    machine.SetCurrentDirectory("D:\\");
    static platform::ScopedSystem installed(machine);
    return true;
}

DWORD LastError() {
    return win32::GetLastError();
}

DWORD GetFileAttributes(const char* path) {
    return win32::GetFileAttributesA(path);
}

bool SetFileAttributes(const char* path, DWORD attributes) {
    return win32::SetFileAttributesA(path, attributes);
}

bool CreateDirectory(const char* path) {
    return win32::CreateDirectoryA(path, nullptr);
}

bool RemoveDirectory(const char* path) {
    return win32::RemoveDirectoryA(path);
}

bool DeleteFile(const char* path) {
    return win32::DeleteFileA(path);
}

bool CopyFile(const char* source, const char* target, bool failIfExists) {
    return win32::CopyFileA(source, target, failIfExists ? win32::TRUE : win32::FALSE);
}

bool MoveFile(const char* source, const char* target) {
    return win32::MoveFileA(source, target);
}

bool MoveFileEx(const char* source, const char* target, DWORD flags) {
    return win32::MoveFileExA(source, target, flags);
}

bool FindNames(const char* pattern, std::vector<std::string>& names) {
    win32::WIN32_FIND_DATAA found;
    const win32::HANDLE search = win32::FindFirstFileA(pattern, &found);
    if (search == win32::INVALID_HANDLE_VALUE) return false;
    do {
        names.push_back(found.cFileName);
    } while (win32::FindNextFileA(search, &found));
    win32::FindClose(search);
    return true;
}

bool GetDiskFreeSpaceEx(const char* path, std::uint64_t& available, std::uint64_t& total,
                        std::uint64_t& totalFree) {
    win32::ULARGE_INTEGER a, t, f;
    if (!win32::GetDiskFreeSpaceExA(path, &a, &t, &f)) return false;
    available = a.QuadPart;
    total = t.QuadPart;
    totalFree = f.QuadPart;
    return true;
}

bool WriteFile(const char* path, const std::string& content) {
    platform::File file;
    if (!file.Open(path, platform::File::modeCreate | platform::File::modeWrite)) return false;
    try {
        file.Write(content.data(), static_cast<std::uint32_t>(content.size()));
        file.Close();
        return true;
    } catch (const platform::FileException& e) {
        win32::SetLastError(e.Error());
        return false;
    }
}

bool ReadFile(const char* path, std::string& content) {
    platform::File file;
    if (!file.Open(path, platform::File::modeRead)) return false;
    try {
        char buffer[256];
        content.clear();
        while (const std::uint32_t got = file.Read(buffer, sizeof buffer))
            content.append(buffer, got);
        return true;
    } catch (const platform::FileException& e) {
        win32::SetLastError(e.Error());
        return false;
    }
}

}  // namespace scenario
