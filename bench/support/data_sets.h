// The data each case copies or reads, made once per run below the scratch folder, on first
// use, so a filtered run makes only what it needs.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/computer.h"
#include "support/data_files.h"

namespace bench {

// One large file in the installation, for CopyFileToDevice.
struct FileDataSet {
    ComputerLayout layout;
    fs::path hostSource;
    std::uint64_t size;
    std::string source;        // "C:\Zarn\system.bin"
    std::string deviceFolder;  // "E:\System"
    std::string entry;         // "system.bin"
};

// A model ZJ-20 whose list is a firmware image and the wildcard entry "Data\*" over a tree.
struct TreeDataSet {
    ComputerLayout layout;
    fs::path hostSource;  // the tree's folder
    std::vector<DataFile> files;
    std::string pattern;       // "C:\Zarn\ZJ-20\System\Data\*"
    std::string targetFolder;  // "E:\System\Data"
};

// A model ZJ-30 as one ships: firmware image, firmware program, a few files, a folder entry
// and a wildcard tree.
struct ModelDataSet {
    ComputerLayout layout;
    fs::path hostSource;  // the model's System folder
    std::vector<DataFile> files;
    int fileEntries;
};

// A database of many entries and one of only the players' entries, and 23 players on D:-Z:.
struct DetectDataSet {
    fs::path root;             // C:'s folder; the players' folders beside it
    std::string fullDatabase;  // Windows paths on C:
    std::string playersDatabase;
    int entries;
    std::vector<std::string> playerProducts;  // D:, E:, ... Z:
};

class DataSets {
  public:
    explicit DataSets(fs::path scratch) : scratch_(std::move(scratch)) {}

    const fs::path& Scratch() const { return scratch_; }

    const FileDataSet& File();
    const FileDataSet& LargeFile();
    const TreeDataSet& Tree();
    const ModelDataSet& Model();
    const DetectDataSet& Detect();

  private:
    fs::path scratch_;
    std::optional<FileDataSet> file_, largeFile_;
    std::optional<TreeDataSet> tree_;
    std::optional<ModelDataSet> model_;
    std::optional<DetectDataSet> detect_;
};

// The data sets of this run, made by main; the cases reach them here.
DataSets& BenchData();
void SetBenchData(DataSets* data);

// The files below `folder`, relative to it, in walk order.
std::vector<DataFile> FilesBelow(const fs::path& folder);

}  // namespace bench
