#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>

#include "cli_runner.h"
#include "database/database_writer.h"
#include "firmware/firmware_image_writer.h"
#include "support/temp_dir.h"

namespace {

using nlohmann::json;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string FirmwareImage(const std::string& version) {
    fwtool::FirmwareHeader header;
    header.version = version;
    return fwtool::ImageBytes(header, 700);
}

// A computer with the utility installed, a player ZJ-20 on E: with older firmware, and a
// removable drive F: that is no player.
class CommandLine : public ::testing::Test {
  protected:
    void SetUp() override {
        dbtool::Description model;
        model.productId = "ZJ-20           ";
        model.displayName = "Zarn ZJ-20";
        model.querySerialFlag = 1;
        model.hasSystemFiles = 1;
        model.systemFolder = "\\System";
        model.systemFiles = {{"QDAV3180.mi4"}, {"Data\\*"}};
        model.firmwareHeaderFlag = 1;
        model.playlistFolder1Enabled = 1;
        model.playlistFolder1Name = "Playlists";
        WriteHostFile(Installed("KPZSupportedPortableDevices.bin"),
                      dbtool::DatabaseWriter().Entry(model).Bytes());
        WriteHostFile(Installed("ZJ-20/System/QDAV3180.mi4"), FirmwareImage("3.180"));
        WriteHostFile(Installed("ZJ-20/System/Data/Fonts/small.fnt"), "font");
        WriteHostFile(temp_.PathOf("e/System/QDAV3180.mi4"), FirmwareImage("3.170"));
        temp_.MakeFolder("f");
        machine_ = {{"program", "C:\\Program Files\\Zarn\\KPZPortableDeviceSystemFileUpdater.exe"},
                    {"localTime", "2026-12-08T09:05:07"},
                    {"drives",
                     {{"C", {{"type", "fixed"}, {"folder", "c"}}},
                      {"E",
                       {{"type", "removable"},
                        {"folder", "e"},
                        {"inquiry", {{"vendor", "Velmora "}, {"product", "ZJ-20"}}},
                        {"vpd80Hex", "008000085a4a303030313233"}}},
                      {"F", {{"type", "removable"}, {"folder", "f"}}}}}};
    }

    std::string Installed(const std::string& relative) const {
        return temp_.PathOf("c/Program Files/Zarn/" + relative);
    }
    std::string MachineFile() {
        const std::string path = temp_.PathOf("machine.json");
        test::WriteHostFile(path, machine_.dump());
        return path;
    }
    test::ProgramRun Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--machine", MachineFile()});
        return test::RunZarnUpgrade(args, temp_.path());
    }
    static void WriteHostFile(const std::string& path, const std::string& content) {
        test::WriteHostFile(path, content);
    }

    test::TempDir temp_;
    json machine_;
};

