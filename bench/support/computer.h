// A simulated computer laid out in host folders: C: holds the utility's installation in
// C:\Zarn, E: is one player. The same machine file serves zarn-upgrade and this process.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "database/description.h"
#include "platform/scripted_ui.h"
#include "platform/sim/machine.h"

namespace bench {

namespace fs = std::filesystem;

inline constexpr const char* kInstallationFolder = "C:\\Zarn";

class ComputerLayout {
  public:
    explicit ComputerLayout(fs::path root) : root_(std::move(root)) {}

    fs::path DriveC() const { return root_ / "c"; }
    fs::path Player() const { return root_ / "e"; }
    fs::path Installation() const { return DriveC() / "Zarn"; }
    const fs::path& Root() const { return root_; }
    fs::path MachineFile() const { return root_ / "machine.json"; }
    // Where the model's system files lie below the installation.
    fs::path SourceFolder(const dbtool::Description& model) const;
    // A folder for the reference's copies, beside the player's.
    fs::path ReferenceTarget() const { return root_ / "reference"; }

  private:
    fs::path root_;
};

// A model of vendor "Velmora " with the system folder \System and these files.
dbtool::Description Model(const std::string& product, const std::string& displayName,
                          std::vector<dbtool::SystemFile> files);

// Writes the database of `models`, the program file and the machine file, in which E:
// answers as `playerProduct`; the player's folder starts empty.
void WriteComputer(const ComputerLayout& layout, const std::vector<dbtool::Description>& models,
                   const std::string& playerProduct);

// The computer of a machine file, installed as this process's backend for its lifetime, with
// a user interface that answers every box and records it.
class SimulatedComputer {
  public:
    explicit SimulatedComputer(const ComputerLayout& layout);
    ~SimulatedComputer();
    SimulatedComputer(const SimulatedComputer&) = delete;
    SimulatedComputer& operator=(const SimulatedComputer&) = delete;

    sim::Machine& Machine() { return *machine_; }
    // Empty when no box was shown, else the first box's caption and text.
    std::string FirstBox() const;

  private:
    std::unique_ptr<sim::Machine> machine_;
    std::unique_ptr<platform::ScopedSystem> system_;
    platform::ScriptedUserInterface ui_;
    std::unique_ptr<platform::ScopedUserInterface> uiGuard_;
};

}  // namespace bench
