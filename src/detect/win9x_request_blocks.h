// The Windows 98/Me request blocks, built byte by byte at their documented offsets: the VWIN32
// register block, the driver-private request's P and C, the pass-through block and the SCSI
// manager request. Addresses inside them are 32-bit tokens (platform::Address32).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/win32_types.h"

namespace detect {

// Six-byte command descriptor blocks.
using CommandBlock = std::array<std::uint8_t, 6>;
constexpr CommandBlock kStandardInquiry36 = {0x12, 0x00, 0x00, 0x00, 0x24, 0x00};
constexpr CommandBlock kStandardInquiry96 = {0x12, 0x00, 0x00, 0x00, 0x60, 0x00};
CommandBlock VpdPageInquiry(std::uint8_t page);  // 12 01 page 00 FF 00

// The VWIN32 register block: EBX, EDX, ECX, EAX, EDI, ESI and flags, 32 bits each. The flags
// are preset to 1, the carry set.
struct DosRegisters {
    std::uint32_t ebx = 0;
    std::uint32_t edx = 0;
    std::uint32_t ecx = 0;
    std::uint32_t eax = 0;
    std::uint32_t edi = 0;
    std::uint32_t esi = 0;
    std::uint32_t flags = 1;
};
constexpr std::uint32_t kCarryFlag = 1;
constexpr std::size_t kRegisterBlockSize = 28;
using RegisterBlock = std::array<std::uint8_t, kRegisterBlockSize>;
RegisterBlock BuildRegisterBlock(const DosRegisters& registers);
DosRegisters ReadRegisterBlock(const RegisterBlock& block);

// The drive number of a letter, A: = 1 (either case); 0 for anything but a letter.
std::uint32_t DriveNumber(char letter);

// Driver-private request (4404h). ECX counts the bytes of P, which the driver may use whole.
constexpr std::size_t kPrivateParameterSize = 130;
constexpr std::size_t kPrivateDataOffset = 16;
constexpr std::size_t kPrivateDataSize = 512;
constexpr std::size_t kPrivateCommandSizeIdentify = 529;
constexpr std::size_t kPrivateCommandSizeQuery = 532;
constexpr std::size_t kPrivateStatusOffset = 4;  // of P, after the request
// C, zero-filled beforehand: 1, the command block, and the data area filled with 0, 1, ...,
// 255, 0, 1, ..., 255.
void FillPrivateCommand(std::uint8_t* command, const CommandBlock& cdb);
// P, zero-filled beforehand: the data length, the data area of C, (not set), C.
void FillPrivateParameters(std::uint8_t* parameters, std::uint32_t dataArea, std::uint32_t command);
DosRegisters PrivateRequestRegisters(std::uint32_t driveNumber, std::uint32_t parameters);

// Pass-through request (440Dh, category 48h, minor code 96h): SCSI_PASS_THROUGH, the total
// size at 44, the sense area at 48 and the answer at 66.
constexpr std::size_t kBlockPassThroughSize = 104;
constexpr std::size_t kBlockPassThroughAnswerOffset = 66;
// Into a zero-filled block.
void FillBlockPassThrough(std::uint8_t* block);
DosRegisters BlockPassThroughRegisters(std::uint32_t driveNumber, std::uint32_t copy);

// SCSI manager request: SRB_ExecSCSICmd for an INQUIRY of 96 bytes, completion by event.
constexpr std::size_t kScsiManagerAnswerSize = 96;
using ScsiManagerRequest = std::array<std::uint8_t, 80>;
ScsiManagerRequest BuildScsiManagerRequest(std::uint8_t adapter, std::uint8_t target,
                                           std::uint32_t buffer, win32::HANDLE event);

}  // namespace detect
