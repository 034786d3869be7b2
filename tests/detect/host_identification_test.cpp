// Identification and the two device queries on the Linux host: the detection's own request
// blocks answered from a fixture sysfs and an SG_IO stand-in.
#include <gtest/gtest.h>

#include <cerrno>

#include "database/database_writer.h"
#include "detect/database_file.h"
#include "detect/nt_identification.h"
#include "detect/nt_queries.h"
#include "detect/supported_devices.h"
#include "detect_fixture.h"
#include "platform/win32.h"
#include "support/host_tree.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
const Bytes kStandardInquiry = {0x12, 0x00, 0x00, 0x00, 0x24, 0x00};
const Bytes kPage80 = {0x12, 0x01, 0x80, 0x00, 0xFF, 0x00};
const Bytes kPageC0 = {0x12, 0x01, 0xC0, 0x00, 0xFF, 0x00};

class HostIdentification : public ::testing::Test {
  protected:
    HostIdentification() : tree_(temp_) {
        auto scsi = std::make_unique<test::FakeScsi>();
        scsi_ = scsi.get();
        host_ = std::make_unique<platform::posix::HostSystem>(tree_.Paths(), std::move(scsi));
        installed_ = std::make_unique<platform::ScopedSystem>(*host_);
    }

    // A USB player on D: whose disk is /dev/sdb, with the given sysfs facts.
    std::string MountPlayer(test::DiskSpec disk) {
        disk.name = "sdb";
        const std::string folder = tree_.AddDisk(disk);
        mount_ = tree_.Mount(8, disk.minor, "ZARN JUKEBOX");
        return folder;
    }

    // Runs the enumeration with a database on the host's Z: drive.
    int Enumerate(dbtool::Description model) {
        dbtool::DatabaseWriter writer(dbtool::FormatVersion::v9_00);
        writer.Entry(model);
        const std::string path = temp_.PathOf("KPZSupportedPortableDevices.bin");
        test::WriteHostFile(path, writer.Bytes());
        reported_.clear();
        return KPZPortableDeviceDetectionEnumDevices(
            platform::posix::HostSystem::WindowsPathOf(path).c_str(), &Keep, 0);
    }
    static int Keep(tagPORTDEVINFO& device, long) {
        reported_.push_back(device);
        return 1;
    }

    test::TempDir temp_;
    test::HostTree tree_;
    test::FakeScsi* scsi_ = nullptr;
    std::unique_ptr<platform::posix::HostSystem> host_;
    std::unique_ptr<platform::ScopedSystem> installed_;
    std::string mount_;
    static inline std::vector<tagPORTDEVINFO> reported_;
};

