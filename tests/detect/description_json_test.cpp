#include "database/description_json.h"

#include <gtest/gtest.h>

#include "common/code_page.h"
#include "detect_fixture.h"

namespace {

using nlohmann::json;

TEST(DeviceRecord, CopiesAreDeep) {
    tagPORTDEVDESC source = dbtool::ToRecord(test::ZarnModel());
    source.systemFiles.push_back(std::make_unique<tagPORTDEVSYSFILE>());
    std::strcpy(source.systemFiles[2]->path, "Third");
    std::memcpy(source.serialNumber, "ABCDEFGHI", 9);  // no terminator in the source
    tagPORTDEVINFO target;
    for (int i = 0; i < 5; ++i)
        target.desc.systemFiles.push_back(std::make_unique<tagPORTDEVSYSFILE>());
    target.desc = source;
    ASSERT_EQ(target.desc.systemFiles.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NE(target.desc.systemFiles[i].get(), source.systemFiles[i].get());
        EXPECT_STREQ(target.desc.systemFiles[i]->path, source.systemFiles[i]->path);
        EXPECT_EQ(target.desc.systemFiles[i]->versionCompare,
                  source.systemFiles[i]->versionCompare);
    }
    EXPECT_EQ(std::string(target.desc.serialNumber, 9), std::string("ABCDEFGH\0", 9));
    target.driveLetter = 'E';
    const tagPORTDEVINFO copy = target;
    EXPECT_EQ(copy.driveLetter, 'E');
    EXPECT_EQ(dbtool::FromRecord(copy.desc), dbtool::FromRecord(target.desc));
}

TEST(DescriptionJson, RecordsRoundTripWithTheRecordsMemberNames) {
    dbtool::Description model = test::ZarnModel();
    model.displayName = "Zarn Jukebox\x99 20 \xE4\x81";  // code page bytes
    model.deviceState = -1;
    const json object = dbtool::RecordToJson(dbtool::ToRecord(model));
    EXPECT_EQ(object.size(), 28u);
    EXPECT_EQ(object["displayName"], "Zarn Jukebox\u2122 20 \u00E4\u0081");
    EXPECT_EQ(object["systemFiles"][1],
              (json{{"path", "kvq.exe"}, {"versionCompare", 1}, {"failIfExists", 0}}));
    dbtool::Description back;
    std::string error;
    ASSERT_TRUE(dbtool::DescriptionFromJson(json::parse(object.dump()), back, error)) << error;
    EXPECT_EQ(back, model);
}

TEST(DescriptionJson, MissingKeysTakeTheDefaultsAndFaultsNameTheirKey) {
    dbtool::Description read;
    std::string error;
    ASSERT_TRUE(dbtool::DescriptionFromJson(json{{"productId", "ZJ-20"}}, read, error));
    dbtool::Description expected;
    expected.productId = "ZJ-20";
    EXPECT_EQ(read, expected);
    EXPECT_EQ(read.vendorId, "Velmora ");

    const struct {
        json object;
        const char* message;
    } rows[] = {
        {{{"vendorID", "x"}}, "key \"vendorID\": unknown key"},
        {{{"identMethod", 256}}, "key \"identMethod\": out of range 0 to 255"},
        {{{"deviceState", -2147483649LL}}, "key \"deviceState\": out of range"},
        {{{"optionValue1", -1}}, "key \"optionValue1\": out of range 0 to 4294967295"},
        {{{"hasSystemFiles", true}}, "key \"hasSystemFiles\": expected a whole number"},
        {{{"displayName", "\u4E2D"}}, "key \"displayName\": holds a character outside"},
        {{{"systemFiles", {{{"path", "a"}, {"size", 1}}}}}, "key \"systemFiles[0].size\""},
        {{{"systemFiles", {1}}}, "key \"systemFiles[0]\": expected an object"},
        {json::array(), "expected an object"},
    };
    for (const auto& row : rows) {
        EXPECT_FALSE(dbtool::DescriptionFromJson(row.object, read, error)) << row.object;
        EXPECT_EQ(error.rfind(row.message, 0), 0u) << error;
    }
    std::vector<dbtool::Description> all;
    EXPECT_FALSE(
        dbtool::DescriptionsFromJson(json::array({json::object(), {{"x", 1}}}), all, error));
    EXPECT_EQ(error, "key \"[1].x\": unknown key");
}

TEST(CodePage, EveryByteHasACharacterAndBack) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
    const std::string utf8 = common::CodePageToUtf8(all);
    EXPECT_EQ(common::Utf8ToCodePage(utf8), all);
    EXPECT_EQ(common::Utf8ToCodePage("\xE2\x82\xAC"), "\x80");  // the euro sign
    EXPECT_EQ(common::Utf8ToCodePage("\xC3"), std::nullopt);    // cut sequence
    EXPECT_EQ(common::Utf8ToCodePage("\xE2\x82"), std::nullopt);
}

