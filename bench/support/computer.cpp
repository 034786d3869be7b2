#include "support/computer.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <stdexcept>

#include "database/database_writer.h"
#include "platform/sim/machine_file.h"
#include "support/data_files.h"

namespace bench {
namespace {

std::string TrimmedProduct(std::string product) {
    while (!product.empty() && product.back() == ' ') product.pop_back();
    return product;
}

nlohmann::json MachineDescription(const std::string& playerProduct) {
    return {
        {"windows", {{"platformId", 2}, {"major", 5}, {"minor", 1}}},
        {"program", std::string(kInstallationFolder) + "\\KPZPortableDeviceSystemFileUpdater.exe"},
        {"localTime", "2026-12-08T09:05:07"},
        {"drives",
         {{"C", {{"type", "fixed"}, {"folder", "c"}}},
          {"E",
           {{"type", "removable"},
            {"folder", "e"},
            {"freeBytes", 64ull << 30},
            {"inquiry", {{"vendor", "Velmora "}, {"product", playerProduct}, {"revision", "1.00"}}},
            {"vpd80Hex", "008000085a4a323030313233"},
            {"vpdC0Hex", "0000"}}}}},
    };
}

}  // namespace

fs::path ComputerLayout::SourceFolder(const dbtool::Description& model) const {
    return Installation() / TrimmedProduct(model.productId) / "System";
}

dbtool::Description Model(const std::string& product, const std::string& displayName,
                          std::vector<dbtool::SystemFile> files) {
    dbtool::Description model;
    model.productId = product;
    model.productId.resize(16, ' ');
    model.displayName = displayName;
    model.queryStateFlag = 1;
    model.querySerialFlag = 1;
    model.hasSystemFiles = 1;
    model.systemFolder = "\\System";
    model.systemFiles = std::move(files);
    return model;
}

void WriteComputer(const ComputerLayout& layout, const std::vector<dbtool::Description>& models,
                   const std::string& playerProduct) {
    fs::create_directories(layout.Installation());
    EmptyFolder(layout.Player());
    dbtool::DatabaseWriter writer;
    for (const dbtool::Description& model : models) writer.Entry(model);
    std::string error;
    if (!writer.WriteFile((layout.Installation() / "KPZSupportedPortableDevices.bin").string(),
                          error)) {
        throw std::runtime_error(error);
    }
    std::ofstream(layout.Installation() / "KPZPortableDeviceSystemFileUpdater.exe")
        << "The program's place in the installation.\n";
    std::ofstream machine(layout.MachineFile());
    machine << MachineDescription(playerProduct).dump(2) << "\n";
    if (!machine.flush()) throw std::runtime_error(layout.MachineFile().string() + ": not written");
}

SimulatedComputer::SimulatedComputer(const ComputerLayout& layout) {
    std::string error;
    machine_ = sim::LoadMachineFile(layout.MachineFile().string(), error);
    if (!machine_) throw std::runtime_error(error);
    system_ = std::make_unique<platform::ScopedSystem>(*machine_);
    uiGuard_ = std::make_unique<platform::ScopedUserInterface>(ui_);
}

SimulatedComputer::~SimulatedComputer() {
    uiGuard_.reset();
    system_.reset();
}

std::string SimulatedComputer::FirstBox() const {
    const auto boxes = ui_.Boxes();
    return boxes.empty() ? std::string() : "[" + boxes.front().caption + "] " + boxes.front().text;
}

}  // namespace bench