TEST_F(CommandLine, HelpForTheProgramAndEachCommand) {
    for (std::vector<std::string> args :
         std::vector<std::vector<std::string>>{{"--help"},
                                               {"list", "--help"},
                                               {"upgrade", "-h"},
                                               {"db", "--help"},
                                               {"update-system-files", "--help"},
                                               {"detect", "--help"},
                                               {"playlists", "--help"}}) {
        const auto run = test::RunZarnUpgrade(args, temp_.path());
        EXPECT_EQ(run.status, 0) << args[0];
        EXPECT_THAT(run.out, StartsWith("Usage: zarn-upgrade")) << args[0];
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(CommandLine, BadUsageAndBadInputGiveOneLineAndStatusTwo) {
    WriteHostFile(temp_.PathOf("broken.json"), "{\"drives\": ");
    WriteHostFile(temp_.PathOf("bad.json"), "[{\"vendorId\": 7}]");
    struct Case {
        std::vector<std::string> args;
        const char* says;
    } const cases[] = {
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command frobnicate"},
        {{"list", "--colour"}, "unknown option --colour"},
        {{"--machine", temp_.PathOf("none.json"), "list"}, "machine file"},
        {{"--machine", temp_.PathOf("broken.json"), "list"}, "machine file"},
        {{"--machine", MachineFile(), "upgrade"}, "missing DRIVE"},
        {{"--machine", MachineFile(), "upgrade", "EE"}, "not a drive: EE"},
        {{"--machine", MachineFile(), "upgrade", "Z:"}, "unknown drive Z:"},
        {{"--machine", MachineFile(), "upgrade", "f"}, "no player detected on F:"},
        {{"--machine", MachineFile(), "playlists", "F:"}, "no player detected on F:"},
        {{"--machine", MachineFile(), "update-system-files", "E:"}, "missing --source DIR"},
        {{"--machine", MachineFile(), "update-system-files", "E:", "--source", "C:\\None"},
         "no folder C:\\None"},
        {{"db", "dump", temp_.PathOf("none.bin")}, "no such file"},
        {{"db", "dump", temp_.PathOf("bad.json")}, "not a supported-devices database"},
        {{"db", "build", temp_.PathOf("broken.json"), "-o", temp_.PathOf("x.bin")},
         "not valid JSON"},
        {{"db", "build", temp_.PathOf("bad.json"), "-o", temp_.PathOf("x.bin")}, "vendorId"},
        {{"db", "build", temp_.PathOf("bad.json")}, "missing -o FILE"},
        {{"db", "build", temp_.PathOf("bad.json"), "-o", "x", "--format-version", "4.01"},
         "unknown format version 4.01"},
    };
    for (const Case& c : cases) {
        const auto run = test::RunZarnUpgrade(c.args, temp_.path());
        const std::string what = c.args.empty() ? "(none)" : c.args.back();
        EXPECT_EQ(run.status, 2) << what;
        EXPECT_THAT(run.err, StartsWith("zarn-upgrade: ")) << what;
        EXPECT_THAT(run.err, HasSubstr(c.says)) << what;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << what << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(temp_.PathOf("x.bin")));
}

TEST_F(CommandLine, ListShowsTheRowsAsTheWindowDoes) {
    const auto run = Run({"list"});
    EXPECT_EQ(run.status, 0) << run.err;
    const auto lines = run.OutLines();
    ASSERT_EQ(lines.size(), 2u) << run.out;
    EXPECT_EQ(lines[0], "Drive  Device      Current Version  Upgrade Version  Update Status");
    EXPECT_EQ(lines[1], "E:     Zarn ZJ-20  3.170            3.180");

    const auto listed = json::parse(Run({"--json", "list"}).out);
    EXPECT_EQ(listed, json::parse(R"([{"drive":"E:","device":"Zarn ZJ-20","currentVersion":"3.170",
                                      "upgradeVersion":"3.180","updateStatus":""}])"));
}

TEST_F(CommandLine, ListWithoutPlayersShowsTheDetectionBox) {
    machine_["drives"].erase("E");
    const auto run = Run({"list"});
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("[Device Detection Error] No Zarn devices were detected.  "
                                   "Please connect your device(s) to the computer and select "
                                   "Refresh.\n"));
    EXPECT_EQ(json::parse(Run({"--json", "list"}).out), json::array());
}

TEST_F(CommandLine, TheMissingFilesQuestionIsAnsweredAsTold) {
    std::filesystem::remove(Installed("ZJ-20/System/QDAV3180.mi4"));
    const auto no = Run({"list"});
    EXPECT_EQ(no.status, 1);
    EXPECT_THAT(no.out, HasSubstr("[ERROR - Missing Files] An error occurred trying to locate"));
    EXPECT_THAT(no.out, HasSubstr("-> answered No"));

    const auto yes = Run({"--events", "list", "--yes"});
    EXPECT_EQ(yes.status, 1);
    const auto lines = yes.OutLines();
    ASSERT_EQ(lines.size(), 2u) << yes.out;
    const json box = json::parse(lines[0])["messageBox"];
    EXPECT_EQ(box["caption"], "ERROR - Missing Files");
    EXPECT_EQ(box["icon"], "warning");
    EXPECT_EQ(box["buttons"], "yesno");
    EXPECT_EQ(box["answer"], "yes");
    EXPECT_THAT(box["text"].get<std::string>(), HasSubstr("\n\nDo you want to Exit now?"));
    EXPECT_EQ(json::parse(lines[1]), json::array());
}

