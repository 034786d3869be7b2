#include "engine/upgrade.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "engine/firmware_image.h"
#include "firmware/firmware_image_writer.h"
#include "platform/win32.h"
#include "status_recorder.h"
#include "support/sim_fixture.h"

namespace {

using namespace win32;
using Codes = std::vector<std::uint32_t>;

class Upgrade : public test::SimFixture {
  public:
    using SimFixture::Host;  // the failure table arranges through them
    using SimFixture::machine_;

    Upgrade() {
        AddDrive('E');
        device_.driveLetter = 'E';
        std::strcpy(device_.desc.productId, "ZJ-20           ");
        std::strcpy(device_.desc.displayName, "Zarn ZJ-20");
        std::strcpy(device_.desc.systemFolder, "\\System");
        device_.desc.hasSystemFiles = 1;
    }

    void Entry(const char* path, std::uint32_t failIfExists = 0) {
        auto entry = std::make_unique<tagPORTDEVSYSFILE>();
        std::strcpy(entry->path, path);
        entry->failIfExists = failIfExists;
        device_.desc.systemFiles.push_back(std::move(entry));
    }
    void Source(const std::string& relative, const std::string& content) {
        test::WriteHostFile(Host("C:\\Zarn\\ZJ-20\\System\\" + relative), content);
    }
    int Run() {
        return UpgradePortableDevice(&device_, "C:\\Zarn", test::StatusRecorder::Callback,
                                     &reportErrors_);
    }
    std::string OnDevice(const std::string& path) { return test::ReadHostFile(Host(path)); }

