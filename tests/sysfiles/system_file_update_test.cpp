#include <cstring>
#include <filesystem>

#include "engine/upgrade.h"
#include "kpz/detection.h"
#include "platform/win32.h"
#include "sysfiles/system_file_update.h"
#include "sysfiles_fixture.h"

namespace {

using sftool::Bytes;

struct Sent {
    std::uint32_t code;
    bool record;
    std::uint32_t count;
    bool operator==(const Sent&) const = default;
};

// What the callback received; one test at a time.
std::vector<Sent>* g_sent = nullptr;
std::function<void(std::uint32_t, tagUPDATESYSFILEINFO*)>* g_onNotify = nullptr;

void Record(tagPORTDEVINFO&, std::uint32_t code, tagUPDATESYSFILEINFO* info) {
    g_sent->push_back({code, info != nullptr, info ? info->dwCount : 0});
    if (g_onNotify && *g_onNotify) (*g_onNotify)(code, info);
}

constexpr const char* kRoot = "C:\\Zarn";
constexpr const char* kSourceFolder = "C:\\Zarn\\ZJ-20\\System\\";

class UpdateSystemFiles : public test::SysFilesFixture {
  protected:
    UpdateSystemFiles() {
        g_sent = &sent_;
        g_onNotify = &onNotify_;
        device_.driveLetter = 'E';
        std::strcpy(device_.desc.productId, "ZJ-20           ");
        std::strcpy(device_.desc.displayName, "Zarn Jukebox 20");
        std::strcpy(device_.desc.systemFolder, "\\System");
        device_.desc.hasSystemFiles = 1;
    }
    ~UpdateSystemFiles() override {
        g_sent = nullptr;
        g_onNotify = nullptr;
    }

    void Entry(const char* path, std::uint32_t versionCompare = 1, std::uint32_t failIfExists = 0) {
        auto entry = std::make_unique<tagPORTDEVSYSFILE>();
        std::strcpy(entry->path, path);
        entry->versionCompare = versionCompare;
        entry->failIfExists = failIfExists;
        device_.desc.systemFiles.push_back(std::move(entry));
    }

    int Run(int showMessages = 0, int showOnce = 0) {
        sent_.clear();
        return KPZPortableDeviceDetectionUpdateSystemFiles(&device_, kRoot, showMessages, showOnce,
                                                           Record);
    }

    std::vector<std::uint32_t> Codes() const {
        std::vector<std::uint32_t> codes;
        for (const auto& s : sent_) codes.push_back(s.code);
        return codes;
    }
    std::size_t Steps() const {
        return std::count_if(sent_.begin(), sent_.end(), [](auto& s) { return s.code == 9; });
    }

    // A source tree of a file, a sub-folder with two files, and another file after it.
    void SourceTree() {
        Put("C:\\Zarn\\ZJ-20\\System\\Data\\a.txt", Bytes(5, 'a'));
        Put("C:\\Zarn\\ZJ-20\\System\\Data\\m\\b.txt", Bytes(5, 'b'));
        Put("C:\\Zarn\\ZJ-20\\System\\Data\\m\\c.txt", Bytes(5, 'c'));
        Put("C:\\Zarn\\ZJ-20\\System\\Data\\z.txt", Bytes(5, 'z'));
    }

    tagPORTDEVINFO device_;
    std::vector<Sent> sent_;
    std::function<void(std::uint32_t, tagUPDATESYSFILEINFO*)> onNotify_;
};

TEST_F(UpdateSystemFiles, NothingHappensWithoutARecordARootOrSystemFiles) {
    EXPECT_EQ(KPZPortableDeviceDetectionUpdateSystemFiles(nullptr, kRoot, 1, 1, Record), 0);
    EXPECT_EQ(KPZPortableDeviceDetectionUpdateSystemFiles(&device_, nullptr, 1, 1, Record), 0);
    device_.desc.hasSystemFiles = 0;
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(sent_.empty());
    EXPECT_FALSE(Exists("E:\\System"));
}

TEST_F(UpdateSystemFiles, AnEmptyListFinishes) {
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(sent_, (std::vector<Sent>{{1, false, 0}, {8, true, 0}, {2, false, 0}}));
    EXPECT_TRUE(Hidden("E:\\System"));
}

TEST_F(UpdateSystemFiles, FoldersComeFromTheRecord) {
    const Bytes file = SystemFile("KVQ.EXE", "v1.00", "ZJ20");
    Put("C:\\Zarn\\ZJ-20\\System\\kvq.exe", file);
    Entry("\\kvq.exe");
    for (const char* systemFolder : {"\\System", "System"}) {
        std::strcpy(device_.desc.systemFolder, systemFolder);
        std::filesystem::remove_all(Host("E:\\System"));
        EXPECT_EQ(Run(), 1) << systemFolder;
        EXPECT_EQ(Get("E:\\System\\kvq.exe"), file) << systemFolder;  // blanks of the id dropped
    }
}

TEST_F(UpdateSystemFiles, TheDeviceFolderCannotBeMade) {
    machine_.Unplug('E');
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Codes(), std::vector<std::uint32_t>{1});
}

