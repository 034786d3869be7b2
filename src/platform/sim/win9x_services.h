// What the simulated Windows 98/Me services hold: the block-device driver's answers per
// drive, the set-up API's list of disk drives, the registry and the SCSI manager.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win32_types.h"

namespace sim {

// SCSI identification strings as a device reports them.
struct Inquiry {
    std::string vendor;    // 8 characters, blank-padded; empty: the descriptor has none
    std::string product;   // 16 characters, blank-padded
    std::string revision;  // 4 characters, blank-padded
};

// The 36 bytes of standard INQUIRY data of a removable direct-access device.
std::vector<std::uint8_t> StandardInquiryData(const Inquiry& inquiry);

// How the drive's block-device driver answers the two VWIN32 requests. Either answers only
// when the drive has an inquiry.
struct BlockDriver {
    bool privateRequest = true;         // 4404h is served
    win32::DWORD privateStatus = 0;     // the status word it writes into P; nonzero: no answer
    win32::DWORD privateError = 0;      // nonzero: the control request fails with it
    bool passThrough = true;            // 440Dh category 48h, minor code 96h is served
    bool passThroughCarry = false;      // returned with the carry flag set
    win32::DWORD passThroughError = 0;  // nonzero: the control request fails with it
};

// One device of the set-up API's disk-drive class. A property that is absent fails with
// ERROR_INVALID_DATA, as Windows reports a property a device lacks.
struct DiskDrive {
    std::optional<std::string> hardwareId;  // answered as REG_MULTI_SZ
    win32::DWORD hardwareIdError = 0;
    std::optional<std::string> deviceDesc;  // answered as REG_SZ
    win32::DWORD deviceDescError = 0;
    win32::DWORD enumError = 0;  // nonzero: SetupDiEnumDeviceInfo fails with it here
};

struct DiskDriveList {
    bool fails = false;  // SetupDiGetClassDevsA fails
    std::vector<DiskDrive> devices;
};

struct RegistryValue {
    win32::DWORD type = win32::REG_BINARY;
    std::vector<std::uint8_t> data;
};

// A registry key: names compare without regard to case; subkeys keep their order.
class RegistryKey {
  public:
    explicit RegistryKey(std::string name = {}) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }
    // The key at a path of backslash-separated names below this one, made where missing.
    RegistryKey& MakeSubkey(std::string_view path);
    // The key at a path below this one; the key itself for an empty path.
    RegistryKey* FindSubkey(std::string_view path);
    std::size_t SubkeyCount() const { return subkeys_.size(); }
    RegistryKey& SubkeyAt(std::size_t index) { return *subkeys_[index]; }

    void SetValue(const std::string& name, RegistryValue value);
    const RegistryValue* FindValue(std::string_view name) const;

  private:
    RegistryKey* Child(std::string_view name);

    std::string name_;
    std::vector<std::unique_ptr<RegistryKey>> subkeys_;
    std::vector<std::pair<std::string, RegistryValue>> values_;
};

struct AspiTarget {
    Inquiry inquiry;
    bool completesAtOnce = false;  // SendASPI32Command returns SS_COMP without signalling
};

struct AspiAdapter {
    std::vector<std::optional<AspiTarget>> targets;  // by target id; none: no device there
};

// The SCSI manager library WNASPI32.DLL.
struct ScsiManager {
    std::optional<win32::DWORD> supportInfo;  // none: SS_COMP and the number of adapters
    std::vector<AspiAdapter> adapters;
    std::string missingEntryPoint;  // an entry point GetProcAddress does not find
};

// A VWIN32 request as the driver received it.
struct Vwin32Request {
    std::vector<std::uint8_t> registers;   // the 28-byte register block
    std::vector<std::uint8_t> parameters;  // 4404h: P's first 16 bytes; 440Dh: the 104 bytes
    std::vector<std::uint8_t> command;     // 4404h: the whole of C
};

// A diagnostic text of the program, on the channel it was written to.
struct Diagnostic {
    enum class Channel { StandardOutput, Debugger };
    Channel channel;
    std::string text;
    bool operator==(const Diagnostic&) const = default;
};

}  // namespace sim