    tagPORTDEVINFO device_;
    test::StatusRecorder recorder_;
    int reportErrors_ = 1;
};

TEST_F(Upgrade, CompleteRunSendsOneStepPerEntryAndFoundItem) {
    const fwtool::FirmwareHeader firmware{"portalplayer", "QN01", "3.180"};
    test::WriteHostFile(Host("C:\\Zarn\\ZJ-20\\System\\QDAV3180.mi4"),
                        fwtool::ImageBytes(firmware, 2048));
    for (const char* name : {"kvq.exe", "Music\\a.mp3", "Music\\Sub\\b.mp3", "Music\\Sub\\c.mp3",
                             "Music\\z.mp3", "settings.ini"}) {
        Source(name, name);
    }
    Entry("\\kvq.exe");
    device_.desc.systemFiles.push_back(nullptr);
    Entry("Data\\");
    Entry("");
    Entry("QDAV3180.mi4");
    Entry("Music\\*");
    Entry("\\Music\\*.wav");  // finds nothing: the run goes on
    Entry("*.ini");           // no backslash: into the device folder itself

    ASSERT_EQ(Run(), 1);
    std::int32_t steps = 0;
    ASSERT_EQ(CountUpgradeSteps(&device_, "C:\\Zarn\\ZJ-20\\System", &steps), 1);
    EXPECT_EQ(steps, 12);
    Codes expected{1, 8};
    expected.insert(expected.end(), 12, 9);
    expected.push_back(2);
    EXPECT_EQ(recorder_.Codes(), expected);
    EXPECT_EQ(recorder_.sent[1].count, 12u);
    EXPECT_EQ(recorder_.sent[2].count, 12u);              // a list step
    EXPECT_EQ(recorder_.sent[6].count, 0u);               // a tree step
    EXPECT_EQ(machine_.TotalSleptMilliseconds(), 1000u);  // two file entries
    EXPECT_EQ(reportErrors_, 1);

    EXPECT_EQ(GetFileAttributesA("E:\\System"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(GetFileAttributesA("E:\\System\\Data"),
              FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(test::HostExists(Host("E:\\System\\qdav3180.mi4")));
    EXPECT_EQ(OnDevice("E:\\System\\Music\\Sub\\c.mp3"), "Music\\Sub\\c.mp3");
    EXPECT_EQ(OnDevice("E:\\System\\settings.ini"), "settings.ini");
    platform::File image;
    ASSERT_TRUE(image.Open("E:\\System\\QDAV3180.mi4", platform::File::modeRead));
    char version[6] = {};
    EXPECT_EQ(ReadFirmwareVersion(image, version), 1);
    EXPECT_STREQ(version, "3.180");
}

// A folder on the player that is a link to somewhere else is never followed: the tree's files
// fail to copy and nothing outside the drive changes.
TEST_F(Upgrade, ALinkOnThePlayerIsNeverFollowed) {
    const std::string outside = temp_.MakeFolder("outside");
    test::WriteHostFile(outside + "/song.mp3", "outside");
    test::MakeFolderFor(Host("E:\\System\\x"));
    ASSERT_EQ(::symlink(outside.c_str(), Host("E:\\System\\Data").c_str()), 0);
    Source("Data\\song.mp3", "new song");
    Entry("Data\\*");

    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(recorder_.Codes(), (Codes{1, 8, 9, 9, 11}));
    EXPECT_EQ(test::ReadHostFile(outside + "/song.mp3"), "outside");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(outside), {}), 1);
    char value[16];
    EXPECT_LT(::getxattr((outside + "/song.mp3").c_str(), "user.DOSATTRIB", value, sizeof value),
              0);  // not hidden either
}

TEST_F(Upgrade, EmptyListStillMakesTheHiddenDeviceFolder) {
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(recorder_.Codes(), (Codes{1, 8, 2}));
    EXPECT_EQ(recorder_.sent[1].count, 0u);
    EXPECT_EQ(GetFileAttributesA("E:\\System"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(Upgrade, FreeSpaceWarningComesBeforeTheAbort) {
    std::strcpy(device_.desc.displayName, std::string(255, 'N').c_str());
    Source("kvq.exe", "1234567");
    Entry("kvq.exe");
    machine_.FindDrive('E')->freeBytes = 7;
    std::size_t boxesAtAbort = 0;
    recorder_.onNotify = [&](std::uint32_t code, std::size_t) {
        if (code == UPGSTAT_ABORTED) boxesAtAbort = ui_.Boxes().size();
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(boxesAtAbort, 1u);
    const auto box = ui_.Boxes().at(0);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.caption, "Free Disk Space");
    EXPECT_EQ(box.icon, MB_ICONWARNING);
    EXPECT_EQ(box.buttons, MB_OK);
    EXPECT_EQ(box.text, "WARNING:  The " + std::string(255, 'N') +
                            " device (E:\\) may not have enough free space available to safely "
                            "proceed with the firmware upgrade.  Please free some additional "
                            "space on the device before continuing with the upgrade process.");
}

TEST_F(Upgrade, SystemFolderWithOrWithoutLeadingBackslashAndWithoutCallback) {
    Source("kvq.exe", "program");
    Entry("kvq.exe");
    for (const char* folder : {"System", "\\System"}) {
        std::strcpy(device_.desc.systemFolder, folder);
        std::filesystem::remove_all(Host("E:\\System"));
        EXPECT_EQ(UpgradePortableDevice(&device_, "C:\\Zarn\\", nullptr, nullptr), 1) << folder;
        EXPECT_EQ(OnDevice("E:\\System\\kvq.exe"), "program") << folder;
    }
    device_.desc.systemFiles[0]->failIfExists = 1;
    EXPECT_EQ(UpgradePortableDevice(&device_, "C:\\Zarn", nullptr, nullptr), 0);
    EXPECT_EQ(UpgradePortableDevice(nullptr, "C:\\Zarn", nullptr, nullptr), 0);
}

TEST_F(Upgrade, SourceSizesCountWholeAndOnlyForFileEntries) {
    Source("kvq.exe", "1234567");
    Source("Music\\a.mp3", "not counted");
    Entry("kvq.exe");
    Entry("Music\\*");
    Entry("Music\\");
    std::uint64_t size = 99;
    const char* source = "C:\\Zarn\\ZJ-20\\System";
    ASSERT_EQ(GetUpgradeFilesSize(&device_, source, &size), 1);
    EXPECT_EQ(size, 7u);
    // A 4 GiB + 100 byte file is not 100 bytes.
    Source("big.bin", "");
    std::filesystem::resize_file(Host("C:\\Zarn\\ZJ-20\\System\\big.bin"), (1ull << 32) + 100);
    Entry("big.bin");
    ASSERT_EQ(GetUpgradeFilesSize(&device_, source, &size), 1);
    EXPECT_EQ(size, (1ull << 32) + 107);
    machine_.FindDrive('E')->freeBytes = 1000;
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(recorder_.Codes(), (Codes{1, 5}));

    Entry("missing.bin");
    EXPECT_EQ(GetUpgradeFilesSize(&device_, source, &size), 0);
    device_.desc.hasSystemFiles = 0;
    ASSERT_EQ(GetUpgradeFilesSize(&device_, source, &size), 1);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(GetUpgradeFilesSize(nullptr, source, &size), 0);
}

// The failure table: the notifications in order, the result and the front end's flag.
struct Outcome {
    const char* name;
    std::function<void(Upgrade&)> arrange;
    Codes codes;
    int result;
    int reportErrors;
    std::function<void(Upgrade&)> check = nullptr;
};

void PrintTo(const Outcome& outcome, std::ostream* out) {
    *out << outcome.name;
}

class UpgradeOutcome : public Upgrade, public ::testing::WithParamInterface<Outcome> {};

TEST_P(UpgradeOutcome, NotificationsResultAndFlag) {
    const Outcome& outcome = GetParam();
    outcome.arrange(*this);
    EXPECT_EQ(Run(), outcome.result);
    EXPECT_EQ(recorder_.Codes(), outcome.codes);
    EXPECT_EQ(reportErrors_, outcome.reportErrors);
    if (outcome.check) outcome.check(*this);
}

void WithProgram(Upgrade& u, std::uint32_t failIfExists = 0) {
    u.Source("kvq.exe", "new program");
    u.Entry("kvq.exe", failIfExists);
}

const Outcome kOutcomes[] = {
    {"FreeBytesEqualToRequired",
     [](Upgrade& u) {
         WithProgram(u);
         u.machine_.FindDrive('E')->freeBytes = 11;
     },
     {1, 5},
     0,
     0,
     [](Upgrade& u) { EXPECT_FALSE(test::HostExists(u.Host("E:\\System"))); }},
    {"OneFreeByteMore",
     [](Upgrade& u) {
         WithProgram(u);
         u.machine_.FindDrive('E')->freeBytes = 12;
     },
     {1, 8, 9, 2},
     1,
     1},
    {"FreeSpaceQueryFailsDeviceGone",
     [](Upgrade& u) {
         WithProgram(u);
         u.machine_.Unplug('E');
     },
     {1, 6},
     0,
     0},
    {"MissingSourceSkipsTheCheck",
     [](Upgrade& u) {
         u.Entry("missing.bin");
         WithProgram(u);
         u.machine_.FindDrive('E')->freeBytes = 0;
     },
     {1, 8, 9, 9, 10},
     1,
     1,
     [](Upgrade& u) { EXPECT_EQ(u.OnDevice("E:\\System\\kvq.exe"), "new program"); }},
    {"DeviceFolderCannotBeCreated",
     [](Upgrade& u) {
         std::strcpy(u.device_.desc.systemFolder, "Zarn\\System");
         test::WriteHostFile(u.Host("E:\\Zarn"), "a file");
     },
     {1},
     0,
     1},
    {"FailIfExistsAgainstAnExistingFile",
     [](Upgrade& u) {
         WithProgram(u, 1);
         test::WriteHostFile(u.Host("E:\\System\\kvq.exe"), "old program");
     },
     {1, 8, 9, 11},
     0,
     0,
     [](Upgrade& u) { EXPECT_EQ(u.OnDevice("E:\\System\\kvq.exe"), "old program"); }},
    {"FolderEntryCannotBeCreated",
     [](Upgrade& u) {
         test::WriteHostFile(u.Host("E:\\System\\Data"), "a file");
         u.Entry("Data\\Sub\\");
         WithProgram(u);
     },
     {1, 8, 9, 9, 2},
     1,
     1},
    {"WildcardFindsNothingDevicePresent",
     [](Upgrade& u) {
         u.Entry("Music\\*.wav");
         WithProgram(u);
     },
     {1, 8, 9, 9, 2},
     1,
     1},
    {"WildcardFindsNothingAfterUnplug",
     [](Upgrade& u) {
         u.Entry("Music\\*.wav");
         WithProgram(u);
         u.recorder_.onNotify = [&u](std::uint32_t code, std::size_t) {
             if (code == UPGSTAT_STEP) u.machine_.Unplug('E');
         };
     },
     {1, 8, 9, 6},
     0,
     0},
    {"UnpluggedDuringWildcard",
     [](Upgrade& u) {
         WithProgram(u);
         for (const char* name : {"Music\\a.mp3", "Music\\Sub\\b.mp3", "Music\\z.mp3"}) {
             u.Source(name, name);
         }
         u.Entry("Music\\*");
         // Gone in the middle of copying a.mp3; Sub and z.mp3 fail after it.
         u.recorder_.onNotify = [&u](std::uint32_t, std::size_t number) {
             if (number == 5) {
                 u.machine_.FindDrive('E')->unplugAfterOps = u.machine_.OperationsOn('E') + 1;
             }
         };
     },
     {1, 8, 9, 9, 9, 9, 9, 11},
     0,
     0,
     [](Upgrade& u) { EXPECT_EQ(u.OnDevice("E:\\System\\kvq.exe"), "new program"); }},
    {"FrameworkException",
     [](Upgrade& u) {
         WithProgram(u);
         u.recorder_.onNotify = [](std::uint32_t code, std::size_t) {
             if (code == UPGSTAT_SET_RANGE) throw std::bad_alloc();
         };
     },
     {1, 8},
     0,
     1},
    {"RefusedFileEntry",
     [](Upgrade& u) {
         test::WriteHostFile(u.Host("C:\\Zarn\\escape.txt"), "outside");
         u.Entry("..\\..\\escape.txt");
         WithProgram(u);
     },
     {1, 8, 9, 11},
     0,
     0,
     [](Upgrade& u) { EXPECT_FALSE(test::HostExists(u.Host("E:\\escape.txt"))); }},
    {"RefusedFolderEntry",
     [](Upgrade& u) { u.Entry("..\\Outside\\"); },
     {1, 8, 9, 2},
     1,
     1,
     [](Upgrade& u) { EXPECT_FALSE(test::HostExists(u.Host("E:\\Outside"))); }},
    {"RefusedWildcardEntry", [](Upgrade& u) { u.Entry("..\\..\\*"); }, {1, 8, 9, 11}, 0, 0},
    {"RefusedSystemFolder",
     [](Upgrade& u) { std::strcpy(u.device_.desc.systemFolder, "System\\..\\..\\Outside"); },
     {1},
     0,
     1,
     [](Upgrade& u) { EXPECT_FALSE(test::HostExists(u.Host("E:\\System"))); }},
    {"NoSystemFiles", [](Upgrade& u) { u.device_.desc.hasSystemFiles = 0; }, {}, 0, 1},
};

INSTANTIATE_TEST_SUITE_P(FailureTable, UpgradeOutcome, ::testing::ValuesIn(kOutcomes),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
