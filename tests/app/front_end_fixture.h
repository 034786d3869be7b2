// A simulated computer with an installation of the utility and players on removable drives,
// and the main window run on widgets held in memory.
#pragma once

#include <string>
#include <thread>
#include <vector>

#include "app/event_loop.h"
#include "app/headless_views.h"
#include "app/main_window.h"
#include "database/description.h"
#include "support/sim_fixture.h"

namespace test {

// A firmware program whose 64-byte header carries `tag` at byte 40.
std::string FirmwareProgram(const std::string& tag);
// A firmware image whose header block at byte 544 carries the five-character `version`.
std::string FirmwareImage(const std::string& version);

// The user-interface thread of a test, noting which threads sent it work.
class WatchedUiThread : public UiThread {
  public:
    explicit WatchedUiThread(EventLoop& loop) : loop_(loop) {}
    bool Send(const std::function<void()>& task) override;
    void Shutdown() override { loop_.Shutdown(); }
    void Wake() override { loop_.Wake(); }
    std::vector<std::thread::id> Senders() const;

  private:
    EventLoop& loop_;
    mutable std::mutex mutex_;
    std::vector<std::thread::id> senders_;
};

// A main view whose progress windows can be made to fail, and whose modal loop returns at once.
class TestMainView : public HeadlessMainWindowView {
  public:
    using HeadlessMainWindowView::HeadlessMainWindowView;
    int RunModalLoop() override {
        ++modalRuns;
        return result;
    }
    bool failProgressWindows = false;
    int modalRuns = 0;

  protected:
    std::unique_ptr<HeadlessProgressView> MakeProgressView() override {
        if (failProgressWindows) return nullptr;
        return HeadlessMainWindowView::MakeProgressView();
    }
};

class FrontEndFixture : public SimFixture {
  protected:
    static constexpr const char* kInstallation = "C:\\Program Files\\Zarn";

    FrontEndFixture();
    ~FrontEndFixture() override;

    // A model "Velmora  ZJ-<n>" with the system folder \System and the given files.
    static dbtool::Description Model(const std::string& product, const std::string& name,
                                     std::vector<dbtool::SystemFile> files,
                                     std::uint32_t firmwareHeaderFlag = 0);
    void WriteDatabase(const std::vector<dbtool::Description>& models);
    // A removable drive answering INQUIRY as the model `product`.
    void AddPlayer(char letter, const std::string& product);
    // A file below the installation ("ZJ-20\System\kvq.exe") or on a drive ("E:\System\kvq.exe").
    void WriteInstalled(const std::string& relative, const std::string& content);
    void WriteOnDrive(const std::string& windowsPath, const std::string& content);

    // Opens the main window, which ends with the first Refresh.
    int OpenWindow();
    // Runs the user-interface thread until the run is back to Idle.
    bool RunUntilIdle();

    EventLoop loop_{EventLoop::Pace::WhenIdle};
    WatchedUiThread uiThread_{loop_};
    CUpgradeUtilityDlg dlg_{uiThread_};
    TestMainView view_{dlg_, loop_};
};

}  // namespace test
