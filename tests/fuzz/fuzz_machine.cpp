#include "fuzz_machine.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/ui.h"

namespace fuzz {
namespace {

class SilentUserInterface : public platform::UserInterface {
  public:
    int MessageBox(win32::HWND, const std::string&, const std::string&, win32::UINT) override {
        return win32::IDOK;
    }
    void MessageBeep(win32::UINT) override {}
    void ShowWaitCursor(bool) override {}
};

struct Installed {
    Installed() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base ? base : "/tmp") + "/kpz-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        folder = pattern;
        machine.AddDrive('C', win32::DRIVE_FIXED, folder);
    }
    ~Installed() {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }

    std::string folder;
    sim::Machine machine;
    SilentUserInterface ui;
    platform::ScopedSystem systemGuard{machine};
    platform::ScopedUserInterface uiGuard{ui};
};

Installed& TheInstallation() {
    static Installed installed;
    return installed;
}

}  // namespace

sim::Machine& Machine() {
    return TheInstallation().machine;
}

const std::string& DriveFolder() {
    return TheInstallation().folder;
}

std::string WriteInput(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::string host = DriveFolder() + "/" + name;
    const int fd = ::open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) std::abort();
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0) std::abort();
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return std::string("C:\\") + name;
}

}  // namespace fuzz
