// The simulated volume "\\.\X:" answers the NT-family control requests as a storage driver
// would, and checks every field of every request block: a block that differs from the
// documented one fails with ERROR_INVALID_PARAMETER.
#include <algorithm>
#include <cstring>

#include "platform/address32.h"
#include "platform/sim/machine.h"
#include "platform/volume_request_blocks.h"
#include "platform/win32.h"

namespace sim {
namespace {

using Bytes = const std::uint8_t*;

bool Fail(DWORD error) {
    win32::SetLastError(error);
    return false;
}

bool AllZero(Bytes from, std::size_t count) {
    return std::all_of(from, from + count, [](std::uint8_t b) { return b == 0; });
}

bool AnswerPropertyQuery(const Drive& drive, Bytes in, DWORD inSize, void* out, DWORD outSize,
                         DWORD* returned) {
    // StorageDeviceProperty, PropertyStandardQuery, no additional parameters.
    if (!platform::IsDevicePropertyQuery(in, inSize) || returned == nullptr) {
        return Fail(win32::ERROR_INVALID_PARAMETER);
    }
    if (out == nullptr || outSize < 8) return Fail(win32::ERROR_INSUFFICIENT_BUFFER);
    const Inquiry& inquiry = *drive.inquiry;
    const std::vector<std::uint8_t> descriptor =
        platform::StorageDeviceDescriptor({inquiry.vendor, inquiry.product, inquiry.revision});
    const DWORD size = std::min<DWORD>(outSize, static_cast<DWORD>(descriptor.size()));
    if (size > 0) std::memcpy(out, descriptor.data(), size);
    *returned = size;
    return true;
}

// SCSI_PASS_THROUGH_DIRECT for an INQUIRY of page 80h or C0h, with its filler and sense
// area: the page asked for, or 0 when any field differs from the documented block.
std::uint8_t VpdPageOf(Bytes block) {
    const platform::PassThroughDirect request = platform::ReadPassThroughDirect(block);
    const std::uint8_t* cdb = request.cdb;
    const std::uint8_t page = cdb[2];
    const bool valid = request.length == 44 && request.scsiStatus == 0 && request.pathId == 0 &&
                       request.targetId == 0 && request.lun == 0 && request.cdbLength == 6 &&
                       request.senseInfoLength == 14 && request.dataIn == 1 &&
                       AllZero(block + 9, 3) && request.dataTransferLength == 256 &&
                       request.timeOutValue == 2 && request.senseInfoOffset == 48 &&
                       cdb[0] == 0x12 && cdb[1] == 0x01 && (page == 0x80 || page == 0xC0) &&
                       cdb[3] == 0 && cdb[4] == 0xFF && cdb[5] == 0 && AllZero(block + 34, 80 - 34);
    return valid ? page : 0;
}

bool AnswerPassThrough(const Drive& drive, Bytes in, DWORD inSize, void* out, DWORD outSize,
                       DWORD* returned) {
    if (in == nullptr || out == nullptr || inSize != 80 || outSize != 80 || returned == nullptr) {
        return Fail(win32::ERROR_INVALID_PARAMETER);
    }
    const std::uint8_t page = VpdPageOf(in);
    const std::uint32_t dataBuffer = platform::ReadPassThroughDirect(in).dataBuffer;
    auto* data = static_cast<std::uint8_t*>(platform::Address32::Resolve(dataBuffer, 256));
    if (page == 0 || data == nullptr) return Fail(win32::ERROR_INVALID_PARAMETER);
    const auto& answer = page == 0x80 ? drive.vpd80 : drive.vpdC0;
    if (!answer) return Fail(win32::ERROR_IO_DEVICE);
    // The allocation length of the command is 255.
    const std::size_t size = std::min<std::size_t>(answer->size(), 255);
    if (size > 0) std::memcpy(data, answer->data(), size);  // an empty answer has no bytes at all
    auto* block = static_cast<std::uint8_t*>(out);
    if (block != in) std::memcpy(block, in, 80);
    platform::WritePassThroughResult(block, 0, static_cast<std::uint32_t>(size));  // good
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
