#include "platform/sim/machine_file.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/aspi32.h"
#include "platform/win32.h"
#include "support/temp_dir.h"

namespace {

using namespace win32;

class MachineFile : public ::testing::Test {
  protected:
    void SetUp() override {
        temp_.MakeFolder("c");
        temp_.MakeFolder("e");
    }

    std::unique_ptr<sim::Machine> Load(const std::string& text) {
        const std::string path = temp_.PathOf("machine.json");
        test::WriteHostFile(path, text);
        error_.clear();
        return sim::LoadMachineFile(path, error_);
    }

    test::TempDir temp_;
    std::string error_;
};

TEST_F(MachineFile, LoadsTheDocumentedExample) {
    auto machine = Load(R"({
      "windows": { "platformId": 2, "major": 5, "minor": 1 },
      "program": "C:\\Program Files\\Zarn\\KPZPortableDeviceSystemFileUpdater.exe",
      "localTime": "2026-12-08T09:05:07",
      "drives": {
        "C": { "type": "fixed", "folder": "c" },
        "E": {
          "type": "removable", "folder": "e",
          "freeBytes": 500000000,
          "present": true,
          "inquiry": { "vendor": "Velmora ", "product": "ZJ-20", "revision": "1.00" },
          "vpd80Hex": "008000085a4a303030313233",
          "vpdC0Hex": "0000",
          "unplugAfterOps": 0
        },
        "g": { "type": "removable" }
      }
    })");
    ASSERT_NE(machine, nullptr) << error_;
    platform::ScopedSystem guard(*machine);
    EXPECT_EQ(GetDriveTypeA("E:\\"), DRIVE_REMOVABLE);
    EXPECT_EQ(GetLogicalDrives(), (1u << 2) | (1u << 4) | (1u << 6));
    ULARGE_INTEGER free{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("E:\\", &free, nullptr, nullptr));
    EXPECT_EQ(free.QuadPart, 500000000u);
    EXPECT_EQ(GetFileAttributesA("G:\\."), INVALID_FILE_ATTRIBUTES);  // no medium

    const sim::Drive* e = machine->FindDrive('E');
    ASSERT_TRUE(e->inquiry.has_value());
    EXPECT_EQ(e->inquiry->vendor, "Velmora ");
    EXPECT_EQ(e->inquiry->product, "ZJ-20           ");  // padded as INQUIRY data is
    EXPECT_EQ(e->inquiry->revision, "1.00");
    EXPECT_EQ(*e->vpd80, (std::vector<std::uint8_t>{0x00, 0x80, 0x00, 0x08, 'Z', 'J', '0', '0', '0',
                                                    '1', '2', '3'}));
    EXPECT_EQ(*e->vpdC0, (std::vector<std::uint8_t>{0, 0}));
    EXPECT_FALSE(machine->FindDrive('G')->inquiry.has_value());

    SYSTEMTIME time{};
    GetLocalTime(&time);
    EXPECT_EQ(time.wYear, 2026);
    EXPECT_EQ(time.wDayOfWeek, 2);  // a Tuesday
    EXPECT_EQ(time.wHour, 9);
}

