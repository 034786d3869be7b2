#include "detect/win9x_request_blocks.h"

#include <algorithm>
#include <cstring>

#include "detect/byte_order.h"
#include "platform/aspi32.h"

namespace detect {
namespace {

constexpr std::uint32_t kPrivateRequestFunction = 0x4404;
constexpr std::uint32_t kBlockPassThroughFunction = 0x440D;
constexpr std::uint32_t kBlockPassThroughCode = 0x4896;  // category 48h, minor code 96h

}  // namespace

CommandBlock VpdPageInquiry(std::uint8_t page) {
    return {0x12, 0x01, page, 0x00, 0xFF, 0x00};
}

RegisterBlock BuildRegisterBlock(const DosRegisters& r) {
    RegisterBlock block{};
    const std::uint32_t values[] = {r.ebx, r.edx, r.ecx, r.eax, r.edi, r.esi, r.flags};
    for (std::size_t i = 0; i < 7; ++i) StoreLe32(&block[4 * i], values[i]);
    return block;
}

DosRegisters ReadRegisterBlock(const RegisterBlock& block) {
    DosRegisters r;
    std::uint32_t* values[] = {&r.ebx, &r.edx, &r.ecx, &r.eax, &r.edi, &r.esi, &r.flags};
    for (std::size_t i = 0; i < 7; ++i) *values[i] = LoadLe32(&block[4 * i]);
    return r;
}

std::uint32_t DriveNumber(char letter) {
    if (letter >= 'a' && letter <= 'z') return static_cast<std::uint32_t>(letter - 'a' + 1);
    if (letter >= 'A' && letter <= 'Z') return static_cast<std::uint32_t>(letter - 'A' + 1);
    return 0;
}

void FillPrivateCommand(std::uint8_t* command, const CommandBlock& cdb) {
    StoreLe32(command, 1);
    std::copy(cdb.begin(), cdb.end(), command + 4);  // then six zeros up to the data area
    for (std::size_t i = 0; i < kPrivateDataSize; ++i) {
        command[kPrivateDataOffset + i] = static_cast<std::uint8_t>(i);
    }
}

void FillPrivateParameters(std::uint8_t* parameters, std::uint32_t dataArea,
                           std::uint32_t command) {
    StoreLe32(parameters, kPrivateDataSize);
    StoreLe32(parameters + 4, dataArea);
    StoreLe32(parameters + 12, command);
}

DosRegisters PrivateRequestRegisters(std::uint32_t driveNumber, std::uint32_t parameters) {
    DosRegisters r;
    r.eax = kPrivateRequestFunction;
    r.ebx = driveNumber;
    r.ecx = kPrivateParameterSize;
    r.edx = parameters;
    return r;
}

void FillBlockPassThrough(std::uint8_t* block) {
    StoreLe16(block, 44);  // Length: the structure without its sense and data areas
    // ScsiStatus, PathId, TargetId and Lun (bytes 2 to 5) stay 0.
    block[6] = 6;                                          // CdbLength
    block[7] = 18;                                         // SenseInfoLength
    block[8] = 1;                                          // DataIn: from the device
    StoreLe32(block + 12, 36);                             // DataTransferLength
    StoreLe32(block + 16, 20);                             // TimeOutValue, seconds
    StoreLe32(block + 20, kBlockPassThroughAnswerOffset);  // DataBufferOffset
    StoreLe32(block + 24, 48);                             // SenseInfoOffset
    std::copy(kStandardInquiry36.begin(), kStandardInquiry36.end(), block + 28);
    StoreLe32(block + 44, kBlockPassThroughSize);
}

DosRegisters BlockPassThroughRegisters(std::uint32_t driveNumber, std::uint32_t copy) {
    DosRegisters r;
    r.eax = kBlockPassThroughFunction;
    r.ebx = driveNumber;
    r.ecx = kBlockPassThroughCode;
    r.edx = copy;
    r.edi = kBlockPassThroughSize;
    r.esi = 0;
    return r;
}

ScsiManagerRequest BuildScsiManagerRequest(std::uint8_t adapter, std::uint8_t target,
                                           std::uint32_t buffer, win32::HANDLE event) {
    using namespace aspi;
    ScsiManagerRequest block{};
    block[kCmd] = SC_EXEC_SCSI_CMD;
    block[kHaId] = adapter;
    block[kFlags] = SRB_DIR_IN | SRB_EVENT_NOTIFY;
    block[kTarget] = target;
    block[kLun] = 0;
    StoreLe32(&block[kBufLen], kScsiManagerAnswerSize);
    StoreLe32(&block[kBufPointer], buffer);
    block[kSenseLen] = kSenseLength;
    block[kCdbLen] = 6;
    // Windows handles are 32-bit values, also to a 64-bit process.
    StoreLe32(&block[kPostProc],
              static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(event)));
    std::copy(kStandardInquiry96.begin(), kStandardInquiry96.end(), &block[kCdb]);
    return block;
}

}  // namespace detect
