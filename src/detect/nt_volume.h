// A handle on the volume "\\.\X:" for the NT-family control requests, closed on every path.
#pragma once

#include "platform/win32_types.h"

namespace detect {

class NtVolume {
  public:
    // Switches critical-error prompts off (they stay off) and opens the volume for reading
    // and writing, sharing both.
    explicit NtVolume(char driveLetter);
    ~NtVolume();
    NtVolume(const NtVolume&) = delete;
    NtVolume& operator=(const NtVolume&) = delete;

    bool IsOpen() const;
    // DeviceIoControl on the volume; false when it fails.
    bool Request(win32::DWORD code, void* in, win32::DWORD inSize, void* out, win32::DWORD outSize,
                 win32::DWORD* returned);

  private:
    win32::HANDLE handle_;
};

}  // namespace detect
