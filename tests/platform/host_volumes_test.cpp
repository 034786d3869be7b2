// The Linux host's drive table: removable volumes from a fixture mountinfo and sysfs, their
// letters, and the files on them through the facade.
#include <gtest/gtest.h>

#include "platform/posix/drive_letters.h"
#include "platform/posix/mount_table.h"
#include "platform/win32.h"
#include "support/host_tree.h"

namespace {

using namespace win32;
using platform::posix::HostSystem;

class HostVolumes : public ::testing::Test {
  protected:
    HostVolumes() : tree_(temp_) {}

    HostSystem& Host() {
        if (!host_) {
            auto scsi = std::make_unique<test::FakeScsi>();
            scsi_ = scsi.get();
            host_ = std::make_unique<HostSystem>(tree_.Paths(), std::move(scsi));
        }
        return *host_;
    }

    // The removable letters of the host's drive table, "DE" for D: and E:.
    std::string RemovableLetters() {
        std::string letters;
        const DWORD mask = Host().GetLogicalDrives();
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            if ((mask & (1u << (letter - 'A'))) == 0) continue;
            const char root[] = {letter, ':', '\\', 0};
            if (Host().GetDriveType(root) == DRIVE_REMOVABLE) letters += letter;
        }
        return letters;
    }

    test::TempDir temp_;
    test::HostTree tree_;
    test::FakeScsi* scsi_ = nullptr;
    std::unique_ptr<HostSystem> host_;
};

TEST(MountTable, ParsesOptionalFieldsEscapesAndSkipsBrokenLines) {
    const auto entries = platform::posix::ParseMountInfo(
        "36 35 8:17 / /media/Zarn\\040Player rw shared:1 master:2 - vfat /dev/sdb1 rw\n"
        "37 35 8:32 / /mnt/a rw - ext4 /dev/sdc rw\n"
        "broken line\n"
        "38 35 x:1 / /mnt/b rw - ext4 /dev/sdd rw\n"
        "39 35 8:48 /sub /mnt/back\\134slash rw -\n");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].major, 8u);
    EXPECT_EQ(entries[0].minor, 17u);
    EXPECT_EQ(entries[0].mountPoint, "/media/Zarn Player");
    EXPECT_EQ(entries[0].fsType, "vfat");
    EXPECT_EQ(entries[0].source, "/dev/sdb1");
    EXPECT_EQ(entries[1].mountPoint, "/mnt/a");
    EXPECT_EQ(platform::posix::UnescapeMountField("a\\134b\\011c\\12"), "a\\b\tc\\12");
}

TEST_F(HostVolumes, WhichDisksAreRemovable) {
    struct Case {
        const char* name;
        bool usb;
        const char* removable;
        bool found;
    } cases[] = {
        {"sdb", true, "0", true},    // a hard-disk player on USB says it is fixed
        {"sdc", true, "1", true},    // a USB stick
        {"sda", false, "0", false},  // the internal SATA disk
        {"mmcblk0", false, "1", true},
    };
    unsigned minor = 0;
    for (const Case& c : cases) {
        test::DiskSpec disk;
        disk.name = c.name;
        disk.minor = minor;
        disk.usb = c.usb;
        disk.removable = c.removable;
        tree_.AddDisk(disk);
        tree_.Mount(8, minor, c.name);
        minor += 16;
    }
    tree_.AddMountLine("50 1 0:40 / /run/user tmpfs rw - tmpfs tmpfs rw");
    EXPECT_EQ(RemovableLetters(), "DEF");
    EXPECT_EQ(Host().VolumeNode('D'), "/dev/sdb");
    EXPECT_EQ(Host().VolumeNode('E'), "/dev/sdc");
    EXPECT_EQ(Host().VolumeNode('F'), "/dev/mmcblk0");
    EXPECT_EQ(Host().GetDriveType("Z:\\"), DRIVE_FIXED);
    EXPECT_EQ(Host().GetDriveType("G:\\"), DRIVE_NO_ROOT_DIR);
}

