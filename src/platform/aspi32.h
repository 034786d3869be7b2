// The SCSI manager library WNASPI32.DLL as 32-bit Windows offers it: its two entry points and
// the 80-byte request block of an SC_EXEC_SCSI_CMD request (SRB_ExecSCSICmd, packed).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32_types.h"

namespace aspi {

using GetSupportInfoFunction = win32::DWORD (*)();
using SendCommandFunction = win32::DWORD (*)(void* requestBlock);

inline constexpr const char* kLibraryName = "WNASPI32.DLL";
inline constexpr const char* kGetSupportInfoName = "GetASPI32SupportInfo";
inline constexpr const char* kSendCommandName = "SendASPI32Command";

// Status codes: the result of SendASPI32Command and the request's SRB_Status; bits 8 to 15
// of GetASPI32SupportInfo's result.
constexpr std::uint8_t SS_PENDING = 0x00;
constexpr std::uint8_t SS_COMP = 0x01;
constexpr std::uint8_t SS_ERR = 0x04;
constexpr std::uint8_t SS_INVALID_CMD = 0x80;
constexpr std::uint8_t SS_INVALID_HA = 0x81;
constexpr std::uint8_t SS_INVALID_SRB = 0xE0;

constexpr std::uint8_t SC_EXEC_SCSI_CMD = 0x02;
constexpr std::uint8_t SRB_DIR_IN = 0x08;
constexpr std::uint8_t SRB_EVENT_NOTIFY = 0x40;
constexpr std::uint8_t HASTAT_SEL_TO = 0x11;  // selection time-out: no device at the target

constexpr std::size_t kExecRequestSize = 80;
constexpr std::size_t kSenseLength = 14;

// Offsets of the members of SRB_ExecSCSICmd.
enum ExecField : std::size_t {
    kCmd = 0,
    kStatus = 1,
    kHaId = 2,
    kFlags = 3,
    kHdrRsvd = 4,
    kTarget = 8,
    kLun = 9,
    kRsvd1 = 10,
    kBufLen = 12,
    kBufPointer = 16,
    kSenseLen = 20,
    kCdbLen = 21,
    kHaStat = 22,
    kTargStat = 23,
    kPostProc = 24,
    kRsvd2 = 28,
    kCdb = 48,
    kSenseArea = 64,
};

}  // namespace aspi