TEST_F(CommandLine, UpgradeCopiesTheFilesAndReportsTheRowsStatus) {
    const auto run = Run({"upgrade", "e"});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_THAT(run.out, HasSubstr("Device:  Zarn ZJ-20 (E:)\n"));
    EXPECT_THAT(run.out, HasSubstr("Status:  Upgrade finished."));
    EXPECT_EQ(run.OutLines().back(), "E:  Upgrade completed successfully 09:05:07");
    EXPECT_EQ(test::ReadHostFile(temp_.PathOf("e/System/qdav3180.mi4")), FirmwareImage("3.180"));
    EXPECT_EQ(test::ReadHostFile(temp_.PathOf("e/System/Data/Fonts/small.fnt")), "font");
    EXPECT_TRUE(std::filesystem::is_directory(temp_.PathOf("e/Playlists")));

    const auto again = Run({"--json", "upgrade", "E:"});
    EXPECT_EQ(json::parse(again.out),
              json::parse(R"({"updateStatus":"Upgrade completed successfully 09:05:07"})"));
    const auto listed = json::parse(Run({"--json", "list"}).out);
    EXPECT_EQ(listed[0]["currentVersion"], "3.180");
}

TEST_F(CommandLine, UpgradeEventsFollowTheProgressWindow) {
    const auto run = Run({"--events", "upgrade", "E:"});
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<json> events;
    for (const auto& line : run.OutLines()) events.push_back(json::parse(line));
    ASSERT_GE(events.size(), 6u);
    EXPECT_EQ(events[0], json::parse(R"({"code":1,"name":"UPGSTAT_SCANNING","record":null})"));
    EXPECT_EQ(events[1], json::parse(R"({"code":8,"name":"UPGSTAT_SET_RANGE",
                              "record":{"dwPos":0,"dwCount":4,"szText":""}})"));
    EXPECT_EQ(events[2]["name"], "UPGSTAT_STEP");
    EXPECT_EQ(events[events.size() - 2]["name"], "UPGSTAT_FINISHED");
    EXPECT_EQ(events.back(),
              json::parse(R"({"updateStatus":"Upgrade completed successfully 09:05:07"})"));
}

TEST_F(CommandLine, AFailedUpgradeExitsWithOne) {
    machine_["drives"]["E"]["freeBytes"] = 100;
    const auto run = Run({"upgrade", "E:"});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.out, HasSubstr("[Free Disk Space] WARNING:  The Zarn ZJ-20 device (E:\\) may"));
    EXPECT_EQ(run.OutLines().back(), "E:  Errors occurred during upgrade");
    EXPECT_EQ(test::ReadHostFile(temp_.PathOf("e/System/QDAV3180.mi4")), FirmwareImage("3.170"));
}

TEST_F(CommandLine, DetectGivesTheRecords) {
    const auto run = Run({"detect"});
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("E:     Velmora  ZJ-20    Zarn ZJ-20  ZJ000123"));
    const json players = json::parse(Run({"--json", "detect"}).out);
    ASSERT_EQ(players.size(), 1u);
    EXPECT_EQ(players[0]["driveLetter"], "E");
    EXPECT_EQ(players[0]["vendorId"], "Velmora ");
    EXPECT_EQ(players[0]["productId"], "ZJ-20           ");
    EXPECT_EQ(players[0]["serialNumber"], "ZJ000123");
    EXPECT_EQ(players[0]["systemFiles"][1],
              json::parse(R"({"path":"Data\\*","versionCompare":1,"failIfExists":0})"));
}