TEST_F(UpdateSystemFiles, FoldersThatWouldLeaveTheirRootAreRefused) {
    Entry("kvq.exe");
    std::strcpy(device_.desc.systemFolder, "..\\Elsewhere");
    EXPECT_EQ(Run(), 0);
    std::strcpy(device_.desc.systemFolder, "System");
    std::strcpy(device_.desc.productId, "..");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Codes(), std::vector<std::uint32_t>{1});
    EXPECT_FALSE(Exists("E:\\Elsewhere"));
}

TEST_F(UpdateSystemFiles, ASubFolderWithoutMatchesDoesNotEndTheTree) {
    Put("C:\\Zarn\\ZJ-20\\System\\Data\\a.txt", Bytes(5, 'a'));
    std::filesystem::create_directories(Host("C:\\Zarn\\ZJ-20\\System\\Data\\m.txt"));
    Put("C:\\Zarn\\ZJ-20\\System\\Data\\z.txt", Bytes(5, 'z'));
    Entry("Data\\*.txt");
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(sent_[1], (Sent{8, true, 4}));
    EXPECT_EQ(Steps(), 4u);
    EXPECT_EQ(Codes().back(), 2u);
    EXPECT_EQ(Get("E:\\System\\Data\\z.txt"), Bytes(5, 'z'));
}

TEST_F(UpdateSystemFiles, MissingFileOutcome) {
    Entry("kvq.exe");
    EXPECT_EQ(Run(0), 1);
    EXPECT_EQ(Codes(), (std::vector<std::uint32_t>{1, 8, 9, 10}));
    EXPECT_TRUE(ui_.Boxes().empty());

    std::memset(device_.desc.displayName, 'N', 255);  // the longest display name fits whole
    const std::string name(255, 'N');
    EXPECT_EQ(Run(1), 0);
    EXPECT_EQ(Codes(), (std::vector<std::uint32_t>{1, 8, 9}));
    ASSERT_EQ(ui_.Boxes().size(), 1u);
    const platform::RecordedBox box = ui_.Boxes()[0];
    EXPECT_EQ(box.caption, "System Files Error");
    EXPECT_EQ(box.icon, win32::MB_ICONINFORMATION);
    EXPECT_EQ(box.buttons, win32::MB_OK);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.text, "One or more of the necessary files on your (E:) " + name +
                            " is missing or newer than the files installed on your system. "
                            "Please check the web for the latest software update for your " +
                            name + ".");
}

TEST_F(UpdateSystemFiles, TheMissingFileBoxOncePerProcess) {
    Entry("kvq.exe");
    EXPECT_EQ(Run(1, 1), 0);
    EXPECT_EQ(Run(1, 1), 0);
    EXPECT_EQ(ui_.Boxes().size(), 1u);
    EXPECT_EQ(Codes(), (std::vector<std::uint32_t>{1, 8, 9}));  // no code either time
    EXPECT_EQ(Run(1, 0), 0);                                    // without bShowOnce: again
    EXPECT_EQ(ui_.Boxes().size(), 2u);
    EXPECT_EQ(g_bNewerFilesMessageShown, 1);
}

TEST_F(UpdateSystemFiles, CopyErrorOutcome) {
    Put("C:\\Zarn\\ZJ-20\\System\\kvq.exe", SystemFile("KVQ.EXE", "v1.00", "ZJ20"));
    Put("E:\\System\\kvq.exe", Bytes(3, 'o'));
    Entry("kvq.exe", 1, 1);  // failIfExists against the device's copy
    EXPECT_EQ(Run(0), 1);
    EXPECT_EQ(Codes(), (std::vector<std::uint32_t>{1, 8, 9, 11}));
    EXPECT_TRUE(ui_.Boxes().empty());
    EXPECT_EQ(Run(1), 0);
    EXPECT_EQ(Codes(), (std::vector<std::uint32_t>{1, 8, 9, 11}));
    ASSERT_EQ(ui_.Boxes().size(), 1u);
    EXPECT_EQ(ui_.Boxes()[0].text,
              "Unexpected errors (-4) occurred while updating the system files on the device.   "
              "One or more of the necessary system files was not properly updated on your (E:) "
              "Zarn Jukebox 20. Please verify the device is working properly.");

    Entry("missing.bin");  // both kinds: only the missing-or-newer outcome
    EXPECT_EQ(Run(0), 1);
    EXPECT_EQ(Codes(), (std::vector<std::uint32_t>{1, 8, 9, 9, 10}));
}

TEST_F(UpdateSystemFiles, NewerDeviceFiles) {
    const Bytes device = SystemFile("KVQ.EXE", "v2.00", "ZJ20", 5);
    Put("C:\\Zarn\\ZJ-20\\System\\kvq.exe", SystemFile("KVQ.EXE", "v1.00", "ZJ20"));
    Put("E:\\System\\kvq.exe", device);
    Entry("kvq.exe");
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Codes().back(), 10u);  // no checksum file: newer, not carried back
    Put("E:\\System\\kvq.crc", RecordChecksum(device));
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Codes().back(), 2u);
    EXPECT_EQ(Get("C:\\Zarn\\ZJ-20\\System\\kvq.exe"), device);
}

