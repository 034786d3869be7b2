// The VWIN32 device "\\.\VWIN32", opened for one request and closed after it.
#pragma once

#include "detect/win9x_request_blocks.h"
#include "platform/win32_types.h"

namespace detect {

class Vwin32Device {
  public:
    // Opens the device for reading, without sharing, as an existing object, deleted on close.
    Vwin32Device();
    ~Vwin32Device();
    Vwin32Device(const Vwin32Device&) = delete;
    Vwin32Device& operator=(const Vwin32Device&) = delete;

    bool IsOpen() const;
    // A DOS device request (VWIN32_DIOC_DOS_IOCTL) with the registers as its input and output;
    // false with the last error set when the control request itself fails.
    bool Send(DosRegisters& registers);

  private:
    win32::HANDLE handle_;
};

}  // namespace detect