// The Windows 98 machine of the design's example: the player is found by the disk-drive scan.
TEST_F(CommandLine, DetectTraceShowsWhatTheWindows98RouteDid) {
    dbtool::Description model;
    model.productId = "ZJ-20           ";
    model.displayName = "Zarn ZJ-20";
    model.identMethod = 2;
    model.querySerialFlag = 1;
    WriteHostFile(Installed("KPZSupportedPortableDevices.bin"),
                  dbtool::DatabaseWriter().Entry(model).Bytes());
    machine_["windows"] = {{"platformId", 1}, {"major", 4}, {"minor", 10}};
    machine_["drives"].erase("F");  // no drive that would go on to the SCSI manager
    machine_["drives"]["E"]["blockDriver"] = {{"privateRequest", true}, {"passThrough", false}};
    machine_["setupDiskDrives"] = json::parse(R"({"devices": [
        {"hardwareId": "Velmora ZJ-20           1.00", "deviceDesc": "Velmora  ZJ-20           "},
        {"hardwareIdError": 13}]})");
    machine_["registry"] = json::parse(R"({"ENUM\\SCSI\\Velmora_ZJ-20___________": {
        "0001": {"Int13": "01", "PModeInt13": "01", "CurrentDriveLetterAssignment": "E"}}})");

    const auto run = Run({"--json", "detect", "--trace"});
    ASSERT_EQ(run.status, 0) << run.err;
    const json traced = json::parse(run.out);
    ASSERT_EQ(traced["players"].size(), 1u);
    EXPECT_EQ(traced["players"][0]["driveLetter"], "E");
    EXPECT_EQ(traced["players"][0]["serialNumber"], "ZJ000123");
    EXPECT_EQ(traced["diagnostics"], json::parse(R"([
        {"channel": "stdout", "text": "DeviceDesc = Velmora  ZJ-20           \n"},
        {"channel": "stdout", "text": "VendorID = Velmora \n"},
        {"channel": "stdout", "text": "ProductID = ZJ-20           \n"},
        {"channel": "debugger", "text": "0001"}, {"channel": "debugger", "text": "\n"},
        {"channel": "debugger", "text": "Got Stmp drive\n"}])"));
    const auto services = traced["services"].get<std::vector<std::string>>();
    ASSERT_FALSE(services.empty());
    EXPECT_THAT(services.front(), StartsWith("SetupDiGetClassDevsA"));
    EXPECT_THAT(services, ::testing::Contains("RegOpenKeyA ENUM\\SCSI\\Velmora_ZJ-20___________"));
    EXPECT_THAT(services, ::testing::Contains("VWIN32 4404h E:"));  // the serial number
    EXPECT_THAT(services, ::testing::Not(::testing::Contains(StartsWith("LoadLibraryA"))));

    // Without --trace the records alone, as ever; as text, the trace follows the table.
    EXPECT_EQ(json::parse(Run({"--json", "detect"}).out), traced["players"]);
    const auto text = Run({"detect", "--trace"});
    EXPECT_THAT(text.out, HasSubstr("  debugger  \"Got Stmp drive\\n\"\n"));
    EXPECT_THAT(text.out, HasSubstr("Windows 98/Me services:\n  SetupDiGetClassDevsA"));
}

TEST_F(CommandLine, DetectTraceOnWindowsMeShowsTheScsiManager) {
    machine_["windows"] = {{"platformId", 1}, {"major", 4}, {"minor", 90}};
    machine_["drives"]["E"]["blockDriver"] = {{"privateRequest", false},
                                              {"passThroughCarry", true}};
    machine_["aspi"] = json::parse(R"({"present": true, "supportInfo": 257, "adapters": [
        {"targets": [{"inquiry": {"vendor": "Velmora ", "product": "ZJ-20", "revision": "1.00"},
                      "completesAtOnce": false}, null]}]})");
    WriteHostFile(Installed("KPZSupportedPortableDevices.bin"), [] {
        dbtool::Description zero, two;
        zero.productId = "ZJ-40           ";
        two.productId = "ZJ-20           ";
        two.identMethod = 2;
        return dbtool::DatabaseWriter().Entry(zero).Entry(two).Bytes();
    }());
    const json traced = json::parse(Run({"--json", "detect", "--trace"}).out);
    EXPECT_TRUE(traced["players"].empty());  // the registry gives the device no letter
    const auto services = traced["services"].get<std::vector<std::string>>();
    EXPECT_THAT(services, ::testing::Contains("VWIN32 4404h E:"));
    EXPECT_THAT(services, ::testing::Contains("LoadLibraryA WNASPI32.DLL"));
    EXPECT_THAT(services, ::testing::Contains("SendASPI32Command 0:1"));
    EXPECT_THAT(services, ::testing::Contains("RegOpenKeyA ENUM\\SCSI\\Velmora_ZJ-20___________1"));
    EXPECT_THAT(services, ::testing::Not(::testing::Contains(StartsWith("SetupDi"))));
    EXPECT_THAT(traced["diagnostics"],
                ::testing::Contains(json::parse(R"({"channel": "debugger", "text": "No key\n"})")));
}