TEST_F(UpdateSystemFiles, StepsEqualTheCountOnACompleteRun) {
    SourceTree();
    Put("C:\\Zarn\\ZJ-20\\System\\kvq.exe", SystemFile("KVQ.EXE", "v1.00", "ZJ20"));
    Entry("\\kvq.exe");
    device_.desc.systemFiles.push_back(nullptr);
    Entry("");  // skipped like a null entry
    Entry("Playlists\\");
    Entry("\\Data\\*.*");
    EXPECT_EQ(Run(), 1);
    ASSERT_GE(sent_.size(), 2u);
    EXPECT_EQ(sent_[1], (Sent{8, true, 8}));  // 3 entries, 5 items below the wildcard entry
    EXPECT_EQ(Steps(), 8u);
    EXPECT_EQ(Codes().back(), 2u);
    EXPECT_EQ(std::count(sent_.begin(), sent_.end(), Sent{9, true, 8}), 3);
    EXPECT_EQ(std::count(sent_.begin(), sent_.end(), Sent{9, true, 0}), 5);
    EXPECT_TRUE(Hidden("E:\\System\\Playlists"));
    EXPECT_TRUE(Hidden("E:\\System\\Data\\m"));
    EXPECT_EQ(Get("E:\\System\\Data\\a.txt"), Bytes(5, 'a'));
    EXPECT_EQ(Get("E:\\System\\Data\\z.txt"), Bytes(5, 'z'));  // after the sub-folder: same folder
    EXPECT_EQ(Get("E:\\System\\Data\\m\\b.txt"), Bytes(5, 'b'));
    EXPECT_EQ(Get("E:\\System\\Data\\m\\c.txt"), Bytes(5, 'c'));

    std::int32_t counted = 0;
    ASSERT_EQ(CountUpgradeSteps(&device_, kSourceFolder, &counted), 1);
    EXPECT_EQ(counted, 8);
    EXPECT_EQ(KPZPortableDeviceDetectionUpdateSystemFiles(&device_, kRoot, 0, 0, nullptr), 1);
}

TEST_F(UpdateSystemFiles, TreeKeepsNewerDeviceFilesAndIgnoresItsFailuresWhileTheDeviceStays) {
    SourceTree();
    SetTime("C:\\Zarn\\ZJ-20\\System\\Data\\a.txt", 2000);
    Put("E:\\System\\Data\\a.txt", Bytes(2, 'n'));
    SetTime("E:\\System\\Data\\a.txt", 2001);  // newer on the device: kept
    std::filesystem::create_directories(Host("E:\\System\\Data\\z.txt"));  // can't be replaced
    Entry("Data\\*.*");
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Codes().back(), 2u);
    EXPECT_EQ(Get("E:\\System\\Data\\a.txt"), Bytes(2, 'n'));
    EXPECT_EQ(Get("E:\\System\\Data\\m\\c.txt"), Bytes(5, 'c'));
}

TEST_F(UpdateSystemFiles, RefusedEntries) {
    Put("C:\\Zarn\\ZJ-20\\evil.bin", Bytes(1, 'e'));
    Entry("..\\evil.bin");  // a failed copy
    Entry("..\\*.*");       // a failed tree, the device stays
    Entry("C:\\");          // a folder entry that is never made
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Codes(), (std::vector<std::uint32_t>{1, 8, 9, 9, 9, 11}));
    EXPECT_EQ(sent_[1].count, 3u);
    EXPECT_FALSE(Exists("E:\\evil.bin"));
    EXPECT_FALSE(Exists("E:\\System\\evil.bin"));
}

TEST_F(UpdateSystemFiles, DeviceUnpluggedDuringATree) {
    SourceTree();
    Entry("Data\\*.*");
    Entry("kvq.exe");
    onNotify_ = [this](std::uint32_t code, tagUPDATESYSFILEINFO* info) {
        if (code == 9 && info->dwCount == 0) machine_.Unplug('E');
    };
    EXPECT_EQ(Run(), 0);
    // The walk goes through what the search found, then the device is found gone; the
    // entry after the tree is never reached.
    EXPECT_EQ(Codes(), (std::vector<std::uint32_t>{1, 8, 9, 9, 9, 9, 6}));
}

TEST_F(UpdateSystemFiles, DeviceLostTwiceForOneRemoval) {
    SourceTree();
    Put("E:\\System\\Data\\a.txt", Bytes(1, 'o'));
    Entry("Data\\*.*");
    // Gone between reading the target's attributes and opening it to read its time.
    onNotify_ = [this](std::uint32_t code, tagUPDATESYSFILEINFO* info) {
        if (code == 9 && info->dwCount == 0 && Steps() == 2) {
            machine_.FindDrive('E')->unplugAfterOps = machine_.OperationsOn('E') + 3;
        }
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Codes(), (std::vector<std::uint32_t>{1, 8, 9, 9, 6, 6}));
    EXPECT_EQ(Get("E:\\System\\Data\\a.txt"), Bytes(1, 'o'));
}

}  // namespace
