// The Linux host's answers to the Windows 98/Me services: no set-up API, registry or SCSI
// manager exists here, so those calls fail as Windows fails them for a missing item. Events
// and local memory are the host's own.
#include <cstdlib>

#include "platform/posix/host_system.h"
#include "platform/win32.h"

namespace platform::posix {
namespace {

bool Fail(win32::DWORD error) {
    win32::SetLastError(error);
    return false;
}

}  // namespace

win32::HDEVINFO HostSystem::GetClassDevices(const win32::GUID*, const char*, win32::DWORD) {
    win32::SetLastError(win32::ERROR_CALL_NOT_IMPLEMENTED);
    return win32::INVALID_HANDLE_VALUE;
}

bool HostSystem::EnumDeviceInfo(win32::HDEVINFO, win32::DWORD, win32::SP_DEVINFO_DATA*) {
    return Fail(win32::ERROR_INVALID_HANDLE);
}

bool HostSystem::GetDeviceRegistryProperty(win32::HDEVINFO, win32::SP_DEVINFO_DATA*, win32::DWORD,
                                           win32::DWORD*, win32::BYTE*, win32::DWORD,
                                           win32::DWORD*) {
    return Fail(win32::ERROR_INVALID_HANDLE);
}

bool HostSystem::DestroyDeviceInfoList(win32::HDEVINFO) {
    return Fail(win32::ERROR_INVALID_HANDLE);
}

win32::LONG HostSystem::RegOpenKey(win32::HKEY key, const char*, win32::HKEY*) {
    // The predefined keys exist and are empty; no other key can have been opened.
    return static_cast<win32::LONG>(key == win32::HKEY_LOCAL_MACHINE ? win32::ERROR_FILE_NOT_FOUND
                                                                     : win32::ERROR_INVALID_HANDLE);
}

win32::LONG HostSystem::RegEnumKey(win32::HKEY key, win32::DWORD, char*, win32::DWORD*) {
    return static_cast<win32::LONG>(key == win32::HKEY_LOCAL_MACHINE ? win32::ERROR_NO_MORE_ITEMS
                                                                     : win32::ERROR_INVALID_HANDLE);
}

win32::LONG HostSystem::RegQueryValue(win32::HKEY key, const char*, win32::DWORD*, win32::BYTE*,
                                      win32::DWORD*) {
    return static_cast<win32::LONG>(key == win32::HKEY_LOCAL_MACHINE ? win32::ERROR_FILE_NOT_FOUND
                                                                     : win32::ERROR_INVALID_HANDLE);
}

win32::LONG HostSystem::RegCloseKey(win32::HKEY key) {
    return static_cast<win32::LONG>(key == win32::HKEY_LOCAL_MACHINE ? win32::ERROR_SUCCESS
                                                                     : win32::ERROR_INVALID_HANDLE);
}

win32::HMODULE HostSystem::LoadLibrary(const char*) {
    win32::SetLastError(win32::ERROR_MOD_NOT_FOUND);
    return nullptr;
}

win32::FARPROC HostSystem::GetProcAddress(win32::HMODULE, const char*) {
    win32::SetLastError(win32::ERROR_INVALID_HANDLE);
    return nullptr;
}

bool HostSystem::FreeLibrary(win32::HMODULE) {
    return Fail(win32::ERROR_INVALID_HANDLE);
}

win32::HANDLE HostSystem::CreateEvent(bool manualReset, bool initialState, const char* name) {
    if (name != nullptr) {  // named events would be shared between processes: none here
        win32::SetLastError(win32::ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    return events_.Create(manualReset, initialState);
}

bool HostSystem::SetEvent(win32::HANDLE event) {
    return events_.Set(event) || Fail(win32::ERROR_INVALID_HANDLE);
}

bool HostSystem::ResetEvent(win32::HANDLE event) {
    return events_.Reset(event) || Fail(win32::ERROR_INVALID_HANDLE);
}

win32::DWORD HostSystem::WaitForSingleObject(win32::HANDLE object, win32::DWORD milliseconds) {
    switch (events_.WaitFor(object, milliseconds)) {
        case EventTable::Wait::Signalled:
            return win32::WAIT_OBJECT_0;
        case EventTable::Wait::TimedOut:
            return win32::WAIT_TIMEOUT;
        default:
            win32::SetLastError(win32::ERROR_INVALID_HANDLE);
            return win32::WAIT_FAILED;
    }
}

win32::HLOCAL HostSystem::LocalAlloc(win32::UINT flags, win32::SIZE_T bytes) {
    if ((flags & ~win32::LMEM_ZEROINIT) != 0) {  // fixed blocks only
        win32::SetLastError(win32::ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // calloc either way: a block that is not asked to be zeroed may still be.
    void* memory = std::calloc(bytes == 0 ? 1 : bytes, 1);
    if (memory == nullptr) win32::SetLastError(win32::ERROR_NOT_ENOUGH_MEMORY);
    return memory;
}

win32::HLOCAL HostSystem::LocalFree(win32::HLOCAL memory) {
    std::free(memory);
    return nullptr;
}

}  // namespace platform::posix
