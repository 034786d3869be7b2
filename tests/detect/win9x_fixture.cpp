#include "win9x_fixture.h"

namespace test {

Win9xFixture::Win9xFixture() {
    UseWindows98();
}

void Win9xFixture::UseWindows98() {
    machine_.SetWindowsVersion(win32::VER_PLATFORM_WIN32_WINDOWS, 4, 10);
}

void Win9xFixture::UseWindowsMe() {
    machine_.SetWindowsVersion(win32::VER_PLATFORM_WIN32_WINDOWS, 4, 90);
}

void Win9xFixture::WriteDatabaseForMethod(int method) {
    dbtool::Description model = ZarnModel();
    model.identMethod = static_cast<std::uint8_t>(method);
    WriteDatabase({model});
}

void Win9xFixture::AddRegistryInstance(const std::string& deviceId, const std::string& instance,
                                       char letter, bool pmodeInt13) {
    sim::RegistryKey& key =
        machine_.LocalMachineKey().MakeSubkey("ENUM\\SCSI\\" + deviceId + "\\" + instance);
    key.SetValue("Int13", {win32::REG_BINARY, {0x01}});
    if (pmodeInt13) key.SetValue("PModeInt13", {win32::REG_BINARY, {0x01}});
    key.SetValue("CurrentDriveLetterAssignment",
                 {win32::REG_SZ, {static_cast<std::uint8_t>(letter), 0}});
}

sim::DiskDrive& Win9xFixture::AddDiskDrive(const std::string& vendor, const std::string& product) {
    sim::DiskDrive drive;
    // Windows 98 names a USB disk "<vendor><product><revision>" and describes it with a blank
    // between vendor and product.
    drive.hardwareId = vendor + product + "1.00";
    drive.deviceDesc = vendor + " " + product;
    machine_.DiskDrives().devices.push_back(drive);
    return machine_.DiskDrives().devices.back();
}

std::optional<sim::AspiTarget>& Win9xFixture::TargetSlot(std::size_t adapter, std::size_t target) {
    auto& adapters = scsiManager_.adapters;
    if (adapters.size() <= adapter) adapters.resize(adapter + 1);
    auto& targets = adapters[adapter].targets;
    if (targets.size() <= target) targets.resize(target + 1);
    return targets[target];
}

void Win9xFixture::AddScsiTarget(std::size_t adapter, std::size_t target, bool completesAtOnce,
                                 const std::string& product) {
    TargetSlot(adapter, target) = sim::AspiTarget{{"Velmora ", product, "1.00"}, completesAtOnce};
    machine_.SetScsiManager(scsiManager_);
}

void Win9xFixture::AddEmptyScsiTarget(std::size_t adapter, std::size_t target) {
    TargetSlot(adapter, target).reset();
    machine_.SetScsiManager(scsiManager_);
}

std::vector<std::string> Win9xFixture::Calls(const std::string& prefix) const {
    std::vector<std::string> calls;
    for (const auto& call : machine_.ServiceCalls()) {
        if (call.rfind(prefix, 0) == 0) calls.push_back(call);
    }
    return calls;
}

std::vector<std::string> Win9xFixture::ChannelTexts(sim::Diagnostic::Channel channel) const {
    std::vector<std::string> texts;
    for (const auto& diagnostic : machine_.Diagnostics()) {
        if (diagnostic.channel == channel) texts.push_back(diagnostic.text);
    }
    return texts;
}

std::vector<std::string> Win9xFixture::StandardOutputTexts() const {
    return ChannelTexts(sim::Diagnostic::Channel::StandardOutput);
}

std::vector<std::string> Win9xFixture::DebuggerTexts() const {
    return ChannelTexts(sim::Diagnostic::Channel::Debugger);
}

}  // namespace test