TEST_F(MachineFile, RefusesFaultsNamingTheFileAndTheKey) {
    struct Case {
        const char* text;
        const char* key;
    } const cases[] = {
        {R"({"drive": {}})", "\"drive\""},
        {R"({"drives": {"E": {"type": "removable", "colour": 1}}})", "\"drives.E.colour\""},
        {R"({"drives": {"E": {"type": 2}}})", "\"drives.E.type\""},
        {R"({"drives": {"E": {"type": "floppy"}}})", "\"drives.E.type\""},
        {R"({"drives": {"E": {"folder": "e"}}})", "\"drives.E.type\""},
        {R"({"drives": {"E": {"type": "removable", "folder": "missing"}}})", "\"drives.E.folder\""},
        {R"({"drives": {"EE": {"type": "removable"}}})", "\"drives.EE\""},
        {R"({"drives": {"E": {"type": "removable", "freeBytes": -1}}})", "\"drives.E.freeBytes\""},
        {R"({"drives": {"E": {"type": "removable", "present": 1}}})", "\"drives.E.present\""},
        {R"({"drives": {"E": {"type": "removable", "vpd80Hex": "0g"}}})", "\"drives.E.vpd80Hex\""},
        {R"({"drives": {"E": {"type": "removable", "vpdC0Hex": "000"}}})", "\"drives.E.vpdC0Hex\""},
        {R"({"drives": {"E": {"type": "removable", "inquiry": {"vendor": "TOOLONGVENDOR", "product": "x"}}}})",
         "\"drives.E.inquiry.vendor\""},
        {R"({"windows": {"platformId": 2, "major": 5}})", "\"windows.minor\""},
        {R"({"localTime": "yesterday"})", "\"localTime\""},
        {R"({"program": 7})", "\"program\""},
        {R"({"drives": {"E": {"type": "removable", "blockDriver": {"privateStatus": -1}}}})",
         "\"drives.E.blockDriver.privateStatus\""},
        {R"({"drives": {"E": {"type": "removable", "blockDriver": {"passThrough": 1}}}})",
         "\"drives.E.blockDriver.passThrough\""},
        {R"({"drives": {"E": {"type": "removable", "blockDriver": {"privateError": 4294967296}}}})",
         "\"drives.E.blockDriver.privateError\""},
        {R"({"setupDiskDrives": {"devices": [{"hardwareId": 1}]}})",
         "\"setupDiskDrives.devices[0].hardwareId\""},
        {R"({"setupDiskDrives": {"devices": [{}, {"colour": 1}]}})",
         "\"setupDiskDrives.devices[1].colour\""},
        {R"({"setupDiskDrives": {"fails": "no"}})", "\"setupDiskDrives.fails\""},
        {R"({"registry": {"ENUM\\SCSI\\X": {"0001": {"Int13": "0g"}}}})",
         "\"registry.ENUM\\SCSI\\X.0001.Int13\""},
        {R"({"registry": {"ENUM\\SCSI\\X": 1}})", "\"registry.ENUM\\SCSI\\X\""},
        {R"({"aspi": {"supportInfo": "257"}})", "\"aspi.supportInfo\""},
        {R"({"aspi": {"adapters": [{"targets": [{"completesAtOnce": true}]}]}})",
         "\"aspi.adapters[0].targets[0].inquiry\""},
        {R"({"aspi": {"adapters": [{"targets": [{"inquiry": {"vendor": "V", "product": "P"},
             "completesAtOnce": 1}]}]}})",
         "\"aspi.adapters[0].targets[0].completesAtOnce\""},
        {R"({"aspi": {"adapters": {}}})", "\"aspi.adapters\""},
    };
    // A folder name no host file system takes: refused, not thrown through the loader.
    const std::string longFolder = R"({"drives": {"E": {"type": "removable", "folder": ")" +
                                   std::string(5000, '6') + R"("}}})";
    std::vector<Case> all(std::begin(cases), std::end(cases));
    all.push_back({longFolder.c_str(), "\"drives.E.folder\""});
    for (const auto& c : all) {
        EXPECT_EQ(Load(c.text), nullptr) << c.text;
        EXPECT_NE(error_.find(temp_.PathOf("machine.json")), std::string::npos) << error_;
        EXPECT_NE(error_.find(c.key), std::string::npos) << error_;
    }
}

