// The Windows 98/Me request blocks as the library sends them, byte for byte, and the
// simulated drivers that refuse any block that differs from them.
#include <cstring>

#include "detect/byte_order.h"
#include "detect/win9x_request_blocks.h"
#include "platform/address32.h"
#include "platform/aspi32.h"
#include "platform/win32.h"
#include "win9x_fixture.h"

namespace {

using namespace win32;
using Bytes = std::vector<std::uint8_t>;

class Win9xRequestBlocks : public test::Win9xFixture {
  protected:
    void SetUp() override {
        AddPlayer('E');
        std::memset(command_, 0, sizeof command_);
        std::memset(parameters_, 0, sizeof parameters_);
        std::memset(passThrough_, 0, sizeof passThrough_);
        detect::FillPrivateCommand(command_, detect::kStandardInquiry36);
        detect::FillPrivateParameters(parameters_, dataMap_.Token(), commandMap_.Token());
        detect::FillBlockPassThrough(passThrough_);
    }

    // 0 when the driver answered; the Win32 error of a refused control request; or 0x10000
    // and the DOS error that came back with the carry.
    DWORD Send(const detect::DosRegisters& registers) {
        HANDLE vwin32 = CreateFileA("\\\\.\\VWIN32", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        EXPECT_NE(vwin32, INVALID_HANDLE_VALUE);
        detect::RegisterBlock block = detect::BuildRegisterBlock(registers);
        DWORD returned = 0;
        const BOOL sent = DeviceIoControl(vwin32, VWIN32_DIOC_DOS_IOCTL, block.data(), 28,
                                          block.data(), 28, &returned, nullptr);
        const DWORD error = GetLastError();
        CloseHandle(vwin32);
        if (!sent) return error;
        const detect::DosRegisters out = detect::ReadRegisterBlock(block);
        return (out.flags & 1) != 0 ? 0x10000 | out.eax : 0;
    }
    DWORD SendPrivate() { return Send(detect::PrivateRequestRegisters(5, parameterMap_.Token())); }
    DWORD SendPassThrough() {
        return Send(detect::BlockPassThroughRegisters(5, passThroughMap_.Token()));
    }

    std::uint8_t command_[529] = {};
    std::uint8_t parameters_[130] = {};
    std::uint8_t passThrough_[104] = {};
    platform::Address32 commandMap_{command_, sizeof command_};
    platform::Address32 dataMap_{command_ + 16, 512};
    platform::Address32 parameterMap_{parameters_, sizeof parameters_};
    platform::Address32 passThroughMap_{passThrough_, sizeof passThrough_};
};

Bytes Le32Bytes(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

TEST(Win9xBlocks, TheRegisterBlockHoldsSevenRegistersInItsOrder) {
    detect::DosRegisters registers;
    registers.ebx = 0x11;
    registers.edx = 0x22;
    registers.ecx = 0x33;
    registers.eax = 0x44;
    registers.edi = 0x55;
    registers.esi = 0x66;
    const detect::RegisterBlock block = detect::BuildRegisterBlock(registers);
    Bytes expected;
    for (std::uint32_t value : {0x11u, 0x22u, 0x33u, 0x44u, 0x55u, 0x66u, 1u}) {
        const Bytes field = Le32Bytes(value);
        expected.insert(expected.end(), field.begin(), field.end());
    }
    EXPECT_EQ(Bytes(block.begin(), block.end()), expected);
    EXPECT_EQ(detect::ReadRegisterBlock(block).esi, 0x66u);
    EXPECT_EQ(detect::DriveNumber('a'), 1u);
    EXPECT_EQ(detect::DriveNumber('Z'), 26u);
    EXPECT_EQ(detect::DriveNumber('1'), 0u);
}

TEST_F(Win9xRequestBlocks, MethodsZeroAndOneSendTheDocumentedBlocks) {
    dbtool::Description model = test::ZarnModel();
    model.querySerialFlag = model.queryStateFlag = 0;
    dbtool::Description one = test::ZarnModel("ZJ-30           ");
    one.identMethod = 1;
    WriteDatabase({model, one});
    machine_.FindDrive('E')->blockDriver.privateRequest = false;  // so method 1 runs too
    EXPECT_EQ(Enumerate(), 1);
    const auto requests = machine_.Vwin32Requests();
    ASSERT_EQ(requests.size(), 2u);

    const auto& privateRequest = requests[0];
    const Bytes& r = privateRequest.registers;
    EXPECT_EQ(Bytes(r.begin(), r.begin() + 4), Le32Bytes(5));  // EBX: E: is drive 5
    EXPECT_NE(detect::LoadLe32(&r[4]), 0u);                    // EDX: P
    EXPECT_EQ(Bytes(r.begin() + 8, r.end()),
              (Bytes{130, 0, 0, 0, 0x04, 0x44, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
    const Bytes& p = privateRequest.parameters;
    EXPECT_EQ(Bytes(p.begin(), p.begin() + 4), Le32Bytes(512));
    EXPECT_NE(detect::LoadLe32(&p[4]), 0u);   // C's data area
    EXPECT_NE(detect::LoadLe32(&p[12]), 0u);  // C
    EXPECT_NE(detect::LoadLe32(&p[4]), detect::LoadLe32(&p[12]));
    const Bytes& c = privateRequest.command;
    ASSERT_EQ(c.size(), 529u);
    EXPECT_EQ(Bytes(c.begin(), c.begin() + 16),
              (Bytes{1, 0, 0, 0, 0x12, 0, 0, 0, 0x24, 0, 0, 0, 0, 0, 0, 0}));
    for (std::size_t at = 0; at < 512; ++at) ASSERT_EQ(c[16 + at], at % 256) << at;
    EXPECT_EQ(c[528], 0);

    const auto& passThrough = requests[1];
    const Bytes& r1 = passThrough.registers;
    EXPECT_EQ(Bytes(r1.begin(), r1.begin() + 4), Le32Bytes(5));
    EXPECT_EQ(Bytes(r1.begin() + 8, r1.end()),
              (Bytes{0x96, 0x48, 0, 0, 0x0D, 0x44, 0, 0, 104, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
    Bytes expected(104, 0);
    const Bytes head = {44, 0, 0, 0,  0, 0, 6, 18, 1, 0, 0, 0,    36, 0, 0, 0,    20,
                        0,  0, 0, 66, 0, 0, 0, 48, 0, 0, 0, 0x12, 0,  0, 0, 0x24, 0};
    std::copy(head.begin(), head.end(), expected.begin());
    expected[44] = 104;
    EXPECT_EQ(passThrough.parameters, expected);
}

TEST_F(Win9xRequestBlocks, TheScsiManagerRequestIsTheDocumentedBlock) {
    UseWindowsMe();
    WriteDatabaseForMethod(2);
    AddScsiTarget(0, 0);
    AddScsiTarget(1, 1);
    EXPECT_EQ(Enumerate(), 0);  // nothing registered: only the requests matter here
    const auto requests = machine_.AspiRequests();
    ASSERT_EQ(requests.size(), 4u);
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const Bytes& block = requests[i];
        Bytes expected(80, 0);
        expected[0] = 2;                                 // SC_EXEC_SCSI_CMD
        expected[2] = static_cast<std::uint8_t>(i / 2);  // host adapter
        expected[3] = 0x48;                              // data in, event notification
        expected[8] = static_cast<std::uint8_t>(i % 2);  // target
        expected[12] = 96;                               // buffer length
        expected[20] = 14;                               // sense length
        expected[21] = 6;                                // command length
        const Bytes cdb = {0x12, 0, 0, 0, 0x60, 0};
        std::copy(cdb.begin(), cdb.end(), expected.begin() + 48);
        std::copy(block.begin() + 16, block.begin() + 20, expected.begin() + 16);  // buffer
        std::copy(block.begin() + 24, block.begin() + 28, expected.begin() + 24);  // event
        EXPECT_EQ(block, expected) << "request " << i;
        EXPECT_NE(detect::LoadLe32(&block[16]), 0u);
        EXPECT_NE(detect::LoadLe32(&block[24]), 0u);
    }
}

TEST_F(Win9xRequestBlocks, TheBlockDriverRefusesAMalformedPrivateRequest) {
    ASSERT_EQ(SendPrivate(), 0u);
    EXPECT_EQ(detect::LoadLe32(parameters_ + 4), 0u);  // the status: success
    EXPECT_EQ(std::string(reinterpret_cast<char*>(command_) + 24, 24), "Velmora ZJ-20           ");
    EXPECT_EQ(command_[16 + 36], 36);  // the data area's filling stays behind the answer

    const struct {
        std::uint8_t* block;
        std::size_t offset;
        std::uint8_t value;
    } changes[] = {
        {parameters_, 0, 0xFF}, {parameters_, 4, 0x01}, {parameters_, 12, 0x01},
        {command_, 0, 2},       {command_, 4, 0x13},    {command_, 5, 0x01},
        {command_, 6, 0x80},    {command_, 8, 0x25},    {command_, 9, 1},
        {command_, 10, 1},      {command_, 15, 1},      {command_, 528, 1},
    };
    for (const auto& change : changes) {
        SetUp();
        change.block[change.offset] ^= change.value;
        EXPECT_EQ(SendPrivate(), ERROR_INVALID_PARAMETER)
            << (change.block == command_ ? "C" : "P") << " byte " << change.offset;
    }
    SetUp();
    detect::DosRegisters registers = detect::PrivateRequestRegisters(5, parameterMap_.Token());
    registers.ecx = 129;
    EXPECT_EQ(Send(registers), ERROR_INVALID_PARAMETER);
    registers = detect::PrivateRequestRegisters(5, parameterMap_.Token() + 4);
    EXPECT_EQ(Send(registers), ERROR_INVALID_PARAMETER);
    registers = detect::PrivateRequestRegisters(5, parameterMap_.Token());
    registers.flags = 0;
    EXPECT_EQ(Send(registers), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Send(detect::PrivateRequestRegisters(0, parameterMap_.Token())), 0x10000u | 0x0F);
    EXPECT_EQ(Send(detect::PrivateRequestRegisters(27, parameterMap_.Token())), 0x10000u | 0x0F);
    registers.flags = 1;
    registers.eax = 0x4405;
    EXPECT_EQ(Send(registers), 0x10000u | 0x01);
}

TEST_F(Win9xRequestBlocks, TheBlockDriverRefusesAMalformedPassThrough) {
    ASSERT_EQ(SendPassThrough(), 0u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(passThrough_) + 66 + 8, 24),
              "Velmora ZJ-20           ");
    const std::size_t offsets[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  12, 13, 16,
                                   20, 24, 28, 29, 32, 34, 43, 44, 48, 65, 66, 103};
    for (std::size_t offset : offsets) {
        SetUp();
        passThrough_[offset] ^= 0x01;
        EXPECT_EQ(SendPassThrough(), ERROR_INVALID_PARAMETER) << "byte " << offset;
    }
    SetUp();
    for (auto change : {+[](detect::DosRegisters& r) { r.ecx = 0x4860; },
                        +[](detect::DosRegisters& r) { r.edi = 80; },
                        +[](detect::DosRegisters& r) { r.esi = 1; }}) {
        detect::DosRegisters registers =
            detect::BlockPassThroughRegisters(5, passThroughMap_.Token());
        change(registers);
        EXPECT_EQ(Send(registers), ERROR_INVALID_PARAMETER);
    }
    machine_.FindDrive('E')->inquiry.reset();
    EXPECT_EQ(SendPassThrough(), 0x10000u | 0x01);
}

TEST_F(Win9xRequestBlocks, TheScsiManagerRefusesAMalformedRequest) {
    AddScsiTarget(0, 0);
    HMODULE module = LoadLibraryA("wnaspi32.dll");
    ASSERT_NE(module, nullptr);
    auto send =
        reinterpret_cast<aspi::SendCommandFunction>(GetProcAddress(module, "SendASPI32Command"));
    ASSERT_NE(send, nullptr);
    EXPECT_EQ(GetProcAddress(module, "sendaspi32command"), nullptr);  // exported names are exact
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    std::uint8_t answer[96] = {};
    platform::Address32 buffer(answer, sizeof answer);
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const detect::ScsiManagerRequest good =
        detect::BuildScsiManagerRequest(0, 0, buffer.Token(), event);

    detect::ScsiManagerRequest request = good;
    EXPECT_EQ(send(request.data()), aspi::SS_PENDING);
    EXPECT_EQ(request[aspi::kStatus], aspi::SS_COMP);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(answer) + 8, 8), "Velmora ");

    const struct {
        std::size_t offset;
        std::uint8_t value, status;
    } changes[] = {
        {0, 0x01, aspi::SS_INVALID_CMD},
        {2, 0x01, aspi::SS_INVALID_HA},
        {1, 0x01, 0xE0},
        {3, 0x08, 0xE0},
        {4, 0x01, 0xE0},
        {9, 0x01, 0xE0},
        {10, 0x01, 0xE0},
        {12, 0x01, 0xE0},
        {16, 0x04, 0xE0},
        {20, 0x01, 0xE0},
        {21, 0x01, 0xE0},
        {22, 0x01, 0xE0},
        {23, 0x01, 0xE0},
        {24, 0x40, 0xE0},
        {28, 0x01, 0xE0},
        {47, 0x01, 0xE0},
        {48, 0x01, 0xE0},
        {52, 0x01, 0xE0},
        {54, 0x01, 0xE0},
        {64, 0x01, 0xE0},
        {79, 0x01, 0xE0},
    };
    for (const auto& change : changes) {
        ASSERT_TRUE(ResetEvent(event));
        request = good;
        request[change.offset] ^= change.value;
        EXPECT_EQ(send(request.data()), change.status) << "byte " << change.offset;
        EXPECT_EQ(request[aspi::kStatus], change.status) << "byte " << change.offset;
        EXPECT_EQ(WaitForSingleObject(event, 10), WAIT_TIMEOUT);  // never signalled
    }
    EXPECT_TRUE(CloseHandle(event));
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(module));
}

}  // namespace
