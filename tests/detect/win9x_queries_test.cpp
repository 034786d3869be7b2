// The serial number and state of a player on Windows 98 and Me: the driver-private request
// with a vital product data page, and its failure paths.
#include "detect/byte_order.h"
#include "detect/device_queries.h"
#include "detect/win9x_routes.h"
#include "win9x_fixture.h"

namespace {

using namespace win32;
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

class Win9xQueries : public test::Win9xFixture {};

TEST_F(Win9xQueries, BothRoutesReadTheSerialNumberAndTheStateThroughTheBlockDriver) {
    sim::Drive& drive = AddPlayer('E');
    for (bool me : {false, true}) {
        SCOPED_TRACE(me ? "Windows Me" : "Windows 98");
        if (me) UseWindowsMe();
        std::uint8_t serial[8] = {};
        EXPECT_EQ(detect::ReadDeviceSerialNumber('e', serial), 0);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(serial), 8), "ZJ001234");
        const struct {
            Bytes page;
            int result, state;
        } rows[] = {
            {{0x00, 0x00}, 0, 0}, {{0x07, 0x00}, 0, 7},  {{0x01, 0x02}, 0, 3},
            {{0x02, 0x02}, 0, 4}, {{0x03, 0x02}, 5, -1}, {{0x00, 0xC0}, 5, -1},
        };
        for (const auto& row : rows) {
            drive.vpdC0 = row.page;
            std::uint8_t state = 0xEE;
            EXPECT_EQ(detect::ReadDeviceState('E', &state), row.result);
            if (row.result == 0) {
                EXPECT_EQ(state, row.state);
            }
        }
    }
    EXPECT_EQ(Calls("VWIN32 4404h E:").size(), 14u);
    EXPECT_EQ(Calls("CloseHandle \\\\.\\VWIN32").size(), 14u);
    EXPECT_TRUE(StandardOutputTexts().empty());
    EXPECT_EQ(machine_.LiveLocalBlocks(), 0u);
}

TEST_F(Win9xQueries, TheQueryBlocksAreThoseOfTheDriverPrivateRequest) {
    AddPlayer('G');
    std::uint8_t serial[8];
    ASSERT_EQ(detect::ReadDeviceSerialNumber('G', serial), 0);
    std::uint8_t state;
    ASSERT_EQ(detect::ReadDeviceState('G', &state), 0);
    const auto requests = machine_.Vwin32Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& request = requests[i];
        const Bytes& r = request.registers;
        EXPECT_EQ(detect::LoadLe32(&r[0]), 7u);        // EBX: G: is drive 7
        EXPECT_EQ(detect::LoadLe32(&r[8]), 130u);      // ECX
        EXPECT_EQ(detect::LoadLe32(&r[12]), 0x4404u);  // EAX
        EXPECT_EQ(detect::LoadLe32(&r[24]), 1u);       // flags: carry preset
        EXPECT_EQ(detect::LoadLe32(&request.parameters[0]), 512u);
        ASSERT_EQ(request.command.size(), 532u);
        const std::uint8_t page = i == 0 ? 0x80 : 0xC0;
        const Bytes head = {1, 0, 0, 0, 0x12, 0x01, page, 0x00, 0xFF, 0x00, 0, 0, 0, 0, 0, 0};
        EXPECT_EQ(Bytes(request.command.begin(), request.command.begin() + 16), head);
        for (std::size_t at = 0; at < 512; ++at) {
            ASSERT_EQ(request.command[16 + at], at % 256) << "data byte " << at;
        }
        EXPECT_EQ(Bytes(request.command.begin() + 528, request.command.end()), Bytes(4, 0));
    }
    const auto opens = machine_.HandleOpens();
    ASSERT_EQ(opens.size(), 2u);
    EXPECT_EQ(opens[0].name, "\\\\.\\VWIN32");
    EXPECT_EQ(opens[0].access, GENERIC_READ);
    EXPECT_EQ(opens[0].share, 0u);
    EXPECT_EQ(opens[0].creation, OPEN_EXISTING);
    EXPECT_EQ(opens[0].flags, FILE_FLAG_DELETE_ON_CLOSE);
}

TEST_F(Win9xQueries, FailuresGiveTheirCodes) {
    sim::Drive& drive = AddPlayer('E');
    std::uint8_t bytes[8] = {};
    EXPECT_EQ(detect::ReadDeviceSerialNumber('E', nullptr), 2);
    EXPECT_EQ(detect::ReadDeviceState('E', nullptr), 2);

    drive.vpd80.reset();  // the device has no answer: the driver reports a nonzero status
    EXPECT_EQ(detect::ReadDeviceSerialNumber('E', bytes), 2);
    drive.blockDriver.privateStatus = 0x0B;
    EXPECT_EQ(detect::ReadDeviceState('E', bytes), 2);
    drive.blockDriver.privateRequest = false;  // P comes back untouched
    EXPECT_EQ(detect::ReadDeviceState('E', bytes), 2);
    EXPECT_TRUE(StandardOutputTexts().empty());

    drive.blockDriver.privateError = ERROR_GEN_FAILURE;
    EXPECT_EQ(detect::ReadDeviceState('E', bytes), 2);
    EXPECT_EQ(StandardOutputTexts(), Texts{"SF_GenericCallDirver(): GetLastError = 31\n"});

    drive.blockDriver = {};
    machine_.FailLocalAllocAt(1);
    EXPECT_EQ(detect::ReadDeviceSerialNumber('E', bytes), 2);
    EXPECT_EQ(detect::ReadDeviceState('E', bytes), 0);
    EXPECT_EQ(detect::ReadDeviceState('Q', bytes), 2);  // no such drive: the driver refuses

    // Without a VWIN32 device (an NT machine asked the Windows 98 way): -1.
    machine_.SetWindowsVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    EXPECT_EQ(detect::ReadWin9xSerialNumber(1, 'E', bytes), -1);
    EXPECT_EQ(detect::ReadWin9xDeviceState(2, 'E', bytes), -1);
    EXPECT_EQ(machine_.LiveLocalBlocks(), 0u);
}

TEST_F(Win9xQueries, TheEnumerationReportsAPlayerWhoseQueriesFail) {
    WriteDatabase({test::ZarnModel()});
    sim::Drive& drive = AddPlayer('E');
    drive.vpdC0 = Bytes{0x02, 0x00};
    ASSERT_EQ(Enumerate(), 1);
    EXPECT_STREQ(reported_[0].desc.serialNumber, "ZJ001234");
    EXPECT_EQ(reported_[0].desc.deviceState, 2);
    EXPECT_EQ(reported_[0].desc.hasSystemFiles, 0u);

    drive.vpd80.reset();
    drive.vpdC0.reset();
    ASSERT_EQ(Enumerate(), 1);
    EXPECT_EQ(std::string(reported_[0].desc.serialNumber, 9), std::string(9, '\0'));
    EXPECT_EQ(reported_[0].desc.deviceState, -1);
    EXPECT_EQ(reported_[0].desc.hasSystemFiles, 0u);
}

}  // namespace
