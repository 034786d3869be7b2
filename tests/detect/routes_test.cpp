#include "detect/device_queries.h"
#include "detect/platform_route.h"
#include "detect_fixture.h"

namespace {

using namespace win32;

class PlatformRoutes : public test::DetectFixture {};

TEST_F(PlatformRoutes, TheVersionDecidesTheRouteAndWhetherPlayersAreFound) {
    AddPlayer('E');
    WriteDatabase({test::ZarnModel()});
    const struct {
        DWORD platformId, major, minor;
        int route;
    } rows[] = {
        {VER_PLATFORM_WIN32_NT, 5, 0, 3},       {VER_PLATFORM_WIN32_NT, 5, 1, 4},
        {VER_PLATFORM_WIN32_NT, 6, 0, 3},       {VER_PLATFORM_WIN32_NT, 10, 1, 4},
        {VER_PLATFORM_WIN32_NT, 5, 2, 0},       {VER_PLATFORM_WIN32_NT, 4, 0, 0},
        {VER_PLATFORM_WIN32_NT, 4, 1, 0},       {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 1},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 2}, {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0},
        {VER_PLATFORM_WIN32_WINDOWS, 5, 10, 0}, {0, 5, 1, 0},
    };
    std::size_t opens = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.platformId << " " << row.major << "." << row.minor);
        machine_.SetWindowsVersion(row.platformId, row.major, row.minor);
        EXPECT_EQ(detect::DeterminePlatformRoute(), row.route);
        const bool supported = row.route >= 1;
        EXPECT_EQ(Enumerate(), supported ? 1 : 0);
        opens += supported ? 3 : 0;  // the volume or VWIN32: identify, serial, state
        EXPECT_EQ(machine_.HandleOpens().size(), opens);
    }
    machine_.SetWindowsVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    machine_.SetVersionQueryFails(true);
    EXPECT_EQ(detect::DeterminePlatformRoute(), -1);
    EXPECT_EQ(Enumerate(), 0);
    EXPECT_EQ(machine_.HandleOpens().size(), opens);
}

TEST_F(PlatformRoutes, QueriesOnAnUnsupportedVersionAreRefused) {
    AddPlayer('E');
    std::uint8_t bytes[8] = {};
    for (DWORD minor : {0u, 95u}) {  // Windows 95 and an unknown member of its family
        machine_.SetWindowsVersion(VER_PLATFORM_WIN32_WINDOWS, 4, minor);
        EXPECT_EQ(detect::ReadDeviceSerialNumber('E', bytes), 1);
        EXPECT_EQ(detect::ReadDeviceState('E', bytes), 1);
    }
    machine_.SetWindowsVersion(VER_PLATFORM_WIN32_NT, 4, 0);
    EXPECT_EQ(detect::ReadDeviceSerialNumber('E', bytes), 1);
    EXPECT_TRUE(machine_.HandleOpens().empty());
    machine_.SetWindowsVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    EXPECT_EQ(detect::ReadDeviceSerialNumber('E', nullptr), 2);
    EXPECT_EQ(detect::ReadDeviceSerialNumber('Q', bytes), 2);  // no such volume
    EXPECT_EQ(detect::ReadDeviceSerialNumber('E', bytes), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 8), "ZJ001234");
}

}  // namespace
