#include "platform/posix/scsi_identity.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace platform::posix {
namespace {

constexpr std::size_t kStandardInquirySize = 36;
constexpr std::uint32_t kInquiryTimeoutMilliseconds = 2000;

std::string Padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

// Bytes 8-15 vendor, 16-31 product, 32-35 revision; blank-padded where the data is short.
std::optional<DeviceIdentity> FromInquiryData(const std::string& data) {
    if (data.size() < 16) return std::nullopt;
    auto field = [&](std::size_t from, std::size_t width) {
        return Padded(from < data.size() ? data.substr(from, width) : std::string(), width);
    };
    return DeviceIdentity{field(8, 8), field(16, 16), field(32, 4)};
}

std::optional<DeviceIdentity> FromDisk(const RemovableVolume& volume, ScsiCommands& scsi,
                                       int& openError) {
    const std::uint8_t cdb[6] = {0x12, 0, 0, 0, kStandardInquirySize, 0};
    std::uint8_t data[kStandardInquirySize] = {};
    std::uint8_t sense[32] = {};
    const ScsiResult result =
        scsi.Send(volume.diskNode,
                  {cdb, 6, data, sizeof data, sense, sizeof sense, kInquiryTimeoutMilliseconds});
    openError = result.openError;
    if (!result.done) return std::nullopt;
    return FromInquiryData(std::string(reinterpret_cast<const char*>(data), result.received));
}

std::optional<DeviceIdentity> FromTexts(const RemovableVolume& volume) {
    const std::string device = volume.diskFolder + "/device/";
    const std::string vendor = ReadAttribute(device + "vendor");
    const std::string model = ReadAttribute(device + "model");
    if (vendor.empty() && model.empty()) return std::nullopt;
    return DeviceIdentity{Padded(vendor, 8), Padded(model, 16),
                          Padded(ReadAttribute(device + "rev"), 4)};
}

bool IsPage80Inquiry(const ScsiCommand& command) {
    return command.cdbLength == 6 && command.cdb[0] == 0x12 && (command.cdb[1] & 1) != 0 &&
           command.cdb[2] == 0x80;
}

}  // namespace

std::string ReadBinaryAttribute(const std::string& path, std::size_t limit) {
    std::ifstream in(path, std::ios::binary);
    std::string data;
    char buffer[512];
    while (in && data.size() < limit) {
        in.read(buffer, static_cast<std::streamsize>(std::min(sizeof buffer, limit - data.size())));
        data.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    return data;
}

std::optional<DeviceIdentity> ReadDeviceIdentity(const RemovableVolume& volume, ScsiCommands& scsi,
                                                 int& openError) {
    openError = 0;
    const std::string raw = ReadBinaryAttribute(volume.diskFolder + "/device/inquiry", 256);
    if (auto identity = FromInquiryData(raw)) return identity;
    if (auto identity = FromDisk(volume, scsi, openError)) return identity;
    return FromTexts(volume);
}

ScsiResult SendInquiry(const RemovableVolume& volume, ScsiCommands& scsi,
                       const ScsiCommand& command) {
    if (IsPage80Inquiry(command)) {
        const std::uint32_t allocation = command.cdb[3] << 8 | command.cdb[4];
        const std::string page = ReadBinaryAttribute(volume.diskFolder + "/device/vpd_pg80",
                                                     std::min(allocation, command.dataSize));
        if (!page.empty()) {
            std::memcpy(command.data, page.data(), page.size());
            ScsiResult result;
            result.done = true;
            result.received = static_cast<std::uint32_t>(page.size());
            return result;
        }
    }
    return scsi.Send(volume.diskNode, command);
}

}  // namespace platform::posix
