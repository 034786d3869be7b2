// A simulated Windows 98 or Me computer with players, the services of those systems, and a
// database whose entries name their identification method.
#pragma once

#include <string>
#include <vector>

#include "detect_fixture.h"

namespace test {

// The device id of the model the fixture's players report: from the disk-drive scan, and from
// the SCSI-manager scan with the revision's first character.
inline constexpr const char* kZarnDeviceId = "Velmora_ZJ-20___________";
inline constexpr const char* kZarnAspiDeviceId = "Velmora_ZJ-20___________1";

class Win9xFixture : public DetectFixture {
  protected:
    Win9xFixture();

    void UseWindows98();
    void UseWindowsMe();

    // The Zarn model, found by `method`.
    void WriteDatabaseForMethod(int method);

    // A registry instance "ENUM\SCSI\<id>\<instance>"; without PModeInt13 when asked.
    void AddRegistryInstance(const std::string& deviceId, const std::string& instance, char letter,
                             bool pmodeInt13 = true);
    // A disk drive of the set-up API as Windows 98 lists a USB disk of that identity.
    sim::DiskDrive& AddDiskDrive(const std::string& vendor = "Velmora ",
                                 const std::string& product = "ZJ-20           ");
    // A target of the SCSI manager; the manager is there from the first one on.
    void AddScsiTarget(std::size_t adapter, std::size_t target, bool completesAtOnce = false,
                       const std::string& product = "ZJ-20           ");
    // A target id with no device behind it.
    void AddEmptyScsiTarget(std::size_t adapter, std::size_t target);

    // The recorded service calls that start with `prefix`.
    std::vector<std::string> Calls(const std::string& prefix) const;
    bool Called(const std::string& prefix) const { return !Calls(prefix).empty(); }
    // The texts written to one channel, in order.
    std::vector<std::string> ChannelTexts(sim::Diagnostic::Channel channel) const;
    std::vector<std::string> StandardOutputTexts() const;
    std::vector<std::string> DebuggerTexts() const;

  private:
    std::optional<sim::AspiTarget>& TargetSlot(std::size_t adapter, std::size_t target);
    sim::ScsiManager scsiManager_;
};

}  // namespace test
