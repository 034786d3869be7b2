#include "detect/vwin32_device.h"

#include "platform/win32.h"

namespace detect {

using namespace win32;

Vwin32Device::Vwin32Device()
    : handle_(CreateFileA("\\\\.\\VWIN32", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                          FILE_FLAG_DELETE_ON_CLOSE, nullptr)) {}

Vwin32Device::~Vwin32Device() {
    if (IsOpen()) CloseHandle(handle_);
}

bool Vwin32Device::IsOpen() const {
    return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr;
}

bool Vwin32Device::Send(DosRegisters& registers) {
    RegisterBlock block = BuildRegisterBlock(registers);
    DWORD returned = 0;
    if (!IsOpen() || !DeviceIoControl(handle_, VWIN32_DIOC_DOS_IOCTL, block.data(), block.size(),
                                      block.data(), block.size(), &returned, nullptr)) {
        return false;
    }
    registers = ReadRegisterBlock(block);
    return true;
}

}  // namespace detect