TEST_F(CommandLine, PlaylistsAndSystemFilesWorkOnTheDetectedPlayer) {
    const auto playlists = Run({"--json", "playlists", "E:"});
    EXPECT_EQ(playlists.status, 0);
    EXPECT_EQ(json::parse(playlists.out), json::parse(R"({"result":1})"));
    EXPECT_TRUE(std::filesystem::is_directory(temp_.PathOf("e/Playlists")));

    const auto update =
        Run({"update-system-files", "E:", "--source", "C:\\Program Files\\Zarn", "--messages"});
    EXPECT_EQ(update.status, 0) << update.out << update.err;
    EXPECT_THAT(update.out, HasSubstr("Status:  Upgrade finished."));
    EXPECT_EQ(test::ReadHostFile(temp_.PathOf("e/System/Data/Fonts/small.fnt")), "font");
}

// Names are Windows-1252 bytes in the database and the machine file; UTF-8 on the terminal.
TEST_F(CommandLine, CodePageNamesMatchAndShowAsUnicode) {
    dbtool::Description model;
    model.productId = "ZJ-\xC9T\xC9           ";  // "ZJ-ÉTÉ" in the code page
    model.displayName = "Zarn Jukebox \xC9t\xE9";
    WriteHostFile(Installed("KPZSupportedPortableDevices.bin"),
                  dbtool::DatabaseWriter().Entry(model).Bytes());
    machine_["drives"]["E"]["inquiry"]["product"] = "ZJ-\u00c9T\u00c9";
    const auto run = Run({"list"});
    EXPECT_EQ(run.status, 0) << run.err;
    // Aligned in characters: "Zarn Jukebox Été" takes 16 columns, as its heading's column.
    EXPECT_THAT(run.out, HasSubstr("E:     Zarn Jukebox \u00c9t\u00e9  ----"));
    EXPECT_THAT(run.out, HasSubstr("Drive  Device            Current Version"));
    const json listed = json::parse(Run({"--json", "list"}).out);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0]["device"], "Zarn Jukebox \u00c9t\u00e9");
    const auto detected = Run({"detect"});
    EXPECT_THAT(detected.out, HasSubstr("ZJ-\u00c9T\u00c9   Zarn Jukebox \u00c9t\u00e9  -"));
}

// Its use with a real player is the loop-device test's; here, what it refuses.
TEST_F(CommandLine, AnInstallationFolderThatIsNone) {
    const auto missing =
        test::RunZarnUpgrade({"--install-folder", temp_.PathOf("nowhere"), "list"}, temp_.path());
    EXPECT_EQ(missing.status, 2);
    EXPECT_THAT(missing.err,
                HasSubstr("--install-folder " + temp_.PathOf("nowhere") + ": not a folder"));
    const auto both = Run({"--install-folder", temp_.path(), "list"});
    EXPECT_EQ(both.status, 2);
}

TEST_F(CommandLine, EjectOnlyReleasesVolumesOfThisComputer) {
    const auto simulated = Run({"eject", "E:"});
    EXPECT_EQ(simulated.status, 2);
    EXPECT_THAT(simulated.err, HasSubstr("E: is not a removable volume of this computer"));
    const auto root = test::RunZarnUpgrade({"eject", "Z:"}, temp_.path());
    EXPECT_EQ(root.status, 2);
    const auto help = test::RunZarnUpgrade({"eject", "--help"}, temp_.path());
#ifdef _WIN32
    EXPECT_THAT(help.out, HasSubstr("dismounts"));
#else
    EXPECT_THAT(help.out, HasSubstr("udisks2"));
#endif
}

