// The simulated volume "\\.\X:" answers the NT-family control requests as a storage driver
// would, and checks every field of every request block: a block that differs from the
// documented one fails with ERROR_INVALID_PARAMETER.
#include <algorithm>
#include <cstring>

#include "platform/address32.h"
#include "platform/sim/machine.h"
#include "platform/win32.h"

namespace sim {
namespace {

using Bytes = const std::uint8_t*;

bool Fail(DWORD error) {
    win32::SetLastError(error);
    return false;
}

std::uint32_t Le32(Bytes at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void PutLe32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

bool AllZero(Bytes from, std::size_t count) {
    return std::all_of(from, from + count, [](std::uint8_t b) { return b == 0; });
}

// STORAGE_DEVICE_DESCRIPTOR: the fixed part takes 36 bytes, the identification strings
// follow, each zero-terminated with its blanks kept. An empty string gets offset 0.
std::vector<std::uint8_t> DeviceDescriptor(const Inquiry& inquiry) {
    std::vector<std::uint8_t> descriptor(36, 0);
    auto addString = [&](std::size_t offsetField, const std::string& text) {
        if (text.empty()) return;
        PutLe32(&descriptor[offsetField], static_cast<std::uint32_t>(descriptor.size()));
        descriptor.insert(descriptor.end(), text.begin(), text.end());
        descriptor.push_back(0);
    };
    PutLe32(&descriptor[0], 40);  // Version: sizeof(STORAGE_DEVICE_DESCRIPTOR)
    descriptor[8] = 0;            // DeviceType: direct access
    descriptor[10] = 1;           // RemovableMedia
    addString(12, inquiry.vendor);
    addString(16, inquiry.product);
    addString(20, inquiry.revision);
    // SerialNumberOffset (24) stays 0: the serial number is only on page 80h.
    PutLe32(&descriptor[28], 7);  // BusType: USB
    // RawPropertiesLength (32) stays 0.
    PutLe32(&descriptor[4], static_cast<std::uint32_t>(descriptor.size()));  // Size
    return descriptor;
}

bool AnswerPropertyQuery(const Drive& drive, Bytes in, DWORD inSize, void* out, DWORD outSize,
                         DWORD* returned) {
    // StorageDeviceProperty, PropertyStandardQuery, no additional parameters.
    if (in == nullptr || inSize != 12 || !AllZero(in, 12) || returned == nullptr) {
        return Fail(win32::ERROR_INVALID_PARAMETER);
    }
    if (out == nullptr || outSize < 8) return Fail(win32::ERROR_INSUFFICIENT_BUFFER);
    const std::vector<std::uint8_t> descriptor = DeviceDescriptor(*drive.inquiry);
    const DWORD size = std::min<DWORD>(outSize, static_cast<DWORD>(descriptor.size()));
    if (size > 0) std::memcpy(out, descriptor.data(), size);
    *returned = size;
    return true;
}

// SCSI_PASS_THROUGH_DIRECT for an INQUIRY of page 80h or C0h, with its filler and sense
// area: the page asked for, or 0 when any field differs from the documented block.
std::uint8_t VpdPageOf(Bytes block) {
    const std::uint8_t page = block[30];
    const bool valid = block[0] == 44 && block[1] == 0 && AllZero(block + 2, 4) && block[6] == 6 &&
                       block[7] == 14 && block[8] == 1 && AllZero(block + 9, 3) &&
                       Le32(block + 12) == 256 && Le32(block + 16) == 2 && Le32(block + 24) == 48 &&
                       block[28] == 0x12 && block[29] == 0x01 && (page == 0x80 || page == 0xC0) &&
                       block[31] == 0 && block[32] == 0xFF && block[33] == 0 &&
                       AllZero(block + 34, 80 - 34);
    return valid ? page : 0;
}

bool AnswerPassThrough(const Drive& drive, Bytes in, DWORD inSize, void* out, DWORD outSize,
                       DWORD* returned) {
    if (in == nullptr || out == nullptr || inSize != 80 || outSize != 80 || returned == nullptr) {
        return Fail(win32::ERROR_INVALID_PARAMETER);
    }
    const std::uint8_t page = VpdPageOf(in);
    auto* data = static_cast<std::uint8_t*>(platform::Address32::Resolve(Le32(in + 20), 256));
    if (page == 0 || data == nullptr) return Fail(win32::ERROR_INVALID_PARAMETER);
    const auto& answer = page == 0x80 ? drive.vpd80 : drive.vpdC0;
    if (!answer) return Fail(win32::ERROR_IO_DEVICE);
    // The allocation length of the command is 255.
    const std::size_t size = std::min<std::size_t>(answer->size(), 255);
    if (size > 0) std::memcpy(data, answer->data(), size);  // an empty answer has no bytes at all
    auto* block = static_cast<std::uint8_t*>(out);
    if (block != in) std::memcpy(block, in, 80);
    block[2] = 0;  // ScsiStatus: good
    PutLe32(block + 12, static_cast<std::uint32_t>(size));
    *returned = 80;
    return true;
}

}  // namespace

bool Machine::AnswerVolumeRequest(Drive& drive, DWORD code, void* in, DWORD inSize, void* out,
                                  DWORD outSize, DWORD* returned) {
    if (!drive.inquiry) return Fail(win32::ERROR_INVALID_FUNCTION);
    const auto* block = static_cast<Bytes>(in);
    switch (code) {
        case win32::IOCTL_STORAGE_QUERY_PROPERTY:
            return AnswerPropertyQuery(drive, block, inSize, out, outSize, returned);
        case win32::IOCTL_SCSI_PASS_THROUGH_DIRECT:
            return AnswerPassThrough(drive, block, inSize, out, outSize, returned);
        default:
            return Fail(win32::ERROR_INVALID_FUNCTION);
    }
}

}  // namespace sim