TEST_F(MachineFile, LoadsTheWindows98AndMeServices) {
    auto machine = Load(R"({
      "windows": { "platformId": 1, "major": 4, "minor": 10 },
      "drives": { "E": { "type": "removable", "folder": "e",
          "inquiry": { "vendor": "Velmora ", "product": "ZJ-20           ", "revision": "1.00" },
          "vpd80Hex": "008000085a4a303030313233", "vpdC0Hex": "0000",
          "blockDriver": { "privateRequest": true, "privateStatus": 7, "privateError": 0,
                           "passThrough": false, "passThroughCarry": true,
                           "passThroughError": 50 } } },
      "setupDiskDrives": { "fails": false, "devices": [
          { "hardwareId": "Velmora ZJ-20           1.00", "deviceDesc": "Velmora  ZJ-20           " },
          { "hardwareIdError": 13 }, { "hardwareId": "X", "deviceDescError": 13 } ] },
      "registry": { "ENUM\\SCSI\\Velmora_ZJ-20___________": {
          "0001": { "Int13": "01", "PModeInt13": "0102", "CurrentDriveLetterAssignment": "E" } } },
      "aspi": { "present": true, "supportInfo": 257, "adapters": [
          { "targets": [ { "inquiry": { "vendor": "Velmora ", "product": "ZJ-20", "revision": "1.00" },
                           "completesAtOnce": true }, null ] } ] }
    })");
    ASSERT_NE(machine, nullptr) << error_;
    const sim::BlockDriver& driver = machine->FindDrive('E')->blockDriver;
    EXPECT_TRUE(driver.privateRequest);
    EXPECT_EQ(driver.privateStatus, 7u);
    EXPECT_FALSE(driver.passThrough);
    EXPECT_TRUE(driver.passThroughCarry);
    EXPECT_EQ(driver.passThroughError, 50u);
    const auto& devices = machine->DiskDrives().devices;
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[0].deviceDesc, "Velmora  ZJ-20           ");
    EXPECT_EQ(devices[1].hardwareIdError, 13u);
    EXPECT_FALSE(devices[1].hardwareId.has_value());
    EXPECT_EQ(devices[2].deviceDescError, 13u);

    sim::RegistryKey* instance =
        machine->LocalMachineKey().FindSubkey("ENUM\\SCSI\\Velmora_ZJ-20___________\\0001");
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(instance->FindValue("PModeInt13")->data, (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(instance->FindValue("PModeInt13")->type, REG_BINARY);
    const sim::RegistryValue* letter = instance->FindValue("CurrentDriveLetterAssignment");
    EXPECT_EQ(letter->type, REG_SZ);
    EXPECT_EQ(letter->data, (std::vector<std::uint8_t>{'E', 0}));

    platform::ScopedSystem guard(*machine);
    HMODULE module = LoadLibraryA("WNASPI32.DLL");
    ASSERT_NE(module, nullptr);
    auto supportInfo = reinterpret_cast<aspi::GetSupportInfoFunction>(
        GetProcAddress(module, "GetASPI32SupportInfo"));
    EXPECT_EQ(supportInfo(), 257u);
    FreeLibrary(module);

    auto absent = Load(R"({"aspi": {"present": false}})");
    ASSERT_NE(absent, nullptr) << error_;
    platform::ScopedSystem absentGuard(*absent);
    EXPECT_EQ(LoadLibraryA("WNASPI32.DLL"), nullptr);
}

TEST_F(MachineFile, RefusesFilesThatAreNotJsonOrNotThere) {
    EXPECT_EQ(Load("{ not json"), nullptr);
    EXPECT_NE(error_.find("not a JSON machine file"), std::string::npos) << error_;
    std::string error;
    EXPECT_EQ(sim::LoadMachineFile(temp_.PathOf("none.json"), error), nullptr);
    EXPECT_NE(error.find("none.json: cannot be opened"), std::string::npos) << error;
}

// The inquiry texts are held in the code page the database uses, so the same name matches.
TEST_F(MachineFile, InquiryTextsInTheSystemCodePage) {
    auto machine = Load(R"({"drives": {"E": {"type": "removable", "folder": "e",
        "inquiry": {"vendor": "V\u00e9lmora", "product": "ZJ-\u00c9T\u00c9"}}}})");
    ASSERT_NE(machine, nullptr) << error_;
    const sim::Drive* drive = machine->FindDrive('E');
    ASSERT_TRUE(drive != nullptr && drive->inquiry);
    EXPECT_EQ(drive->inquiry->vendor, "V\xE9lmora ");
    EXPECT_EQ(drive->inquiry->product, "ZJ-\xC9T\xC9          ");
    EXPECT_EQ(Load(R"({"drives": {"E": {"type": "removable", "folder": "e",
        "inquiry": {"vendor": "\u4e2d", "product": "ZJ-20"}}}})"),
              nullptr);
    EXPECT_NE(error_.find("Windows-1252"), std::string::npos) << error_;
}

}  // namespace
