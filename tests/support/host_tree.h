// A computer's volumes as files: a mountinfo text, a sysfs tree with disks and partitions,
// and a stand-in for SG_IO, for the host backend without a device.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/posix/host_system.h"
#include "platform/posix/scsi_commands.h"
#include "support/temp_dir.h"

namespace test {

// Answers the commands sent to each node as told, and records them.
class FakeScsi : public platform::posix::ScsiCommands {
  public:
    struct Sent {
        std::string node;
        std::vector<std::uint8_t> cdb;
        std::uint32_t timeoutMilliseconds;
    };

    // The data the node sends for commands whose first bytes are `cdbPrefix`.
    void Answer(const std::string& node, std::vector<std::uint8_t> cdbPrefix,
                std::vector<std::uint8_t> data, std::uint8_t status = 0);
    // Opening the node fails with `error`.
    void Refuse(const std::string& node, int error) { openErrors_[node] = error; }

    platform::posix::ScsiResult Send(const std::string& node,
                                     const platform::posix::ScsiCommand& command) override;

    std::vector<Sent> sent;

  private:
    struct Reply {
        std::string node;
        std::vector<std::uint8_t> prefix;
        std::vector<std::uint8_t> data;
        std::uint8_t status;
    };
    std::vector<Reply> replies_;
    std::map<std::string, int> openErrors_;
};

struct DiskSpec {
    std::string name;  // "sdb"
    unsigned major = 8;
    unsigned minor = 16;
    bool usb = true;                    // below a USB interface
    std::string removable = "0";        // the disk's `removable` attribute
    std::vector<std::uint8_t> inquiry;  // device/inquiry; none when empty
    std::string vendor, model, rev;     // device/vendor, model, rev (with their line end)
    std::vector<std::uint8_t> vpd80;    // device/vpd_pg80; none when empty
};

// A USB disk named `name` with minor number `minor` (major 8).
DiskSpec UsbDisk(const std::string& name, unsigned minor, std::vector<std::uint8_t> inquiry = {});

class HostTree {
  public:
    explicit HostTree(const TempDir& temp);

    platform::posix::HostPaths Paths() const { return {mountInfo_, sysfs_}; }

    // The disk's sysfs folder, with /sys/dev/block/MAJ:MIN pointing at it.
    std::string AddDisk(const DiskSpec& disk);
    // A partition of a disk added before.
    void AddPartition(const std::string& disk, const std::string& name, unsigned major,
                      unsigned minor);
    // A mount of the block device major:minor on a new folder (mountinfo escapes applied);
    // the folder's host path.
    std::string Mount(unsigned major, unsigned minor, const std::string& folderName,
                      const std::string& fsType = "vfat");
    // Another line of the mount table as it stands (a file system of no block device...).
    void AddMountLine(const std::string& line);
    void Unmount(const std::string& folderName);

  private:
    void Write();

    const TempDir& temp_;
    std::string sysfs_;
    std::string mountInfo_;
    std::map<std::string, std::string> disks_;                // name -> sysfs folder
    std::vector<std::pair<std::string, std::string>> lines_;  // folder name, line
    int nextId_ = 100;
};

// Standard INQUIRY data: 36 bytes with the blank-padded vendor, product and revision.
std::vector<std::uint8_t> InquiryData(const std::string& vendor, const std::string& product,
                                      const std::string& revision = "1.00");

}  // namespace test