TEST_F(CommandLine, DatabaseBuildAndDumpRoundTrip) {
    const std::string description = temp_.PathOf("devices.json");
    WriteHostFile(description,
                  R"([{"vendorId":"Velmora ","productId":"ZJ-40","displayName":"Zarn Jukebox 40",
        "hasSystemFiles":1,"systemFolder":"\\System","systemFiles":[{"path":"kvq.exe"}]}])");
    const std::string database = temp_.PathOf("out/KPZSupportedPortableDevices.bin");
    std::filesystem::create_directories(temp_.PathOf("out"));
    const auto built = test::RunZarnUpgrade(
        {"db", "build", description, "-o", database, "--format-version", "6.00"}, temp_.path());
    EXPECT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(test::ReadHostFile(database).substr(0, 32), "KPZSUPPORTEDPORTABLEDEVICESv6.00");

    const auto dumped = test::RunZarnUpgrade({"--json", "db", "dump", database}, temp_.path());
    EXPECT_EQ(dumped.status, 0) << dumped.err;
    const json entries = json::parse(dumped.out);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0]["displayName"], "Zarn Jukebox 40");
    EXPECT_EQ(entries[0]["systemFiles"][0]["path"], "kvq.exe");
    EXPECT_EQ(entries[0]["deviceState"], -1);
    EXPECT_EQ(entries[0]["querySerialFlag"], 0);  // stored from 2.02 on
}

// db build and kpz-dbwrite write the same way: what the file would not keep is refused with
// status 2 and the file there before is left as it was; a good build replaces it whole.
TEST_F(CommandLine, DatabaseWritersRefuseWhatTheFileWouldNotKeep) {
    const std::string refused = temp_.PathOf("refused.json");
    WriteHostFile(refused, R"([{"productId":"ZJ-40","hasSystemFiles":0,"systemFolder":"\\S"}])");
    const std::string good = temp_.PathOf("good.json");
    WriteHostFile(good, R"([{"productId":"ZJ-40","displayName":"Zarn Jukebox 40"}])");
    const std::string database = temp_.PathOf("KPZSupportedPortableDevices.bin");
    const std::vector<std::vector<std::string>> writers = {{ZARN_UPGRADE_PATH, "db", "build"},
                                                           {KPZ_DBWRITE_PATH}};
    for (const auto& writer : writers) {
        WriteHostFile(database, "before");
        auto args = std::vector<std::string>(writer.begin() + 1, writer.end());
        auto withFiles = [&](const std::string& description,
                             const std::string& output = std::string()) {
            auto all = args;
            all.insert(all.end(), {description, "-o", output.empty() ? database : output});
            return test::RunProgram(writer[0], all, temp_.path());
        };
        const auto no = withFiles(refused);
        EXPECT_EQ(no.status, 2) << writer[0];
        EXPECT_THAT(no.err, HasSubstr("key \"[0].systemFolder\": given with hasSystemFiles 0"));
        EXPECT_EQ(test::ReadHostFile(database), "before");
        EXPECT_FALSE(std::filesystem::exists(database + ".tmp"));

        const auto yes = withFiles(good);
        EXPECT_EQ(yes.status, 0) << yes.err;
        EXPECT_EQ(test::ReadHostFile(database).substr(0, 32), "KPZSUPPORTEDPORTABLEDEVICESv9.00");
        EXPECT_FALSE(std::filesystem::exists(database + ".tmp"));

        // A folder in the file's place: written, but not put there; nothing left behind.
        const std::string folder = temp_.PathOf("folder.bin");
        std::filesystem::create_directories(folder);
        const auto blocked = withFiles(good, folder);
        EXPECT_EQ(blocked.status, 1) << writer[0];
        EXPECT_THAT(blocked.out + blocked.err, HasSubstr(folder + ": cannot be written"));
        EXPECT_TRUE(std::filesystem::is_directory(folder));
        EXPECT_FALSE(std::filesystem::exists(folder + ".tmp"));
    }
}

}  // namespace

