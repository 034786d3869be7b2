// The command line killed outright part-way through copying a large firmware image, as a power
// cut or a pulled cable would end it, then run again.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>

#include "cli_runner.h"
#include "database/database_writer.h"
#include "firmware/firmware_image_writer.h"
#include "support/temp_dir.h"

namespace {

using nlohmann::json;

constexpr std::uint64_t kMiB = 1 << 20;

std::string Image(const std::string& version, std::size_t size) {
    fwtool::FirmwareHeader header;
    header.version = version;
    return fwtool::ImageBytes(header, size);
}

// A computer with the utility installed and a player whose firmware image is older.
class Computer {
  public:
    Computer() {
        dbtool::Description model;
        model.productId = "ZJ-20           ";
        model.displayName = "Zarn ZJ-20";
        model.hasSystemFiles = 1;
        model.systemFolder = "\\System";
        model.systemFiles = {{"QDAV3180.mi4"}, {"kvq.exe"}};
        model.firmwareHeaderFlag = 1;
        test::WriteHostFile(Installed("KPZSupportedPortableDevices.bin"),
                            dbtool::DatabaseWriter().Entry(model).Bytes());
        test::WriteHostFile(Installed("ZJ-20/System/QDAV3180.mi4"), newImage_);
        test::WriteHostFile(Installed("ZJ-20/System/kvq.exe"), "new program");
        test::WriteHostFile(temp_.PathOf("e/System/QDAV3180.MI4"), oldImage_);
        test::WriteHostFile(temp_.PathOf("e/System/kvq.exe"), "old program");
    }

    std::string Installed(const std::string& relative) const {
        return temp_.PathOf("c/Program Files/Zarn/" + relative);
    }

    test::ProgramRun Upgrade(std::uint64_t killAfterBytes) {
        json player = {{"type", "removable"},
                       {"folder", "e"},
                       {"inquiry", {{"vendor", "Velmora "}, {"product", "ZJ-20"}}}};
        if (killAfterBytes > 0) player["killAfterBytes"] = killAfterBytes;
        const json machine = {
            {"program", "C:\\Program Files\\Zarn\\KPZPortableDeviceSystemFileUpdater.exe"},
            {"drives", {{"C", {{"type", "fixed"}, {"folder", "c"}}}, {"E", player}}}};
        const std::string file = temp_.PathOf("machine.json");
        test::WriteHostFile(file, machine.dump());
        return test::RunZarnUpgrade({"--machine", file, "upgrade", "E:"}, temp_.path());
    }

    // The player's files, named as they lie.
    std::map<std::string, std::string> Player() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(temp_.PathOf("e/System"))) {
            files[entry.path().filename().string()] = test::ReadHostFile(entry.path().string());
        }
        return files;
    }

    test::TempDir temp_;
    const std::string oldImage_ = Image("3.170", 4096);
    const std::string newImage_ = Image("3.180", 40 * kMiB);
};

TEST(KilledCopy, TheOldFileSurvivesAndTheNextRunLeavesNothingBehind) {
    for (const std::uint64_t at : {std::uint64_t{1}, 12 * kMiB, 30 * kMiB}) {
        Computer computer;
        EXPECT_EQ(computer.Upgrade(at).status, 128 + 9) << "not killed at " << at;
        auto files = computer.Player();
        EXPECT_EQ(files["QDAV3180.MI4"], computer.oldImage_) << "killed at " << at;
        EXPECT_EQ(files["kvq.exe"], "old program");
        files.erase("QDAV3180.MI4");
        files.erase("kvq.exe");
        files.erase("~kpzcopy.tmp");  // the cut-off copy, which the next run clears
        EXPECT_TRUE(files.empty()) << files.begin()->first;

        const auto again = computer.Upgrade(0);
        EXPECT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(computer.Player(),
                  (std::map<std::string, std::string>{{"kvq.exe", "new program"},
                                                      {"qdav3180.mi4", computer.newImage_}}));
    }
}

}  // namespace
