#include "sysfiles/reconcile.h"

#include <filesystem>

#include "platform/win32.h"
#include "sysfiles_fixture.h"

namespace {

using sftool::Bytes;

constexpr const char* kSource = "C:\\Zarn\\ZJ-20\\System\\kvq.exe";
constexpr const char* kTarget = "E:\\System\\kvq.exe";
constexpr const char* kChecksum = "E:\\System\\kvq.crc";
constexpr const char* kDeviceFolder = "E:\\System\\";

class Reconcile : public test::SysFilesFixture {
  protected:
    void SetUp() override { test::MakeFolderFor(Host("E:\\System\\x")); }

    int Run(const char* entry = "kvq.exe", std::uint32_t versionCompare = 1,
            std::uint32_t failIfExists = 0) {
        newer_ = -7;
        return ReconcileSystemFile(kSource, kDeviceFolder, entry, versionCompare, &newer_,
                                   failIfExists);
    }

    std::vector<std::string> Names(const std::string& windowsFolder) const {
        std::vector<std::string> names;
        for (auto& e : std::filesystem::directory_iterator(Host(windowsFolder))) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::int32_t newer_ = 0;
};

struct HeaderCase {
    const char* what;
    Bytes source;
    Bytes device;
    int result;
    bool copied;
};

TEST_F(Reconcile, ByVersionHeader) {
    const Bytes v100 = SystemFile("KVQ.EXE", "v1.00", "ZJ20", 1);
    const HeaderCase cases[] = {
        {"equal versions are replaced", v100, SystemFile("KVQ.EXE", "v1.00", "ZJ20", 2), 0, true},
        {"older device copy", v100, SystemFile("KVQ.EXE", "v0.90", "ZJ20", 2), 0, true},
        {"another name", v100, SystemFile("QDAV.MI4", "v9.00", "ZJ20", 2), 0, true},
        {"name compared without case", v100, SystemFile("Kvq.Exe", "v9.00", "ZJ20", 2), -1, false},
        {"another tag", v100, SystemFile("KVQ.EXE", "v9.00", "ZJ40", 2), 0, true},
        {"tag compared without case", v100, SystemFile("KVQ.EXE", "v9.00", "zj20", 2), -1, false},
        {"accented letters of the code page without case",
         SystemFile("KVQ.EXE", "v1.00",
                    "Z\xC9"
                    "20",
                    1),
         SystemFile("KVQ.EXE", "v9.00",
                    "z\xE9"
                    "20",
                    2),
         -1, false},
        {"newer, no checksum file", v100, SystemFile("KVQ.EXE", "v1.01", "ZJ20", 2), -1, false},
        {"device version without v", v100, SystemFile("KVQ.EXE", "1.50", "ZJ20", 2), 0, true},
        {"both without v", SystemFile("KVQ.EXE", "x", "ZJ20", 1),
         SystemFile("KVQ.EXE", "2.00", "ZJ20", 2), 0, true},
        {"device header unreadable", v100, Bytes(63, 'x'), 0, true},
        {"source header unreadable", Bytes(63, 'x'), SystemFile("KVQ.EXE", "v0.1", "ZJ20"), 0,
         false},
    };
    for (const auto& c : cases) {
        Put(kSource, c.source);
        Put(kTarget, c.device);
        EXPECT_EQ(Run(), c.result) << c.what;
        EXPECT_EQ(newer_, c.result == -1 ? 1 : 0) << c.what;
        EXPECT_EQ(Get(kTarget), c.copied ? c.source : c.device) << c.what;
        EXPECT_EQ(Get(kSource), c.source) << c.what;
    }
}

TEST_F(Reconcile, NewerDeviceCopyIsCarriedBackThroughItsChecksumFile) {
    const Bytes device = SystemFile("KVQ.EXE", "v2.00", "ZJ20", 9);
    const Bytes checksum = RecordChecksum(device);
    Put(kSource, SystemFile("KVQ.EXE", "v1.00", "ZJ20", 1));
    win32::SetFileAttributesA(kSource, win32::FILE_ATTRIBUTE_READONLY);
    Put(kTarget, device);
    Put(kChecksum, checksum);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(newer_, 0);
    EXPECT_EQ(Get(kSource), device);
    EXPECT_EQ(Names("C:\\Zarn\\ZJ-20\\System"), std::vector<std::string>{"kvq.exe"});
    EXPECT_EQ(Get(kTarget), device);  // the device is left as it was
    EXPECT_EQ(Get(kChecksum), checksum);
}

struct RebuildCase {
    const char* what;
    const char* entry;
    Bytes checksum;
    int result;  // -1: not rebuilt
    bool checksumKept;
};

TEST_F(Reconcile, ChecksumFileChecks) {
    const Bytes device = SystemFile("KVQ.EXE", "v2.00", "ZJ20", 9);
    sftool::RecordLayoutOptions badHead, noEndMark, longTail;
    badHead.breakHeadSum = true;
    noEndMark.omitEndMark = true;
    longTail.allowLongTail = true;
    const Bytes longTailed = SystemFile("KVQ.EXE", "v2.00", "ZJ20", 9, 40);
    const RebuildCase cases[] = {
        {"head block sum", "kvq.exe", RecordChecksum(device, badHead), -1, false},
        {"no end mark", "kvq.exe", RecordChecksum(device, noEndMark), -1, false},
        {"40 tail bytes", "kvq.exe", RecordChecksum(longTailed, longTail), 0, true},
    };
    for (const auto& c : cases) {
        const Bytes source = SystemFile("KVQ.EXE", "v1.00", "ZJ20", 1);
        Put(kSource, source);
        Put(kTarget, device);
        Put(kChecksum, c.checksum);
        EXPECT_EQ(Run(c.entry), c.result) << c.what;
        EXPECT_EQ(Exists(kChecksum), c.checksumKept) << c.what;
        if (c.result == 0) {
            EXPECT_EQ(Get(kSource), Bytes(longTailed.begin(), longTailed.end() - 8)) << c.what;
        } else {
            EXPECT_EQ(newer_, 1) << c.what;
            EXPECT_EQ(Get(kSource), source) << c.what;  // the output is gone, the old copy stays
            EXPECT_EQ(Names("C:\\Zarn\\ZJ-20\\System"), std::vector<std::string>{"kvq.exe"});
        }
    }
}

TEST_F(Reconcile, ConfigFilesUseTheSingleSumLayout) {
    const std::string source = "C:\\Zarn\\ZJ-20\\System\\config.dat";
    const Bytes device = SystemFile("config.dat", "v2.00", "ZJ20", 4);  // 669 bytes
    const Bytes oversize(1025, 0x33);
    sftool::SingleSumOptions allowOversize;
    allowOversize.allowOversize = true;
    for (const Bytes& checksum :
         {SingleSumChecksum(device), SingleSumChecksum(oversize, allowOversize)}) {
        Put(source, SystemFile("config.dat", "v1.00", "ZJ20", 1));
        Put("E:\\System\\config.dat", device);
        Put("E:\\System\\config.crc", checksum);
        std::int32_t newer = 0;
        const int result =
            ReconcileSystemFile(source.c_str(), kDeviceFolder, "config.dat", 1, &newer, 0);
        const bool valid = checksum.size() <= 1025;
        EXPECT_EQ(result, valid ? 0 : -1);
        EXPECT_EQ(Exists("E:\\System\\config.crc"), valid);  // 1026 bytes: rejected and deleted
        if (valid) {
            EXPECT_EQ(Get(source), device);
        }
    }
}

TEST_F(Reconcile, ByLastWriteTime) {
    const Bytes source(100, 's'), device(100, 'd');
    struct {
        std::int64_t sourceTime, deviceTime;
        bool copied;
    } cases[] = {{1000, 1000, true}, {1001, 1000, true}, {999, 1000, false}};
    for (const auto& c : cases) {
        Put(kSource, source);
        Put(kTarget, device);
        SetTime(kSource, c.sourceTime);
        SetTime(kTarget, c.deviceTime);
        EXPECT_EQ(Run("kvq.exe", 0), 0);
        EXPECT_EQ(newer_, 0);
        EXPECT_EQ(Get(kTarget), c.copied ? source : device) << c.sourceTime;
    }
}

TEST_F(Reconcile, MissingSourceIsRebuiltWhereItBelongs) {
    const Bytes device = SystemFile("KVQ.EXE", "v2.00", "ZJ20", 9);
    EXPECT_EQ(Run(), -2);  // nowhere to take it from
    Put(kTarget, device);
    EXPECT_EQ(Run(), -2);  // no checksum file
    Put(kChecksum, RecordChecksum(device));
    EXPECT_EQ(Run(), -2);  // the source folder doesn't exist: the checksum file stays
    EXPECT_TRUE(Exists(kChecksum));
    test::MakeFolderFor(Host(kSource));
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Get(kSource), device);
    EXPECT_EQ(newer_, 0);
}

TEST_F(Reconcile, CopiesOntoTheDevice) {
    const Bytes source = SystemFile("KVQ.EXE", "v1.00", "ZJ20");
    const std::string sourceFile = "C:\\Zarn\\ZJ-20\\System\\Data\\Sub\\Voice.BIN";
    Put(sourceFile, source);
    EXPECT_EQ(ReconcileSystemFile(sourceFile.c_str(), kDeviceFolder, "\\Data\\Sub\\Voice.BIN", 1,
                                  nullptr, 0),
              0);
    EXPECT_EQ(Get("E:\\System\\Data\\Sub\\voice.bin"), source);
    EXPECT_EQ(Names("E:\\System\\Data\\Sub"), std::vector<std::string>{"voice.bin"});
    EXPECT_EQ(Names("E:\\System"), std::vector<std::string>{"Data"});  // folders keep their case
    EXPECT_TRUE(Hidden("E:\\System\\Data"));
    EXPECT_TRUE(Hidden("E:\\System\\Data\\Sub"));

    Put(kSource, source);
    Put(kTarget, Bytes(10, 'o'));
    win32::SetFileAttributesA(kTarget,
                              win32::FILE_ATTRIBUTE_READONLY | win32::FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Run("kvq.exe", 1, 1), -4);  // failIfExists against an existing file
    EXPECT_EQ(Get(kTarget), Bytes(10, 'o'));
    EXPECT_EQ(Run("kvq.exe", 1, 0), 0);  // read-only and hidden: replaced
    EXPECT_EQ(Get(kTarget), source);
}

TEST_F(Reconcile, RefusedEntriesTouchNothing) {
    Put(kSource, SystemFile("KVQ.EXE", "v1.00", "ZJ20"));
    const std::string tooLong = std::string(250, 'a') + ".exe";
    for (const char* entry : {"..\\kvq.exe", "Sub\\..\\..\\kvq.exe", "C:\\kvq.exe", "\\\\kvq.exe",
                              "Sub\\", tooLong.c_str()}) {
        EXPECT_EQ(Run(entry), -4) << entry;
    }
    EXPECT_TRUE(Names("E:\\System").empty());
    EXPECT_EQ(Names("E:\\"), std::vector<std::string>{"System"});
    EXPECT_EQ(ReconcileSystemFile(nullptr, kDeviceFolder, "kvq.exe", 1, nullptr, 0), 1);
    EXPECT_EQ(ReconcileSystemFile(kSource, nullptr, "kvq.exe", 1, nullptr, 0), 1);
}

TEST_F(Reconcile, OnlyTheFileNamesExtensionNamesTheChecksumFile) {
    // "Sys.d\kvq" has no extension: "Sys.crc" beside the folder is not its checksum file.
    const Bytes device = SystemFile("kvq", "v2.00", "ZJ20", 9);
    const std::string source = "C:\\Zarn\\ZJ-20\\System\\Sys.d\\kvq";
    Put(source, SystemFile("kvq", "v1.00", "ZJ20"));
    Put("E:\\System\\sys.d\\kvq", device);
    Put("E:\\System\\sys.crc", RecordChecksum(device));
    std::int32_t newer = 0;
    EXPECT_EQ(ReconcileSystemFile(source.c_str(), kDeviceFolder, "Sys.d\\kvq", 1, &newer, 0), -1);
    EXPECT_EQ(newer, 1);
    EXPECT_TRUE(Exists("E:\\System\\sys.crc"));

    // An extension of a dot and two letters is too short to be replaced.
    const std::string shortExtension = "C:\\Zarn\\ZJ-20\\System\\kvq.ab";
    Put(shortExtension, SystemFile("kvq.ab", "v1.00", "ZJ20"));
    Put("E:\\System\\kvq.ab", SystemFile("kvq.ab", "v2.00", "ZJ20", 9));
    Put("E:\\System\\kvq.crc", RecordChecksum(SystemFile("kvq.ab", "v2.00", "ZJ20", 9)));
    EXPECT_EQ(ReconcileSystemFile(shortExtension.c_str(), kDeviceFolder, "kvq.ab", 1, &newer, 0),
              -1);
    EXPECT_TRUE(Exists("E:\\System\\kvq.crc"));
}

}  // namespace
