#include <stdexcept>

#include "detect/supported_devices.h"
#include "detect_fixture.h"

namespace {

using namespace win32;
using Bytes = std::vector<std::uint8_t>;

class Enumeration : public test::DetectFixture {
  protected:
    void SetUp() override { WriteDatabase({test::ZarnModel()}); }

    static int StopAtFirst(tagPORTDEVINFO& device, long value) {
        Keep(device, value);
        return 0;
    }
};

TEST_F(Enumeration, ReportsEveryPlayerInDriveOrder) {
    AddPlayer('G');
    AddPlayer('E');
    AddPlayer('F', "Velmora ", "Other           ");  // removable, but no supported model
    tagPORTDEVCONFLICTDIALOGINFO conflict;
    reported_.clear();
    EXPECT_EQ(KPZPortableDeviceDetectionEnumDevices(kDatabase, &Keep, conflict, 42), 2);
    ASSERT_EQ(reported_.size(), 2u);
    EXPECT_EQ(reported_[0].driveLetter, 'E');
    EXPECT_EQ(reported_[1].driveLetter, 'G');
    EXPECT_STREQ(reported_[1].desc.displayName, "Zarn Jukebox 20");
    EXPECT_STREQ(reported_[1].desc.serialNumber, "ZJ001234");
    EXPECT_EQ(reported_[1].desc.systemFiles.size(), 2u);
    EXPECT_EQ(OpenedVolumes(), "EEEFGGG");            // identify, serial, state for each player
    EXPECT_TRUE(detect::g_supportedDevices.empty());  // freed when the scan ends
}

TEST_F(Enumeration, NeverProbesAOrBOrDrivesThatAreNotRemovable) {
    AddPlayer('A');
    AddPlayer('B');
    AddPlayer('D').type = DRIVE_CDROM;
    AddPlayer('H').type = DRIVE_FIXED;
    AddPlayer('K').present = false;
    EXPECT_EQ(Enumerate(), 0);
    EXPECT_TRUE(reported_.empty());
    EXPECT_TRUE(machine_.HandleOpens().empty());
}

TEST_F(Enumeration, ACallbackThatStopsEndsTheScanAtOnce) {
    AddPlayer('E');
    AddPlayer('G');
    EXPECT_EQ(Enumerate(&StopAtFirst), -1);
    EXPECT_EQ(reported_.size(), 1u);
    EXPECT_EQ(OpenedVolumes(), "EEE");
}

TEST_F(Enumeration, WithoutACallbackThePlayersAreCounted) {
    AddPlayer('E');
    AddPlayer('Z');
    EXPECT_EQ(Enumerate(nullptr), 2);
}

TEST_F(Enumeration, ADatabaseThatFailsToLoadScansNothing) {
    AddPlayer('E');
    test::WriteHostFile(Host(kDatabase), "KPZ");
    EXPECT_EQ(Enumerate(), 0);
    EXPECT_TRUE(reported_.empty());
    EXPECT_TRUE(machine_.HandleOpens().empty());
    EXPECT_TRUE(machine_.ErrorModes().empty());
}

TEST_F(Enumeration, AnExceptionInsideTheScanGivesZero) {
    AddPlayer('E');
    auto throwing = [](tagPORTDEVINFO&, long) -> int { throw std::runtime_error("caller"); };
    EXPECT_EQ(Enumerate(throwing), 0);
    EXPECT_TRUE(detect::g_supportedDevices.empty());
}

TEST_F(Enumeration, PlayersThatIdentifyButCannotBeReadAreNotReported) {
    AddPlayer('E').folder.reset();   // no medium: its root cannot be read
    AddPlayer('F').inquiry.reset();  // the volume refuses control requests
    AddPlayer('G').freeBytes = 0;    // full, but reachable
    EXPECT_EQ(Enumerate(), 1);
    EXPECT_EQ(reported_.at(0).driveLetter, 'G');
    EXPECT_EQ(OpenedVolumes(), "EFGGG");
}

TEST_F(Enumeration, CriticalErrorPromptsAreSwitchedWhereTheScanProbes) {
    AddPlayer('E');                                  // player: identify, access, 2 queries
    AddPlayer('F', "Velmora ", "Other           ");  // not a player: identify only
    AddPlayer('G').folder.reset();                   // player without medium: access fails
    EXPECT_EQ(Enumerate(), 1);
    constexpr UINT off = SEM_FAILCRITICALERRORS;
    EXPECT_EQ(machine_.ErrorModes(), (std::vector<UINT>{off,             // the scan
                                                        off, off, 0,     // E: identify, access
                                                        off, off,        // E: serial, state
                                                        off,             // F: identify
                                                        off, off, 0}));  // G: identify, access
    EXPECT_TRUE(ui_.Boxes().empty());
}

TEST_F(Enumeration, SerialAndStateQueriesCompleteTheRecord) {
    const struct {
        const char* name;
        std::uint32_t querySerial, queryState;
        std::optional<Bytes> vpd80, vpdC0;
        const char* serial;
        std::int32_t state;
        std::uint32_t hasSystemFiles;
    } rows[] = {
        {"both read", 1, 1, Bytes{0, 0x80, 0, 8, 'A', 'B', 'C', 'D', '1', '2', '3', '4', 'x'},
         Bytes{0, 0}, "ABCD1234", 0, 1},
        {"serial fails", 1, 0, std::nullopt, Bytes{0, 0}, "", -1, 1},
        {"serial not asked", 0, 0, Bytes{0, 0x80, 0, 8, 'A', 'B', 'C', 'D', '1', '2', '3', '4'},
         Bytes{0, 0}, "", -1, 1},
        {"state 7", 0, 1, std::nullopt, Bytes{7, 0}, "", 7, 0},
        {"state byte FFh is -1", 0, 1, std::nullopt, Bytes{0xFF, 0}, "", -1, 0},
        {"second form, 1", 0, 1, std::nullopt, Bytes{1, 2}, "", 3, 0},
        {"second form, 2", 0, 1, std::nullopt, Bytes{2, 2}, "", 4, 0},
        {"second form, 3", 0, 1, std::nullopt, Bytes{3, 2}, "", -1, 0},
        {"standard page form", 0, 1, std::nullopt, Bytes{0, 0xC0, 0, 1, 0}, "", -1, 0},
        {"state fails", 0, 1, std::nullopt, std::nullopt, "", -1, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        dbtool::Description model = test::ZarnModel();
        model.querySerialFlag = row.querySerial;
        model.queryStateFlag = row.queryState;
        WriteDatabase({model});
        sim::Drive& drive = AddPlayer('E');
        drive.vpd80 = row.vpd80;
        drive.vpdC0 = row.vpdC0;
        ASSERT_EQ(Enumerate(), 1);
        const tagPORTDEVDESC& desc = reported_.at(0).desc;
        EXPECT_EQ(std::string(desc.serialNumber, 9),
                  std::string(row.serial).append(9 - std::strlen(row.serial), '\0'));
        EXPECT_EQ(desc.deviceState, row.state);
        EXPECT_EQ(desc.hasSystemFiles, row.hasSystemFiles);
    }
}

}  // namespace