TEST_F(HostIdentification, IdentityFromEachOfItsSources) {
    struct Case {
        const char* source;
        bool sysfsInquiry;
        bool sgIo;
        bool texts;
        int identified;
    } cases[] = {
        {"sysfs inquiry", true, false, false, 1},
        {"SG_IO inquiry", false, true, false, 1},
        {"vendor and model texts", false, false, true, 1},
        {"sysfs inquiry before the texts", true, false, true, 1},
        {"none", false, false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        test::TempDir temp;
        test::HostTree tree(temp);
        auto scsi = std::make_unique<test::FakeScsi>();
        test::DiskSpec disk = test::UsbDisk("sdb", 16);
        if (c.sysfsInquiry) disk.inquiry = test::InquiryData("VELMORA", "ZJ-20");
        if (c.texts) {
            disk.vendor = c.sysfsInquiry ? "Other\n" : "Velmora\n";
            disk.model = c.sysfsInquiry ? "Other\n" : "ZJ-20\n";
        }
        if (c.sgIo) {
            scsi->Answer("/dev/sdb", kStandardInquiry, test::InquiryData("velmora", "zj-20"));
        }
        tree.AddDisk(disk);
        tree.Mount(8, 16, "player");
        platform::posix::HostSystem host(tree.Paths(), std::move(scsi));
        platform::ScopedSystem installed(host);

        dbtool::DatabaseWriter writer(dbtool::FormatVersion::v9_00);
        writer.Entry(test::ZarnModel());
        const std::string path = temp.PathOf("db.bin");
        test::WriteHostFile(path, writer.Bytes());
        ASSERT_TRUE(
            detect::LoadSupportedDevices(platform::posix::HostSystem::WindowsPathOf(path).c_str()));
        detect::SupportedDevicesLoan loan;
        tagPORTDEVINFO device;
        device.driveLetter = 'D';
        EXPECT_EQ(detect::IdentifyNtDevice(device), c.identified);
        if (c.identified) {
            EXPECT_STREQ(device.desc.displayName, "Zarn Jukebox 20");
        }
    }
}

TEST_F(HostIdentification, PageC0InBothFormsThroughTheSeam) {
    struct Case {
        Bytes answer;
        std::uint8_t status;
        int result;
        std::uint8_t state;
    } cases[] = {
        {{0x07, 0x00}, 0, 0, 7},     // byte 1 = 0: the state is byte 0
        {{0x01, 0x02}, 0, 0, 3},     // byte 1 = 2: byte 0 = 1 gives 3
        {{0x02, 0x02}, 0, 0, 4},     //             byte 0 = 2 gives 4
        {{0x00, 0xC0}, 0, 5, 0xEE},  // the standard page form is not one of them
        {{0x00, 0x00}, 2, 2, 0xEE},  // CHECK CONDITION: the request failed
    };
    MountPlayer(test::UsbDisk("sdb", 16, test::InquiryData("Velmora", "ZJ-20")));
    for (const Case& c : cases) {
        scsi_->Answer("/dev/sdb", kPageC0, c.answer, c.status);
        std::uint8_t state = 0xEE;
        EXPECT_EQ(detect::ReadNtDeviceState('D', &state), c.result);
        EXPECT_EQ(state, c.state);
        test::FakeScsi fresh;
        *scsi_ = fresh;  // the next case's answer only
    }
}

TEST_F(HostIdentification, PassThroughSendsTheBlocksCommandWithItsTimeOut) {
    MountPlayer(test::UsbDisk("sdb", 16, test::InquiryData("Velmora", "ZJ-20")));
    scsi_->Answer("/dev/sdb", kPage80, {0, 0x80, 0, 8, 'S', 'N', '0', '0', '0', '0', '4', '2'});
    std::uint8_t serial[8] = {};
    ASSERT_EQ(detect::ReadNtSerialNumber('D', serial), 0);
    EXPECT_EQ(std::string(serial, serial + 8), "SN000042");
    ASSERT_EQ(scsi_->sent.size(), 1u);
    EXPECT_EQ(scsi_->sent[0].node, "/dev/sdb");  // the whole disk
    EXPECT_EQ(scsi_->sent[0].cdb, kPage80);
    EXPECT_EQ(scsi_->sent[0].timeoutMilliseconds, 2000u);
}

TEST_F(HostIdentification, Page80FromSysfsWhereTheKernelFetchedIt) {
    test::DiskSpec disk = test::UsbDisk("sdb", 16, test::InquiryData("Velmora", "ZJ-20"));
    disk.vpd80 = {0, 0x80, 0, 8, 'F', 'R', 'O', 'M', 'S', 'Y', 'S', 'F'};
    MountPlayer(disk);
    std::uint8_t serial[8] = {};
    ASSERT_EQ(detect::ReadNtSerialNumber('D', serial), 0);
    EXPECT_EQ(std::string(serial, serial + 8), "FROMSYSF");
    EXPECT_TRUE(scsi_->sent.empty());
}

TEST_F(HostIdentification, AFoundPlayerIsReportedWithItsSerialAndState) {
    test::DiskSpec internal = test::UsbDisk("sda", 0);
    internal.usb = false;
    tree_.AddDisk(internal);
    tree_.Mount(8, 0, "internal");
    MountPlayer(test::UsbDisk("sdb", 16, test::InquiryData("Velmora", "ZJ-20")));
    scsi_->Answer("/dev/sdb", kPage80, {0, 0x80, 0, 8, 'Z', 'J', '0', '0', '1', '2', '3', '4'});
    scsi_->Answer("/dev/sdb", kPageC0, {0, 0});
    ASSERT_EQ(Enumerate(test::ZarnModel()), 1);
    EXPECT_EQ(reported_[0].driveLetter, 'D');
    EXPECT_STREQ(reported_[0].desc.serialNumber, "ZJ001234");
    EXPECT_EQ(reported_[0].desc.deviceState, 0);
    EXPECT_EQ(reported_[0].desc.hasSystemFiles, 1u);
    EXPECT_TRUE(host_->TakeDeviceNotices().empty());
}

TEST_F(HostIdentification, ANodeThatCannotBeOpenedIsToldOnceClearly) {
    MountPlayer(test::UsbDisk("sdb", 16, test::InquiryData("Velmora", "ZJ-20")));
    scsi_->Refuse("/dev/sdb", EACCES);
    ASSERT_EQ(Enumerate(test::ZarnModel()), 1);  // identified from sysfs all the same
    EXPECT_EQ(reported_[0].desc.deviceState, -1);
    EXPECT_EQ(reported_[0].desc.hasSystemFiles, 0u);
    const std::vector<std::string> notices = host_->TakeDeviceNotices();
    ASSERT_EQ(notices.size(), 1u);  // both queries failed, one line
    EXPECT_EQ(notices[0],
              "D: /dev/sdb: permission denied: install the udev rule or run with access to the "
              "device");
    EXPECT_TRUE(host_->TakeDeviceNotices().empty());
}

}  // namespace
