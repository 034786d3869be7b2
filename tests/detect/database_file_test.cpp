#include "detect/database_file.h"

#include <filesystem>

#include "database/description_json.h"
#include "detect/supported_devices.h"
#include "detect_fixture.h"

namespace {

using dbtool::Description;
using dbtool::FormatVersion;
using detect::g_supportedDevices;
using detect::LoadSupportedDevices;

class DatabaseFile : public test::DetectFixture {
  protected:
    std::vector<Description> Loaded() const {
        std::vector<Description> entries;
        for (const auto& entry : g_supportedDevices) entries.push_back(dbtool::FromRecord(*entry));
        return entries;
    }
    std::string Products() const {
        std::string products;
        for (const auto& entry : g_supportedDevices) products += entry->productId[0];
        return products;
    }
    void WriteEntries(const std::string& products, int announced = -1) {
        dbtool::DatabaseWriter writer;
        for (char product : products) writer.Entry(test::ZarnModel(std::string(1, product)));
        if (announced >= 0) writer.AnnouncedCount(announced);
        WriteDatabase(writer);
    }
};

// Every member holds a value of its own, so a field read from the wrong place shows.
Description Full(const std::string& product) {
    Description d = test::ZarnModel(product);
    d.identMethod = 2;
    d.optionValue1 = 11;
    d.optionFlag1 = 21;
    d.optionFlag2 = 22;
    d.optionFlag3 = 23;
    d.queryStateFlag = 24;
    d.querySerialFlag = 25;
    d.deviceState = 9;            // never stored
    d.serialNumber = "SN000001";  // never stored
    d.systemFiles = {{"QDAV3180.mi4", 0, 1}, {"Data\\", 7, 1}};
    d.optionValue2 = 31;
    d.playlistFolder1Enabled = 1;
    d.playlistFolder1Value = 41;
    d.playlistFolder1Name = "Playlists";
    d.firmwareHeaderFlag = 51;
    d.playlistFolder2Enabled = 1;
    d.playlistFolder2Value = 72;
    d.playlistFolder2Name = "Lists 2";
    d.playlistFolder3Enabled = 1;
    d.playlistFolder3Value = 73;
    d.playlistFolder3Name = "Lists 3";
    d.optionValue3 = 81;
    d.optionValue4 = 91;
    return d;
}

// What an entry of `version` loads as: the members it lacks take their absent values.
Description AsLoaded(Description d, FormatVersion version) {
    using V = FormatVersion;
    d.deviceState = -1;
    d.serialNumber.clear();
    if (version < V::v2_02) {
        d.optionFlag1 = 1, d.optionFlag2 = 0, d.optionFlag3 = 1;
        d.queryStateFlag = 1, d.querySerialFlag = 1;
    }
    if (version < V::v3_01) d.optionValue2 = 0, d.identMethod = 0;
    if (version < V::v4_00) d.playlistFolder1Enabled = 0, d.playlistFolder1Name.clear();
    if (version < V::v5_00) d.firmwareHeaderFlag = 0;
    if (version < V::v6_00) d.playlistFolder1Value = 0;
    if (version < V::v7_01) {
        for (auto& file : d.systemFiles) file.failIfExists = 0;
        d.playlistFolder2Enabled = d.playlistFolder2Value = 0;
        d.playlistFolder3Enabled = d.playlistFolder3Value = 0;
        d.playlistFolder2Name.clear();
        d.playlistFolder3Name.clear();
    }
    if (version < V::v8_00) d.optionValue3 = 0;
    if (version < V::v9_00) d.optionValue4 = 0;
    return d;
}

TEST_F(DatabaseFile, EachVersionLoadsItsFieldsAndTheAbsentValues) {
    Description sparse = Full("S");
    sparse.hasSystemFiles = 0;  // folder and files are then not stored
    sparse.playlistFolder1Enabled = sparse.playlistFolder2Enabled = 0;
    sparse.playlistFolder3Enabled = 0;
    Description absentWhenOff = sparse;
    absentWhenOff.systemFolder.clear();
    absentWhenOff.systemFiles.clear();
    absentWhenOff.playlistFolder1Name = absentWhenOff.playlistFolder2Name = "";
    absentWhenOff.playlistFolder3Name = "";
    absentWhenOff.playlistFolder1Value = absentWhenOff.playlistFolder2Value = 0;
    absentWhenOff.playlistFolder3Value = 0;

    for (FormatVersion version : dbtool::AllFormatVersions()) {
        SCOPED_TRACE(dbtool::FormatVersionName(version));
        WriteDatabase({Full("A"), sparse, Full("B")}, version);
        ASSERT_EQ(LoadSupportedDevices(kDatabase), 1);
        const auto loaded = Loaded();
        ASSERT_EQ(loaded.size(), 3u);
        EXPECT_EQ(dbtool::DescriptionToJson(loaded[0]).dump(1),
                  dbtool::DescriptionToJson(AsLoaded(Full("A"), version)).dump(1));
        EXPECT_EQ(dbtool::DescriptionToJson(loaded[1]).dump(1),
                  dbtool::DescriptionToJson(AsLoaded(absentWhenOff, version)).dump(1));
        EXPECT_EQ(loaded[2], AsLoaded(Full("B"), version));
    }
}

TEST_F(DatabaseFile, AVersion100EntryAsksForSerialAndState) {
    WriteDatabase({test::ZarnModel()}, FormatVersion::v1_00);
    ASSERT_EQ(LoadSupportedDevices(kDatabase), 1);
    const tagPORTDEVDESC& entry = *g_supportedDevices.at(0);
    EXPECT_EQ(entry.optionFlag1, 1u);
    EXPECT_EQ(entry.optionFlag2, 0u);
    EXPECT_EQ(entry.optionFlag3, 1u);
    EXPECT_EQ(entry.queryStateFlag, 1u);
    EXPECT_EQ(entry.querySerialFlag, 1u);
    EXPECT_EQ(entry.identMethod, 0);
    EXPECT_EQ(entry.deviceState, -1);
}

TEST_F(DatabaseFile, TheWriterLaysOutAVersion600EntryFieldByField) {
    Description d;
    d.vendorId = "AB", d.productId = "C", d.optionValue1 = 5;
    d.optionFlag1 = 1, d.optionFlag2 = 2, d.optionFlag3 = 3, d.queryStateFlag = 4;
    d.querySerialFlag = 5, d.optionValue2 = 6, d.identMethod = 1;
    d.hasSystemFiles = 1, d.systemFolder = "S", d.systemFiles = {{"p", 0, 1}};
    d.playlistFolder1Enabled = 1, d.playlistFolder1Name = "L", d.playlistFolder1Value = 9;
    d.firmwareHeaderFlag = 1;
    constexpr char kExpected[] =
        "\x02\0\0\0AB"
        "\x01\0\0\0C"
        "\0\0\0\0"
        "\x05\0\0\0"
        "\x01\0\0\0\x02\0\0\0\x03\0\0\0\x04\0\0\0\x05\0\0\0"
        "\x06\0\0\0"
        "\x01"
        "\x01\0\0\0"
        "\x01\0\0\0S"
        "\x01\0\0\0"
        "\x01\0\0\0p"
        "\0\0\0\0"  // no failIfExists
        "\x01\0\0\0"
        "\x01\0\0\0L"
        "\x09\0\0\0"
        "\x01\0\0\0";
    const std::string expected(kExpected, sizeof kExpected - 1);
    EXPECT_EQ(dbtool::EncodeEntryBody(d, FormatVersion::v6_00), expected);
}

TEST_F(DatabaseFile, TextsAreCutToTheirCapacities) {
    Description d = test::ZarnModel();
    d.vendorId = "VelmoraXYZ";
    d.productId = std::string(20, 'P');
    d.displayName = std::string(300, 'n');
    d.systemFolder = std::string(300, 'f');
    d.systemFiles = {{std::string(300, 'p'), 0, 1}};
    d.playlistFolder1Enabled = 1;
    d.playlistFolder1Name = std::string(300, 'l');
    d.optionValue4 = 1234;  // the last field still lands right
    WriteDatabase({d});
    ASSERT_EQ(LoadSupportedDevices(kDatabase), 1);
    const tagPORTDEVDESC& entry = *g_supportedDevices.at(0);
    EXPECT_STREQ(entry.vendorId, "VelmoraX");
    EXPECT_EQ(std::string(entry.productId), std::string(16, 'P'));
    EXPECT_EQ(std::string(entry.displayName), std::string(255, 'n'));
    EXPECT_EQ(std::string(entry.systemFolder), std::string(256, 'f'));
    EXPECT_EQ(std::string(entry.systemFiles.at(0)->path), std::string(256, 'p'));
    EXPECT_EQ(std::string(entry.playlistFolder1Name), std::string(255, 'l'));
    EXPECT_EQ(entry.optionValue4, 1234u);
}

// The vendor field starts out holding the usual vendor; a shorter one read over it leaves
// nothing of it behind.
TEST_F(DatabaseFile, AShorterTextLeavesOnlyZerosAfterIt) {
    Description d = test::ZarnModel();
    d.vendorId = "AB";
    WriteDatabase({d});
    ASSERT_EQ(LoadSupportedDevices(kDatabase), 1);
    const tagPORTDEVDESC& entry = *g_supportedDevices.at(0);
    EXPECT_EQ(std::string(entry.vendorId, sizeof entry.vendorId),
              std::string("AB\0\0\0\0\0\0\0", 9));
}

TEST_F(DatabaseFile, MagicsAreComparedWithoutCase) {
    for (const char* magic :
         {"kpzsupportedportabledevicesv7.01", "KpzSupportedPortableDevicesV7.01"}) {
        WriteDatabase(
            dbtool::DatabaseWriter(FormatVersion::v7_01).Magic(magic).Entry(test::ZarnModel()));
        EXPECT_EQ(LoadSupportedDevices(kDatabase), 1) << magic;
        EXPECT_EQ(g_supportedDevices.size(), 1u);
    }
}

TEST_F(DatabaseFile, RejectedFilesLeaveThePreviousList) {
    const std::string good = dbtool::DatabaseWriter().Entry(test::ZarnModel("Z")).Bytes();
    const struct {
        const char* name;
        std::string bytes;
    } rejected[] = {
        {"empty", ""},
        {"unknown magic", dbtool::DatabaseWriter().Magic(std::string(32, 'K')).Bytes()},
        {"version 3.00",
         dbtool::DatabaseWriter().Magic("KPZSUPPORTEDPORTABLEDEVICESv3.00").Bytes()},
        {"magic cut short", good.substr(0, 20)},
        {"count cut short", good.substr(0, 35)},
    };
    for (const auto& row : rejected) {
        WriteEntries("AB");
        ASSERT_EQ(LoadSupportedDevices(kDatabase), 1);
        test::WriteHostFile(Host(kDatabase), row.bytes);
        EXPECT_EQ(LoadSupportedDevices(kDatabase), 0) << row.name;
        EXPECT_EQ(Products(), "AB") << row.name;
    }
    EXPECT_EQ(LoadSupportedDevices(nullptr), 0);
    EXPECT_EQ(LoadSupportedDevices("C:\\Zarn\\missing.bin"), 0);
    EXPECT_EQ(Products(), "AB");
    EXPECT_TRUE(ui_.Boxes().empty());
}

TEST_F(DatabaseFile, AFileCutShortKeepsTheEntriesBeforeTheCut) {
    auto twoOfThree = [] {
        return dbtool::DatabaseWriter()
            .AnnouncedCount(3)
            .Entry(test::ZarnModel("A"))
            .Entry(test::ZarnModel("B"));
    };
    const struct {
        const char* name;
        std::string bytes;
        const char* products;
    } rows[] = {
        {"length cut short", twoOfThree().RawBytes(std::string("\x10\0", 2)).Bytes(), "AB"},
        {"body cut short",
         twoOfThree().RawBytes(std::string("\x64\0\0\0", 4) + "0123456789").Bytes(), "AB"},
        {"length past the end of the file", twoOfThree().RawBytes("\xFF\xFF\xFF\xFF").Bytes(),
         "AB"},
        {"count 0", dbtool::DatabaseWriter().AnnouncedCount(0).Entry(test::ZarnModel()).Bytes(),
         ""},
        {"count negative",
         dbtool::DatabaseWriter().AnnouncedCount(-1).Entry(test::ZarnModel()).Bytes(), ""},
    };
    for (const auto& row : rows) {
        WriteEntries("Q");
        ASSERT_EQ(LoadSupportedDevices(kDatabase), 1);
        test::WriteHostFile(Host(kDatabase), row.bytes);
        EXPECT_EQ(LoadSupportedDevices(kDatabase), 1) << row.name;
        EXPECT_EQ(Products(), row.products) << row.name;
    }
    WriteEntries("ABC", 5);
    EXPECT_EQ(LoadSupportedDevices(kDatabase), 1);
    EXPECT_EQ(Products(), "ABC");
}

TEST_F(DatabaseFile, AnEntryWhoseLengthsRunPastItsBodyIsDropped) {
    const std::string body = dbtool::EncodeEntryBody(Full("X"), FormatVersion::v9_00);
    for (std::size_t cut = 0; cut < body.size(); ++cut) {
        WriteDatabase(dbtool::DatabaseWriter()
                          .Entry(test::ZarnModel("A"))
                          .RawEntry(body.substr(0, cut))
                          .Entry(test::ZarnModel("B")));
        ASSERT_EQ(LoadSupportedDevices(kDatabase), 1);
        EXPECT_EQ(Products(), "AB") << "body cut at " << cut;
    }
    // A wild system-file count, and bytes past the last field, which are ignored.
    Description many = test::ZarnModel("M");
    std::string wild = dbtool::EncodeEntryBody(many, FormatVersion::v9_00);
    wild.replace(wild.find("\x02\0\0\0", 0, 4), 4, "\xFF\xFF\xFF\x7F", 4);
    WriteDatabase(dbtool::DatabaseWriter().RawEntry(wild).RawEntry(
        dbtool::EncodeEntryBody(many, FormatVersion::v9_00) + "tail"));
    ASSERT_EQ(LoadSupportedDevices(kDatabase), 1);
    ASSERT_EQ(Products(), "M");
    EXPECT_EQ(g_supportedDevices[0]->systemFiles.size(), 2u);
}

TEST_F(DatabaseFile, CountsEntriesByIdentificationMethod) {
    dbtool::DatabaseWriter writer;
    for (std::uint8_t method : {0, 1, 1, 2, 7}) {
        Description d = test::ZarnModel();
        d.identMethod = method;
        writer.Entry(d);
    }
    WriteDatabase(writer);
    ASSERT_EQ(LoadSupportedDevices(kDatabase), 1);
    EXPECT_EQ(g_supportedDevices.size(), 5u);
    EXPECT_EQ(detect::g_identMethodCounts, (std::array<int, 3>{1, 2, 1}));
    // Reset by every load that gets as far as opening the file.
    EXPECT_EQ(LoadSupportedDevices("C:\\Zarn\\missing.bin"), 0);
    EXPECT_EQ(detect::g_identMethodCounts, (std::array<int, 3>{0, 0, 0}));
}

TEST_F(DatabaseFile, TheWaitCursorIsShownAndRestoredOnEveryExit) {
    WriteEntries("A");
    EXPECT_EQ(LoadSupportedDevices(kDatabase), 1);
    EXPECT_EQ(LoadSupportedDevices("C:\\Zarn\\missing.bin"), 0);
    test::WriteHostFile(Host(kDatabase), "not a database");
    EXPECT_EQ(LoadSupportedDevices(kDatabase), 0);
    EXPECT_EQ(LoadSupportedDevices(nullptr), 0);  // returns before the cursor
    EXPECT_EQ(ui_.CursorChanges(), (std::vector<bool>{true, false, true, false, true, false}));
}

}  // namespace
