// Writes the fuzz targets' seed corpora with the project's own sample-data writers:
// kpz-fuzz-seeds FOLDER makes FOLDER/<target>/<seed> for every target.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "database/database_writer.h"
#include "firmware/firmware_image_writer.h"
#include "sysfile/checksum_writer.h"
#include "sysfile/header_writer.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

fs::path g_folder;

void Seed(const std::string& target, const std::string& name, const std::string& bytes) {
    fs::create_directories(g_folder / target);
    std::ofstream(g_folder / target / name, std::ios::binary) << bytes;
}

std::string Text(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

dbtool::Description Model(const std::string& product) {
    dbtool::Description model;
    model.productId = product;
    model.displayName = "Zarn " + product;
    model.querySerialFlag = model.queryStateFlag = 1;
    model.hasSystemFiles = 1;
    model.systemFolder = "\\System";
    model.systemFiles = {{"QDAV3180.mi4", 0}, {"kvq.exe", 1}, {"Data\\*", 0}, {"Fonts\\", 0}};
    model.playlistFolder1Enabled = 1;
    model.playlistFolder1Name = "Playlists";
    return model;
}

void DatabaseSeeds() {
    for (const auto version : dbtool::AllFormatVersions()) {
        Seed("database_reader_fuzzer", "v" + dbtool::FormatVersionName(version),
             dbtool::DatabaseWriter(version).Entry(Model("ZJ-20")).Entry(Model("ZJ-30")).Bytes());
    }
    Seed("database_reader_fuzzer", "announced-more",
         dbtool::DatabaseWriter().AnnouncedCount(5).Entry(Model("ZJ-20")).Bytes());
}

void ChecksumSeeds() {
    sftool::HeaderFields fields;
    fields.name = "kvq.exe";
    fields.tag = "ZARN";
    Bytes head, file;
    std::string error;
    sftool::MakeSysFileHeader(fields, head, error);
    const Bytes content = sftool::MakeRecordContent(head, 300, 20, 7);
    if (sftool::WriteRecordLayout(content, {}, file, error)) {
        Seed("record_layout_fuzzer", "sound", Text(file));
    }
    if (sftool::WriteSingleSumLayout(Bytes(content.begin(), content.begin() + 200), {}, file,
                                     error)) {
        Seed("single_sum_layout_fuzzer", "sound", Text(file));
    }
    Seed("sysfile_header_fuzzer", "header", Text(content));
}

void FirmwareSeeds() {
    fwtool::FirmwareHeader header;
    header.version = "3.180";
    Seed("firmware_header_fuzzer", "image", fwtool::ImageBytes(header, 800));
    header.hardwareTag = "QN02";
    Seed("firmware_header_fuzzer", "short", fwtool::ImageBytes(header, 672));
}

// A descriptor as a storage driver gives it: 36 fixed bytes, then vendor and product.
void DeviceAnswerSeeds() {
    std::string descriptor(36, '\0');
    descriptor[0] = 36;
    descriptor[12] = 36;
    descriptor[16] = 45;
    descriptor += std::string("Velmora ") + '\0' + "ZJ-20           " + '\0';
    const std::string length{static_cast<char>(descriptor.size()), '\0'};
    const std::string page80 = std::string("\0\x80\0\x08ZJ000123", 12);
    Seed("device_answers_fuzzer", "player",
         std::string(1, '\0') + length + descriptor + static_cast<char>(page80.size()) + page80 +
             std::string("\x02\x02", 2));
}

void MachineSeeds() {
    Seed("machine_file_fuzzer", "demo",
         R"({"windows": {"platformId": 2, "major": 5, "minor": 1},
"localTime": "2026-12-08T09:05:07", "drives": {
"C": {"type": "fixed", "folder": "."},
"E": {"type": "removable", "folder": ".", "freeBytes": 500000000,
      "inquiry": {"vendor": "Velmora ", "product": "ZJ-20", "revision": "1.00"},
      "vpd80Hex": "008000085a4a303030313233", "vpdC0Hex": "0000", "unplugAfterOps": 3},
"G": {"type": "cdrom"}}})");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kpz-fuzz-seeds FOLDER\n");
        return 2;
    }
    g_folder = argv[1];
    DatabaseSeeds();
    ChecksumSeeds();
    FirmwareSeeds();
    DeviceAnswerSeeds();
    MachineSeeds();
    return 0;
}