class DatabaseFromJson : public test::DetectFixture {};

TEST_F(DatabaseFromJson, WritesAFileTheLibraryLoads) {
    const json entries = json::parse(R"([
        {"productId": "ZJ-20           ", "displayName": "Zarn 20", "queryStateFlag": 0,
         "querySerialFlag": 0, "hasSystemFiles": 1, "systemFolder": "\\System",
         "systemFiles": [{"path": "kvq.exe", "failIfExists": 1}]}
    ])");
    std::string bytes, error;
    ASSERT_TRUE(dbtool::DatabaseFromJson(entries, dbtool::FormatVersion::v7_01, bytes, error));
    EXPECT_EQ(bytes.substr(0, 32), "KPZSUPPORTEDPORTABLEDEVICESv7.01");
    test::WriteHostFile(Host(kDatabase), bytes);
    AddPlayer('E');
    ASSERT_EQ(Enumerate(), 1);
    const json reported = dbtool::RecordToJson(reported_.at(0).desc);
    EXPECT_EQ(reported["displayName"], "Zarn 20");
    EXPECT_EQ(reported["systemFiles"], json::parse(R"([{"path": "kvq.exe",
        "versionCompare": 1, "failIfExists": 1}])"));
    EXPECT_FALSE(
        dbtool::DatabaseFromJson(json::object(), dbtool::FormatVersion::v9_00, bytes, error));
}

// What a database entry would not keep is refused, naming the key, rather than dropped.
TEST(DatabaseFromJsonRefuses, WhatTheFileWouldNotKeep) {
    const std::string longName(256, 'n');
    const std::string longPath(257, 'p');
    const struct {
        json entry;
        std::string error;
    } cases[] = {
        {{{"systemFolder", "\\System"}},
         "key \"[1].systemFolder\": given with hasSystemFiles 0, which stores none"},
        {{{"systemFiles", {{{"path", "kvq.exe"}}}}},
         "key \"[1].systemFiles\": given with hasSystemFiles 0, which stores none"},
        {{{"playlistFolder2Name", "Playlists"}},
         "key \"[1].playlistFolder2Name\": given with playlistFolder2Enabled 0, which "
         "stores no name"},
        {{{"vendorId", "Velmora X"}},
         "key \"[1].vendorId\": 9 bytes, longer than the 8 a database entry keeps"},
        {{{"productId", std::string(17, 'Z')}},
         "key \"[1].productId\": 17 bytes, longer than the 16 a database entry keeps"},
        {{{"displayName", longName}},
         "key \"[1].displayName\": 256 bytes, longer than the 255 a database entry keeps"},
        {{{"hasSystemFiles", 1}, {"systemFolder", longPath}},
         "key \"[1].systemFolder\": 257 bytes, longer than the 256 a database entry keeps"},
        {{{"hasSystemFiles", 1}, {"systemFiles", {{{"path", "a"}}, {{"path", longPath}}}}},
         "key \"[1].systemFiles[1].path\": 257 bytes, longer than the 256 a database entry "
         "keeps"},
        {{{"playlistFolder3Enabled", 1}, {"playlistFolder3Name", longName}},
         "key \"[1].playlistFolder3Name\": 256 bytes, longer than the 255 a database entry "
         "keeps"},
    };
    for (const auto& c : cases) {
        std::string bytes = "untouched", error;
        const json entries = {json::object(), c.entry};
        EXPECT_FALSE(dbtool::DatabaseFromJson(entries, dbtool::FormatVersion::v9_00, bytes, error))
            << c.entry;
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(bytes, "untouched");
    }
}

// Texts at the lengths the reader keeps, and what a disabled part leaves empty, are stored.
TEST(DatabaseFromJsonRefuses, NothingAtTheLimits) {
    const json entries = {{{"vendorId", "Velmora "},
                           {"productId", std::string(16, 'Z')},
                           {"displayName", std::string(255, 'n')},
                           {"hasSystemFiles", 1},
                           {"systemFolder", std::string(256, 's')},
                           {"systemFiles", {{{"path", std::string(256, 'p')}}}},
                           {"playlistFolder1Enabled", 1},
                           {"playlistFolder1Name", std::string(255, 'l')},
                           {"playlistFolder2Name", ""}}};
    std::string bytes, error;
    EXPECT_TRUE(dbtool::DatabaseFromJson(entries, dbtool::FormatVersion::v9_00, bytes, error))
        << error;
}

}  // namespace
