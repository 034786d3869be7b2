#include "support/data_sets.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "database/database_writer.h"
#include "firmware/firmware_image_writer.h"
#include "support/usage.h"
#include "sysfile/header_writer.h"

namespace bench {
namespace {

DataSets* g_data = nullptr;

void WriteFirmwareImage(const fs::path& path, std::uint64_t size) {
    fwtool::FirmwareHeader header;
    header.version = "3.180";
    std::string error;
    fs::create_directories(path.parent_path());
    if (!fwtool::WriteImage(path.string(), header, size, error)) throw std::runtime_error(error);
}

// Noise behind the 64-byte header of a system file, as the firmware program carries it.
void WriteFirmwareProgram(const fs::path& path, std::uint64_t size) {
    sftool::HeaderFields fields;
    fields.name = "kvq.exe";
    fields.version = "v3.18";
    fields.tag = "ZARN";
    sftool::Bytes header;
    std::string error;
    if (!sftool::MakeSysFileHeader(fields, header, error)) throw std::runtime_error(error);
    WriteNoiseFile(path, size, 30);
    std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
    out.write(reinterpret_cast<const char*>(header.data()), std::streamsize(header.size()));
    if (!out.flush()) throw std::runtime_error(path.string() + ": not written");
}

// Making a data set takes seconds to minutes: say what is being made, and how long it took.
class Making {
  public:
    explicit Making(const char* what) : what_(what) {
        std::fprintf(stderr, "kpz-bench: making %s ...\n", what_);
    }
    ~Making() {
        std::fprintf(stderr, "kpz-bench: made %s in %.1f s\n", what_, watch_.Stop().wallSeconds);
    }

  private:
    const char* what_;
    Stopwatch watch_;
};

std::string Padded(std::string product) {
    product.resize(16, ' ');
    return product;
}

}  // namespace

DataSets& BenchData() {
    if (g_data == nullptr) throw std::logic_error("no data sets: main makes them");
    return *g_data;
}

void SetBenchData(DataSets* data) {
    g_data = data;
}

std::vector<DataFile> FilesBelow(const fs::path& folder) {
    std::vector<DataFile> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.push_back(DataFile{fs::relative(entry.path(), folder), entry.file_size()});
        }
    }
    return files;
}

const FileDataSet& DataSets::File() {
    if (!file_) {
        Making making("a 256 MiB file");
        ComputerLayout layout(scratch_ / "file");
        WriteComputer(layout, {}, "ZJ-20");
        const std::uint64_t size = 256ull << 20;
        WriteNoiseFile(layout.Installation() / "system.bin", size, 256);
        file_ = FileDataSet{layout,       layout.Installation() / "system.bin",
                            size,         std::string(kInstallationFolder) + "\\system.bin",
                            "E:\\System", "system.bin"};
    }
    return *file_;
}

const FileDataSet& DataSets::LargeFile() {
    if (!largeFile_) {
        Making making("a 1 GiB file");
        ComputerLayout layout(scratch_ / "large");
        WriteComputer(layout, {}, "ZJ-20");
        const std::uint64_t size = 1ull << 30;
        WriteNoiseFile(layout.Installation() / "large.bin", size, 1024);
        largeFile_ = FileDataSet{layout,       layout.Installation() / "large.bin",
                                 size,         std::string(kInstallationFolder) + "\\large.bin",
                                 "E:\\System", "large.bin"};
    }
    return *largeFile_;
}

const TreeDataSet& DataSets::Tree() {
    if (!tree_) {
        Making making("a tree of 10,000 files in 100 folders");
        ComputerLayout layout(scratch_ / "tree");
        dbtool::Description model =
            bench::Model("ZJ-20", "Zarn Jukebox 20", {{"QDAV3180.mi4", 1, 0}, {"Data\\*", 1, 0}});
        model.firmwareHeaderFlag = 1;
        WriteComputer(layout, {model}, "ZJ-20");
        const fs::path system = layout.SourceFolder(model);
        WriteFirmwareImage(system / "QDAV3180.mi4", 65536);
        auto files = MakeTree(system / "Data", TreeShape{});
        tree_ = TreeDataSet{layout, system / "Data", std::move(files),
                            std::string(kInstallationFolder) + "\\ZJ-20\\System\\Data\\*",
                            "E:\\System\\Data"};
    }
    return *tree_;
}

const ModelDataSet& DataSets::Model() {
    if (!model_) {
        Making making("a model's system files");
        ComputerLayout layout(scratch_ / "model");
        dbtool::Description model = bench::Model("ZJ-30", "Zarn Jukebox 30",
                                                 {{"QDAV3180.mi4", 1, 0},
                                                  {"kvq.exe", 1, 0},
                                                  {"settings.cfg", 0, 0},
                                                  {"Fonts\\fonts.bin", 1, 0},
                                                  {"strings.dat", 1, 0},
                                                  {"icons.bin", 1, 0},
                                                  {"Skins\\*", 1, 0},
                                                  {"Logs\\", 1, 0}});
        model.firmwareHeaderFlag = 1;
        WriteComputer(layout, {model}, "ZJ-30");
        const fs::path system = layout.SourceFolder(model);
        WriteFirmwareImage(system / "QDAV3180.mi4", 8ull << 20);
        WriteFirmwareProgram(system / "kvq.exe", 1536 << 10);
        WriteNoiseFile(system / "settings.cfg", 4 << 10, 31);
        WriteNoiseFile(system / "Fonts" / "fonts.bin", 640 << 10, 32);
        WriteNoiseFile(system / "strings.dat", 96 << 10, 33);
        WriteNoiseFile(system / "icons.bin", 256 << 10, 34);
        MakeTree(system / "Skins", TreeShape{6, 40, 4 << 10, 128 << 10, 35});
        model_ = ModelDataSet{layout, system, FilesBelow(system), 6};
    }
    return *model_;
}

const DetectDataSet& DataSets::Detect() {
    if (!detect_) {
        Making making("databases of 10,000 and 23 entries");
        DetectDataSet set{scratch_ / "detect", "C:\\full.bin", "C:\\players.bin", 10000, {}};
        dbtool::DatabaseWriter full, players;
        const int step = set.entries / 23;
        for (int i = 0; i < set.entries; ++i) {
            char product[17], name[40];
            std::snprintf(product, sizeof product, "ZB-%05d", i);
            std::snprintf(name, sizeof name, "Zarn Jukebox %05d", i);
            const dbtool::Description model = bench::Model(
                product, name, {{"QDAV3180.mi4", 1, 0}, {"kvq.exe", 1, 0}, {"Data\\*", 1, 0}});
            full.Entry(model);
            // The players' models lie spread over the whole list, the last near its end.
            if (i % step == step - 1 && set.playerProducts.size() < 23) {
                players.Entry(model);
                set.playerProducts.push_back(Padded(product));
            }
        }
        std::string error;
        fs::create_directories(set.root / "c");
        if (!full.WriteFile((set.root / "c" / "full.bin").string(), error) ||
            !players.WriteFile((set.root / "c" / "players.bin").string(), error)) {
            throw std::runtime_error(error);
        }
        for (char letter = 'd'; letter <= 'z'; ++letter) {
            fs::create_directories(set.root / std::string(1, letter));
        }
        detect_ = std::move(set);
    }
    return *detect_;
}

}  // namespace bench
