#include "support/host_tree.h"

#include <algorithm>
#include <filesystem>

namespace test {
namespace {

namespace fs = std::filesystem;

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == ' ') {
            out += "\\040";
        } else if (c == '\t') {
            out += "\\011";
        } else if (c == '\\') {
            out += "\\134";
        } else {
            out += c;
        }
    }
    return out;
}

std::string Bytes(const std::vector<std::uint8_t>& data) {
    return std::string(data.begin(), data.end());
}

void Link(const std::string& target, const std::string& link) {
    MakeFolderFor(link);
    fs::create_directory_symlink(target, link);
}

}  // namespace

void FakeScsi::Answer(const std::string& node, std::vector<std::uint8_t> cdbPrefix,
                      std::vector<std::uint8_t> data, std::uint8_t status) {
    replies_.push_back({node, std::move(cdbPrefix), std::move(data), status});
}

platform::posix::ScsiResult FakeScsi::Send(const std::string& node,
                                           const platform::posix::ScsiCommand& command) {
    sent.push_back({node, std::vector<std::uint8_t>(command.cdb, command.cdb + command.cdbLength),
                    command.timeoutMilliseconds});
    platform::posix::ScsiResult result;
    if (auto it = openErrors_.find(node); it != openErrors_.end()) {
        result.openError = it->second;
        return result;
    }
    for (const Reply& reply : replies_) {
        if (reply.node != node || reply.prefix.size() > command.cdbLength ||
            !std::equal(reply.prefix.begin(), reply.prefix.end(), command.cdb)) {
            continue;
        }
        const std::size_t size = std::min<std::size_t>(reply.data.size(), command.dataSize);
        std::copy_n(reply.data.begin(), size, command.data);
        result.received = static_cast<std::uint32_t>(size);
        result.status = reply.status;
        result.done = reply.status == 0;
        return result;
    }
    result.status = 2;  // CHECK CONDITION: nothing answers this command
    return result;
}

HostTree::HostTree(const TempDir& temp)
    : temp_(temp), sysfs_(temp.MakeFolder("sys")), mountInfo_(temp.PathOf("mountinfo")) {
    temp.MakeFolder("sys/dev/block");
    Write();
}

std::string HostTree::AddDisk(const DiskSpec& disk) {
    const std::string host = disk.usb ? "devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0"
                                      : "devices/pci0000:00/0000:00:17.0/ata1";
    const std::string scsi = host + "/host6/target6:0:0/6:0:0:" + std::to_string(disks_.size());
    const std::string folder = temp_.MakeFolder("sys/" + scsi + "/block/" + disk.name);
    if (disk.usb) WriteHostFile(sysfs_ + "/" + host + "/bInterfaceClass", "08\n");
    WriteHostFile(folder + "/removable", disk.removable + "\n");
    Link("../../../" + std::string("6:0:0:") + std::to_string(disks_.size()), folder + "/device");
    const std::string device = sysfs_ + "/" + scsi;
    if (!disk.inquiry.empty()) WriteHostFile(device + "/inquiry", Bytes(disk.inquiry));
    if (!disk.vendor.empty()) WriteHostFile(device + "/vendor", disk.vendor);
    if (!disk.model.empty()) WriteHostFile(device + "/model", disk.model);
    if (!disk.rev.empty()) WriteHostFile(device + "/rev", disk.rev);
    if (!disk.vpd80.empty()) WriteHostFile(device + "/vpd_pg80", Bytes(disk.vpd80));
    Link("../../" + scsi + "/block/" + disk.name,
         sysfs_ + "/dev/block/" + std::to_string(disk.major) + ":" + std::to_string(disk.minor));
    disks_[disk.name] = folder;
    return folder;
}

void HostTree::AddPartition(const std::string& disk, const std::string& name, unsigned major,
                            unsigned minor) {
    const std::string folder = disks_.at(disk) + "/" + name;
    WriteHostFile(folder + "/partition", "1\n");
    const std::string relative = fs::relative(folder, sysfs_ + "/dev/block").string();
    Link(relative, sysfs_ + "/dev/block/" + std::to_string(major) + ":" + std::to_string(minor));
}

std::string HostTree::Mount(unsigned major, unsigned minor, const std::string& folderName,
                            const std::string& fsType) {
    const std::string folder = temp_.MakeFolder("media/" + folderName);
    const std::string line = std::to_string(nextId_++) + " 1 " + std::to_string(major) + ":" +
                             std::to_string(minor) + " / " + Escaped(folder) +
                             " rw,nosuid,nodev,relatime shared:7 - " + fsType + " /dev/x rw";
    lines_.push_back({folderName, line});
    Write();
    return folder;
}

void HostTree::AddMountLine(const std::string& line) {
    lines_.push_back({"", line});
    Write();
}

void HostTree::Unmount(const std::string& folderName) {
    std::erase_if(lines_, [&](const auto& entry) { return entry.first == folderName; });
    Write();
}

// Into place by rename, as a new file: the backend sees a change by the file's identity.
void HostTree::Write() {
    std::string text =
        "21 1 0:20 / /proc rw,relatime - proc proc rw\n"
        "22 1 0:21 / /sys rw,relatime - sysfs sysfs rw\n";
    for (const auto& entry : lines_) text += entry.second + "\n";
    const std::string next = mountInfo_ + ".new";
    WriteHostFile(next, text);
    fs::rename(next, mountInfo_);
}

DiskSpec UsbDisk(const std::string& name, unsigned minor, std::vector<std::uint8_t> inquiry) {
    DiskSpec disk;
    disk.name = name;
    disk.minor = minor;
    disk.inquiry = std::move(inquiry);
    return disk;
}

std::vector<std::uint8_t> InquiryData(const std::string& vendor, const std::string& product,
                                      const std::string& revision) {
    std::vector<std::uint8_t> data(36, ' ');
    data[0] = 0;     // direct access
    data[1] = 0x80;  // removable medium
    data[2] = 2;
    data[3] = 2;
    data[4] = 31;
    data[5] = data[6] = data[7] = 0;
    std::copy(vendor.begin(), vendor.begin() + std::min<std::size_t>(vendor.size(), 8), &data[8]);
    std::copy(product.begin(), product.begin() + std::min<std::size_t>(product.size(), 16),
              &data[16]);
    std::copy(revision.begin(), revision.begin() + std::min<std::size_t>(revision.size(), 4),
              &data[32]);
    return data;
}

}  // namespace test
