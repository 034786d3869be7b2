// The VWIN32 device of a simulated Windows 98/Me machine and the block-device driver behind
// it: the driver-private inquiry (4404h) and the SCSI pass-through (440Dh, category 48h,
// minor code 96h). Every field of the register block and of the blocks it points to is
// checked; a malformed request fails with ERROR_INVALID_PARAMETER.
#include <cstdio>
#include <cstring>

#include "platform/address32.h"
#include "platform/sim/block_bytes.h"
#include "platform/sim/machine.h"
#include "platform/win32.h"

namespace sim {
namespace {

// The register block: seven 32-bit registers.
enum Register : std::size_t {
    kEbx = 0,
    kEdx = 4,
    kEcx = 8,
    kEax = 12,
    kEdi = 16,
    kEsi = 20,
    kFlags = 24,
};
constexpr std::size_t kRegisterBlockSize = 28;
constexpr std::uint32_t kCarry = 1;

// DOS error codes, returned in EAX with the carry set.
constexpr std::uint32_t kDosInvalidFunction = 0x01;
constexpr std::uint32_t kDosInvalidDrive = 0x0F;
constexpr std::uint32_t kDosGeneralFailure = 0x1F;

// The driver-private request: ECX bytes of P at EDX, C and its data area behind P.
constexpr std::uint32_t kPrivateParameterSize = 130;
constexpr std::uint32_t kPrivateDataSize = 512;
constexpr std::size_t kCommandDataOffset = 16;
constexpr std::size_t kCommandTail = 528;
constexpr std::uint32_t kStatusNoAnswer = 2;  // the device had no answer to the command

// The pass-through request: a 104-byte SCSI_PASS_THROUGH with its sense and data areas.
constexpr std::uint32_t kPassThroughCode = 0x4896;
constexpr std::uint32_t kPassThroughBlockSize = 104;
constexpr std::size_t kPassThroughDataOffset = 66;
constexpr std::size_t kStandardInquirySize = 36;

std::uint32_t Reg(const std::uint8_t* registers, Register r) {
    return Le32(registers + r);
}

bool Fail(DWORD error) {
    win32::SetLastError(error);
    return false;
}

bool Malformed() {
    return Fail(win32::ERROR_INVALID_PARAMETER);
}

bool Carry(std::uint8_t* registers, std::uint32_t dosError) {
    PutLe32(registers + kEax, dosError);
    PutLe32(registers + kFlags, kCarry);
    return true;
}

bool Done(std::uint8_t* registers, std::uint32_t eax) {
    PutLe32(registers + kEax, eax);
    PutLe32(registers + kFlags, 0);
    return true;
}

// "VWIN32 4404h E:": the function in AX and the drive in EBX.
std::string RequestName(const std::uint8_t* registers) {
    const std::uint32_t drive = Reg(registers, kEbx);
    char text[48];
    if (drive >= 1 && drive <= 26) {
        std::snprintf(text, sizeof text, "VWIN32 %04Xh %c:", Reg(registers, kEax) & 0xFFFFu,
                      static_cast<char>('A' + drive - 1));
    } else {
        std::snprintf(text, sizeof text, "VWIN32 %04Xh drive %u", Reg(registers, kEax) & 0xFFFFu,
                      drive);
    }
    return text;
}

// C: the value 1, an INQUIRY of the standard data (36 bytes, C of 529 bytes) or of vital
// product data page 80h or C0h (255 bytes, C of 532 bytes), and zeros after the data area.
bool WellFormedCommand(const std::uint8_t* c, std::size_t size) {
    if (Le32(c) != 1 || !AllZero(c + 10, 6)) return false;
    const std::uint8_t* cdb = c + 4;
    const bool standard = SameBytes(cdb, {0x12, 0x00, 0x00, 0x00, 0x24, 0x00}) && size == 529;
    const bool page = cdb[0] == 0x12 && cdb[1] == 0x01 && (cdb[2] == 0x80 || cdb[2] == 0xC0) &&
                      SameBytes(cdb + 3, {0x00, 0xFF, 0x00}) && size == 532;
    return (standard || page) && AllZero(c + kCommandTail, size - kCommandTail);
}

std::optional<std::vector<std::uint8_t>> DeviceAnswer(const Drive& drive, const std::uint8_t* cdb) {
    if (cdb[1] == 0) return StandardInquiryData(*drive.inquiry);
    return cdb[2] == 0x80 ? drive.vpd80 : drive.vpdC0;
}

bool WellFormedPassThrough(const std::uint8_t* b) {
    return Le16(b) == 44 && AllZero(b + 2, 4) && b[6] == 6 && b[7] == 18 && b[8] == 1 &&
           AllZero(b + 9, 3) && Le32(b + 12) == kStandardInquirySize && Le32(b + 16) == 20 &&
           Le32(b + 20) == kPassThroughDataOffset && Le32(b + 24) == 48 &&
           SameBytes(b + 28, {0x12, 0x00, 0x00, 0x00, 0x24, 0x00}) && AllZero(b + 34, 10) &&
           Le32(b + 44) == kPassThroughBlockSize && AllZero(b + 48, kPassThroughBlockSize - 48);
}

}  // namespace

std::vector<std::uint8_t> StandardInquiryData(const Inquiry& inquiry) {
    std::vector<std::uint8_t> data(kStandardInquirySize, 0);
    data[1] = 0x80;  // removable medium
    data[2] = 0x02;  // SCSI-2
    data[3] = 0x02;  // response data format
    data[4] = static_cast<std::uint8_t>(kStandardInquirySize - 5);
    auto put = [&](std::size_t at, std::string text, std::size_t width) {
        text.resize(width, ' ');
        std::memcpy(&data[at], text.data(), width);
    };
    put(8, inquiry.vendor, 8);
    put(16, inquiry.product, 16);
    put(32, inquiry.revision, 4);
    return data;
}

Drive* Machine::DriveOfNumber(std::uint32_t number) {
    if (number < 1 || number > 26) return nullptr;
    auto it = drives_.find(static_cast<char>('A' + number - 1));
    return it == drives_.end() || !it->second.present ? nullptr : &it->second;
}

bool Machine::AnswerVwin32Request(DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                                  DWORD* returned) {
    if (code != win32::VWIN32_DIOC_DOS_IOCTL) {
        Record("VWIN32 code " + std::to_string(code));
        return Fail(win32::ERROR_NOT_SUPPORTED);
    }
    if (in == nullptr || out == nullptr || inSize != kRegisterBlockSize ||
        outSize != kRegisterBlockSize) {
        Record("VWIN32 malformed register block");
        return Malformed();
    }
    std::uint8_t registers[kRegisterBlockSize];
    std::memcpy(registers, in, sizeof registers);
    Record(RequestName(registers));
    Vwin32Request record;
    record.registers.assign(registers, registers + sizeof registers);
    bool answered = false;
    if (Reg(registers, kFlags) != kCarry) {  // preset by the caller
        answered = Malformed();
    } else if (Reg(registers, kEax) == 0x4404) {
        answered = AnswerDriverPrivateRequest(registers, record);
    } else if (Reg(registers, kEax) == 0x440D) {
        answered = AnswerBlockPassThrough(registers, record);
    } else {
        answered = Carry(registers, kDosInvalidFunction);
    }
    vwin32Requests_.push_back(std::move(record));
    if (!answered) return false;
    std::memcpy(out, registers, sizeof registers);
    if (returned != nullptr) *returned = kRegisterBlockSize;
    return true;
}

bool Machine::AnswerDriverPrivateRequest(std::uint8_t* registers, Vwin32Request& record) {
    Drive* drive = DriveOfNumber(Reg(registers, kEbx));
    if (drive == nullptr) return Carry(registers, kDosInvalidDrive);
    if (drive->blockDriver.privateError != 0) return Fail(drive->blockDriver.privateError);
    if (Reg(registers, kEcx) != kPrivateParameterSize) return Malformed();
    auto* p = static_cast<std::uint8_t*>(
        platform::Address32::Resolve(Reg(registers, kEdx), kPrivateParameterSize));
    if (p == nullptr) return Malformed();
    record.parameters.assign(p, p + 16);
    const std::uint32_t commandToken = Le32(p + 12);
    const std::size_t commandSize = platform::Address32::MappedSize(commandToken);
    auto* c = static_cast<std::uint8_t*>(platform::Address32::Resolve(commandToken, commandSize));
    if (c == nullptr || commandSize <= kCommandTail) return Malformed();
    record.command.assign(c, c + commandSize);
    auto* data =
        static_cast<std::uint8_t*>(platform::Address32::Resolve(Le32(p + 4), kPrivateDataSize));
    if (Le32(p) != kPrivateDataSize || data != c + kCommandDataOffset ||
        !WellFormedCommand(c, commandSize)) {
        return Malformed();
    }
    if (!drive->inquiry || !drive->blockDriver.privateRequest) {
        return Carry(registers, kDosInvalidFunction);
    }
    std::uint32_t status = drive->blockDriver.privateStatus;
    if (status == 0) {
        const auto answer = DeviceAnswer(*drive, c + 4);
        if (answer) {
            // Never more than the command's allocation length.
            std::memcpy(data, answer->data(), std::min<std::size_t>(answer->size(), c[8]));
        } else {
            status = kStatusNoAnswer;
        }
    }
    PutLe32(p + 4, status);
    return Done(registers, kPrivateParameterSize);
}

bool Machine::AnswerBlockPassThrough(std::uint8_t* registers, Vwin32Request& record) {
    Drive* drive = DriveOfNumber(Reg(registers, kEbx));
    if (drive == nullptr) return Carry(registers, kDosInvalidDrive);
    if (drive->blockDriver.passThroughError != 0) return Fail(drive->blockDriver.passThroughError);
    if (Reg(registers, kEcx) != kPassThroughCode || Reg(registers, kEdi) != kPassThroughBlockSize ||
        Reg(registers, kEsi) != 0) {
        return Malformed();
    }
    auto* block = static_cast<std::uint8_t*>(
        platform::Address32::Resolve(Reg(registers, kEdx), kPassThroughBlockSize));
    if (block == nullptr) return Malformed();
    record.parameters.assign(block, block + kPassThroughBlockSize);
    if (!WellFormedPassThrough(block)) return Malformed();
    if (!drive->inquiry || !drive->blockDriver.passThrough) {
        return Carry(registers, kDosInvalidFunction);
    }
    if (drive->blockDriver.passThroughCarry) return Carry(registers, kDosGeneralFailure);
    const auto answer = StandardInquiryData(*drive->inquiry);
    std::memcpy(block + kPassThroughDataOffset, answer.data(), answer.size());
    block[2] = 0;  // ScsiStatus: good
    return Done(registers, kPassThroughBlockSize);
}

}  // namespace sim
