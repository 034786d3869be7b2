// The Windows 98/Me services on the real computer: the set-up API, the registry, libraries,
// events and local memory, each the real call.
#include "platform/win32.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/windows_api.h"

#include <setupapi.h>

namespace platform::windows {
namespace {

static_assert(sizeof(::GUID) == sizeof(win32::GUID));
static_assert(sizeof(::SP_DEVINFO_DATA) == sizeof(win32::SP_DEVINFO_DATA));

bool Forwarded(BOOL ok) {
    return ok != FALSE || FailWithHostError();
}

// The facade's predefined key is a 32-bit value; the real one is sign-extended on 64 bits.
::HKEY RealKey(win32::HKEY key) {
    constexpr std::uintptr_t kLocalMachine = 0x80000002;
    return reinterpret_cast<std::uintptr_t>(key) == kLocalMachine ? HKEY_LOCAL_MACHINE
                                                                  : static_cast<::HKEY>(key);
}

}  // namespace

win32::HDEVINFO Win32System::GetClassDevices(const win32::GUID* classGuid, const char* enumerator,
                                             win32::DWORD flags) {
    const HDEVINFO list = ::SetupDiGetClassDevsA(reinterpret_cast<const ::GUID*>(classGuid),
                                                 enumerator, nullptr, flags);
    if (list == INVALID_HANDLE_VALUE) FailWithHostError();
    return list;
}

bool Win32System::EnumDeviceInfo(win32::HDEVINFO list, win32::DWORD index,
                                 win32::SP_DEVINFO_DATA* device) {
    return Forwarded(
        ::SetupDiEnumDeviceInfo(list, index, reinterpret_cast<::SP_DEVINFO_DATA*>(device)));
}

bool Win32System::GetDeviceRegistryProperty(win32::HDEVINFO list, win32::SP_DEVINFO_DATA* device,
                                            win32::DWORD property, win32::DWORD* dataType,
                                            win32::BYTE* buffer, win32::DWORD size,
                                            win32::DWORD* required) {
    DWORD type = 0, needed = 0;
    const BOOL ok = ::SetupDiGetDeviceRegistryPropertyA(
        list, reinterpret_cast<::SP_DEVINFO_DATA*>(device), property, &type, buffer, size, &needed);
    if (dataType != nullptr) *dataType = type;
    if (required != nullptr) *required = needed;
    return Forwarded(ok);
}

bool Win32System::DestroyDeviceInfoList(win32::HDEVINFO list) {
    return Forwarded(::SetupDiDestroyDeviceInfoList(list));
}

win32::LONG Win32System::RegOpenKey(win32::HKEY key, const char* subKey, win32::HKEY* result) {
    ::HKEY opened = nullptr;
    const LONG status = ::RegOpenKeyA(RealKey(key), subKey, &opened);
    if (result != nullptr) *result = opened;
    return status;
}

win32::LONG Win32System::RegEnumKey(win32::HKEY key, win32::DWORD index, char* name,
                                    win32::DWORD* nameSize) {
    DWORD size = nameSize != nullptr ? *nameSize : 0;
    const LONG status =
        ::RegEnumKeyExA(RealKey(key), index, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (nameSize != nullptr) *nameSize = size;
    return status;
}

win32::LONG Win32System::RegQueryValue(win32::HKEY key, const char* name, win32::DWORD* type,
                                       win32::BYTE* data, win32::DWORD* size) {
    DWORD kind = 0, bytes = size != nullptr ? *size : 0;
    const LONG status = ::RegQueryValueExA(RealKey(key), name, nullptr, &kind, data,
                                           size != nullptr ? &bytes : nullptr);
    if (type != nullptr) *type = kind;
    if (size != nullptr) *size = bytes;
    return status;
}

win32::LONG Win32System::RegCloseKey(win32::HKEY key) {
    return ::RegCloseKey(RealKey(key));
}

win32::HMODULE Win32System::LoadLibrary(const char* name) {
    const HMODULE module = ::LoadLibraryA(name);
    if (module == nullptr) FailWithHostError();
    return module;
}

win32::FARPROC Win32System::GetProcAddress(win32::HMODULE module, const char* name) {
    const ::FARPROC function = ::GetProcAddress(static_cast<HMODULE>(module), name);
    if (function == nullptr) FailWithHostError();
    return reinterpret_cast<win32::FARPROC>(function);
}

bool Win32System::FreeLibrary(win32::HMODULE module) {
    return Forwarded(::FreeLibrary(static_cast<HMODULE>(module)));
}

win32::HANDLE Win32System::CreateEvent(bool manualReset, bool initialState, const char* name) {
    const HANDLE event = ::CreateEventA(nullptr, manualReset, initialState, name);
    if (event == nullptr) FailWithHostError();
    return event;
}

bool Win32System::SetEvent(win32::HANDLE event) {
    return Forwarded(::SetEvent(event));
}

bool Win32System::ResetEvent(win32::HANDLE event) {
    return Forwarded(::ResetEvent(event));
}

win32::DWORD Win32System::WaitForSingleObject(win32::HANDLE object, win32::DWORD milliseconds) {
    const DWORD result = ::WaitForSingleObject(object, milliseconds);
    if (result == WAIT_FAILED) FailWithHostError();
    return result;
}

win32::HLOCAL Win32System::LocalAlloc(win32::UINT flags, win32::SIZE_T bytes) {
    const HLOCAL memory = ::LocalAlloc(flags, bytes);
    if (memory == nullptr) FailWithHostError();
    return memory;
}

win32::HLOCAL Win32System::LocalFree(win32::HLOCAL memory) {
    const HLOCAL left = ::LocalFree(memory);
    if (left != nullptr) FailWithHostError();
    return left;
}

}  // namespace platform::windows