namespace {

// The demo as `make demo` makes and runs it, in a folder of its own.
TEST(Demo, UpgradesEToTheInstalledVersion) {
    test::TempDir temp;
    const std::string output = temp.PathOf("demo");
    const auto made = test::RunProgram(KPZ_DEMO_PATH, {KPZ_DEMO_SOURCE, output}, temp.path());
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string machine = output + "/machine.json";

    const auto before = test::RunZarnUpgrade({"--machine", machine, "--json", "list"}, temp.path());
    ASSERT_EQ(before.status, 0) << before.err;
    const json rows = json::parse(before.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["drive"], "E:");
    EXPECT_EQ(rows[0]["currentVersion"], "3.170");
    EXPECT_EQ(rows[0]["upgradeVersion"], "3.180");
    EXPECT_EQ(rows[1]["drive"], "G:");
    EXPECT_EQ(rows[1]["currentVersion"], rows[1]["upgradeVersion"]);

    const auto upgrade = test::RunZarnUpgrade({"--machine", machine, "upgrade", "E:"}, temp.path());
    EXPECT_EQ(upgrade.status, 0) << upgrade.out << upgrade.err;
    EXPECT_THAT(upgrade.OutLines().back(), StartsWith("E:  Upgrade completed successfully "));
    EXPECT_TRUE(std::filesystem::is_directory(output + "/e/Playlists"));
    EXPECT_TRUE(std::filesystem::exists(output + "/e/System/Data/Fonts/small.fnt"));

    const auto after = test::RunZarnUpgrade({"--machine", machine, "--json", "list"}, temp.path());
    EXPECT_EQ(json::parse(after.out)[0]["currentVersion"], "3.180");

    // Made afresh: the upgraded player is old again.
    ASSERT_EQ(test::RunProgram(KPZ_DEMO_PATH, {KPZ_DEMO_SOURCE, output}, temp.path()).status, 0);
    const auto again = test::RunZarnUpgrade({"--machine", machine, "--json", "list"}, temp.path());
    EXPECT_EQ(json::parse(again.out)[0]["currentVersion"], "3.170");
    // A folder that is no demo output is not replaced.
    const auto refused =
        test::RunProgram(KPZ_DEMO_PATH, {KPZ_DEMO_SOURCE, output + "/e"}, temp.path());
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(std::filesystem::exists(output + "/e/System/QDAV3180.mi4"));
}

// A further computer goes into a folder of its own, never over a drive or outside the output.
TEST(Demo, RefusesAComputerThatWouldNotHaveAFolderOfItsOwn) {
    test::TempDir temp;
    for (const char* name : {"c", "../up", ""}) {
        json description = {
            {"machine", {{"drives", {{"C", {{"type", "fixed"}, {"folder", "c"}}}}}}},
            {"database",
             {{"entries", "devices.json"}, {"path", "C:\\KPZSupportedPortableDevices.bin"}}},
            {"files", json::array()},
            {"computers", {{name, "other.json"}}}};
        test::WriteHostFile(temp.PathOf("source/demo.json"), description.dump());
        const auto run = test::RunProgram(KPZ_DEMO_PATH,
                                          {temp.PathOf("source"), temp.PathOf("out")}, temp.path());
        EXPECT_EQ(run.status, 2) << name;
        EXPECT_THAT(run.err, HasSubstr("expected a folder name")) << name;
        EXPECT_FALSE(std::filesystem::exists(temp.PathOf("out"))) << name;
    }
}

// The demo's Windows 98 and Me computers: each lists its player, found by its own method.
TEST(Demo, TheWindows98AndMeComputersListTheirPlayers) {
    test::TempDir temp;
    const std::string output = temp.PathOf("demo");
    ASSERT_EQ(test::RunProgram(KPZ_DEMO_PATH, {KPZ_DEMO_SOURCE, output}, temp.path()).status, 0);
    const struct {
        const char* computer;
        const char* device;
        const char* method;  // a service call only that method makes
        const char* other;   // one it never makes
    } rows[] = {
        {"win98", "Zarn Jukebox 20", "SetupDiGetClassDevsA", "VWIN32 440Dh"},
        {"winme", "Zarn Jukebox 30", "VWIN32 440Dh E:", "SetupDi"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.computer);
        const std::string machine = output + "/" + row.computer + "/machine.json";
        const auto listed =
            test::RunZarnUpgrade({"--machine", machine, "--json", "list"}, temp.path());
        ASSERT_EQ(listed.status, 0) << listed.err;
        const json rows = json::parse(listed.out);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0]["drive"], "E:");
        EXPECT_EQ(rows[0]["device"], row.device);
        EXPECT_NE(rows[0]["currentVersion"], rows[0]["upgradeVersion"]);

        const auto detected = test::RunZarnUpgrade(
            {"--machine", machine, "--json", "detect", "--trace"}, temp.path());
        const auto services = json::parse(detected.out)["services"].get<std::vector<std::string>>();
        EXPECT_THAT(services, ::testing::Contains(StartsWith(row.method)));
        EXPECT_THAT(services, ::testing::Not(::testing::Contains(StartsWith(row.other))));
    }
}

}  // namespace