TEST_F(HostVolumes, PartitionAndWholeDiskFileSystemsOnAMountPointWithSpaces) {
    tree_.AddDisk(test::UsbDisk("sdb", 16));
    tree_.AddPartition("sdb", "sdb1", 8, 17);
    tree_.AddDisk(test::UsbDisk("sdc", 32));
    const std::string partition = tree_.Mount(8, 17, "Zarn Jukebox");
    const std::string whole = tree_.Mount(8, 32, "whole disk");
    test::WriteHostFile(partition + "/on partition.txt", "p");
    test::WriteHostFile(whole + "/on disk.txt", "d");
    platform::ScopedSystem installed(Host());

    EXPECT_EQ(RemovableLetters(), "DE");
    EXPECT_EQ(Host().VolumeNode('D'), "/dev/sdb1");
    EXPECT_EQ(Host().VolumeNode('E'), "/dev/sdc");
    EXPECT_NE(GetFileAttributesA("D:\\ON PARTITION.TXT"), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA("e:\\on disk.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("D:\\on disk.txt"), INVALID_FILE_ATTRIBUTES);
    ULARGE_INTEGER available{}, total{}, free{};
    EXPECT_TRUE(GetDiskFreeSpaceExA("D:\\", &available, &total, &free));
    EXPECT_GT(total.QuadPart, 0u);
}

TEST_F(HostVolumes, LettersStayWhileOthersComeAndGo) {
    for (unsigned i = 0; i < 3; ++i) {
        tree_.AddDisk(test::UsbDisk(std::string("sd") + char('b' + i), 16 * (i + 1)));
    }
    tree_.Mount(8, 16, "first");
    EXPECT_EQ(RemovableLetters(), "D");
    tree_.Mount(8, 32, "second");
    EXPECT_EQ(Host().VolumeNode('E'), "/dev/sdc");
    tree_.Unmount("first");
    EXPECT_EQ(RemovableLetters(), "E");
    EXPECT_FALSE(Host().DriveReachable('D'));
    EXPECT_EQ(Host().VolumeNode('E'), "/dev/sdc");  // kept its letter
    tree_.Mount(8, 48, "third");
    EXPECT_EQ(Host().VolumeNode('D'), "/dev/sdd");  // the lowest free letter
    tree_.Mount(8, 16, "first again");
    EXPECT_EQ(Host().VolumeNode('F'), "/dev/sdb");
    EXPECT_EQ(RemovableLetters(), "DEF");
}

TEST(DriveLetters, SkipsTheReservedLetterAndRunsOut) {
    platform::posix::DriveLetters letters('Z');
    std::vector<std::uint64_t> volumes;
    for (std::uint64_t i = 0; i < 24; ++i) volumes.push_back(i);
    const std::vector<char> given = letters.Update(volumes);
    EXPECT_EQ(given[0], 'D');
    EXPECT_EQ(given[21], 'Y');
    EXPECT_EQ(given[22], 0);  // Z: is the host's root; no letter is left
    EXPECT_EQ(letters.Update({5, 23})[1], 'D');
}

TEST_F(HostVolumes, AHandleOnAVolumeThatWentAwayFails) {
    tree_.AddDisk(test::UsbDisk("sdb", 16, test::InquiryData("Velmora", "ZJ-20")));
    tree_.Mount(8, 16, "player");
    platform::ScopedSystem installed(Host());
    HANDLE volume =
        CreateFileA("\\\\.\\D:", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(volume, INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileA("\\\\.\\E:", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    tree_.Unmount("player");
    std::uint8_t query[12] = {};
    std::uint8_t descriptor[512];
    DWORD returned = 0;
    EXPECT_FALSE(DeviceIoControl(volume, IOCTL_STORAGE_QUERY_PROPERTY, query, sizeof query,
                                 descriptor, sizeof descriptor, &returned, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_EQ(GetFileAttributesA("D:\\"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(CloseHandle(volume));
}

}  // namespace
