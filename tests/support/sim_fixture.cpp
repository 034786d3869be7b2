#include "support/sim_fixture.h"

#include "platform/ascii.h"

namespace test {

SimFixture::SimFixture() {
    AddDrive('C', win32::DRIVE_FIXED);
    systemGuard_ = std::make_unique<platform::ScopedSystem>(machine_);
    uiGuard_ = std::make_unique<platform::ScopedUserInterface>(ui_);
}

SimFixture::~SimFixture() = default;

sim::Drive& SimFixture::AddDrive(char letter, win32::UINT type) {
    const std::string folder(1, platform::ToLowerAscii(letter));
    return machine_.AddDrive(letter, type, temp_.MakeFolder(folder));
}

std::string SimFixture::Host(const std::string& windowsPath) const {
    std::string path = temp_.PathOf(std::string(1, platform::ToLowerAscii(windowsPath[0])));
    for (char c : windowsPath.substr(2)) path += c == '\\' ? '/' : c;
    return path;
}

}  // namespace test
