#include "kpz/detection.h"
#include "support/sim_fixture.h"

namespace {

using namespace win32;

class Presence : public test::SimFixture {};

TEST_F(Presence, APlayerIsPresentWhileItsRootAndFreeSpaceCanBeRead) {
    AddDrive('E');
    machine_.AddDrive('F', DRIVE_REMOVABLE, std::nullopt);  // no medium
    EXPECT_EQ(KPZPortableDeviceDetectionIsPresent('E'), 1);
    EXPECT_EQ(KPZPortableDeviceDetectionIsPresent('e'), 1);
    EXPECT_EQ(KPZPortableDeviceDetectionIsPresent('F'), 0);
    EXPECT_EQ(KPZPortableDeviceDetectionIsPresent('Q'), 0);
    machine_.Unplug('E');
    EXPECT_EQ(KPZPortableDeviceDetectionIsPresent('E'), 0);
    // Prompts off around the probe, back on after it, for every call.
    std::vector<UINT> expected;
    for (int i = 0; i < 5; ++i) expected.insert(expected.end(), {SEM_FAILCRITICALERRORS, 0});
    EXPECT_EQ(machine_.ErrorModes(), expected);
    EXPECT_TRUE(ui_.Boxes().empty());
}

}  // namespace
