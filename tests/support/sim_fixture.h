// A simulated computer in a fresh temporary folder, installed for the test's duration, with
// a fixed drive C: and a scripted user interface.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/scripted_ui.h"
#include "platform/sim/machine.h"
#include "support/temp_dir.h"

namespace test {

class SimFixture : public ::testing::Test {
  protected:
    SimFixture();
    ~SimFixture() override;

    // A drive backed by the sub-folder named after its letter ("e" for E:).
    sim::Drive& AddDrive(char letter, win32::UINT type = win32::DRIVE_REMOVABLE);
    // The host path of a Windows path on one of the fixture's drives ("E:\a\b" -> .../e/a/b).
    std::string Host(const std::string& windowsPath) const;

    TempDir temp_;
    sim::Machine machine_;
    platform::ScriptedUserInterface ui_;

  private:
    std::unique_ptr<platform::ScopedSystem> systemGuard_;
    std::unique_ptr<platform::ScopedUserInterface> uiGuard_;
};

}  // namespace test
