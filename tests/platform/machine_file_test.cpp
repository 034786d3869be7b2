#include "platform/sim/machine_file.h"

#include <gtest/gtest.h>

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
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Load(c.text), nullptr) << c.text;
        EXPECT_NE(error_.find(temp_.PathOf("machine.json")), std::string::npos) << error_;
        EXPECT_NE(error_.find(c.key), std::string::npos) << error_;
    }
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
