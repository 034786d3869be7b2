#include "platform/posix/volume_requests.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/address32.h"
#include "platform/posix/scsi_identity.h"
#include "platform/volume_request_blocks.h"
#include "platform/win32.h"

namespace platform::posix {
namespace {

using win32::DWORD;

constexpr std::uint8_t kInquiry = 0x12;

bool Fail(DWORD error) {
    win32::SetLastError(error);
    return false;
}

DWORD OpenFailure(int error) {
    if (error == EACCES || error == EPERM) return win32::ERROR_ACCESS_DENIED;
    if (error == ENOENT || error == ENXIO || error == ENODEV)
        return win32::ERROR_DEVICE_NOT_CONNECTED;
    return win32::ERROR_IO_DEVICE;
}

bool AnswerPropertyQuery(const RemovableVolume& volume, ScsiCommands& scsi, const void* in,
                         DWORD inSize, void* out, DWORD outSize, DWORD* returned, int& openError) {
    if (!IsDevicePropertyQuery(in, inSize) || returned == nullptr) {
        return Fail(win32::ERROR_INVALID_PARAMETER);
    }
    if (out == nullptr || outSize < 8) return Fail(win32::ERROR_INSUFFICIENT_BUFFER);
    const auto identity = ReadDeviceIdentity(volume, scsi, openError);
    if (!identity) return Fail(openError != 0 ? OpenFailure(openError) : win32::ERROR_IO_DEVICE);
    const std::vector<std::uint8_t> descriptor = StorageDeviceDescriptor(*identity);
    const DWORD size = std::min<DWORD>(outSize, static_cast<DWORD>(descriptor.size()));
    std::memcpy(out, descriptor.data(), size);
    *returned = size;
    return true;
}

// Only reads are passed on, and only INQUIRY: nothing a block says may write to the disk.
bool IsAcceptable(const PassThroughDirect& request, DWORD outSize) {
    const bool senseFits = request.senseInfoLength == 0 ||
                           (request.senseInfoOffset >= kPassThroughDirectSize &&
                            request.senseInfoOffset + request.senseInfoLength <= outSize);
    return request.length == kPassThroughDirectSize && request.cdbLength >= 6 &&
           request.cdbLength <= 16 && request.dataIn == 1 && request.cdb[0] == kInquiry &&
           senseFits;
}

bool AnswerPassThrough(const RemovableVolume& volume, ScsiCommands& scsi, const void* in,
                       DWORD inSize, void* out, DWORD outSize, DWORD* returned, int& openError) {
    if (in == nullptr || out == nullptr || returned == nullptr || inSize < kPassThroughDirectSize ||
        outSize < kPassThroughDirectSize) {
        return Fail(win32::ERROR_INVALID_PARAMETER);
    }
    const auto* block = static_cast<const std::uint8_t*>(in);
    const PassThroughDirect request = ReadPassThroughDirect(block);
    auto* data = static_cast<std::uint8_t*>(
        Address32::Resolve(request.dataBuffer, request.dataTransferLength));
    if (!IsAcceptable(request, outSize) || (data == nullptr && request.dataTransferLength > 0)) {
        return Fail(win32::ERROR_INVALID_PARAMETER);
    }
    std::uint8_t sense[255] = {};
    const ScsiCommand command{request.cdb,
                              request.cdbLength,
                              data,
                              request.dataTransferLength,
                              sense,
                              request.senseInfoLength,
                              request.timeOutValue * 1000};
    const ScsiResult result = SendInquiry(volume, scsi, command);
    openError = result.openError;
    if (openError != 0) return Fail(OpenFailure(openError));
    if (!result.done) return Fail(win32::ERROR_IO_DEVICE);
    auto* answer = static_cast<std::uint8_t*>(out);
    if (answer != block) std::memcpy(answer, block, std::min(inSize, outSize));
    std::memcpy(answer + request.senseInfoOffset, sense, result.senseLength);
    answer[7] = result.senseLength;  // SenseInfoLength: what the device wrote
    WritePassThroughResult(answer, result.status, result.received);
    *returned = outSize;
    return true;
}

}  // namespace

bool AnswerVolumeRequest(const RemovableVolume& volume, ScsiCommands& scsi, DWORD code, void* in,
                         DWORD inSize, void* out, DWORD outSize, DWORD* returned, int& openError) {
    openError = 0;
    switch (code) {
        case win32::IOCTL_STORAGE_QUERY_PROPERTY:
            return AnswerPropertyQuery(volume, scsi, in, inSize, out, outSize, returned, openError);
        case win32::IOCTL_SCSI_PASS_THROUGH_DIRECT:
            return AnswerPassThrough(volume, scsi, in, inSize, out, outSize, returned, openError);
        default:
            return Fail(win32::ERROR_INVALID_FUNCTION);
    }
}

}  // namespace platform::posix
