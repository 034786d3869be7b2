// The progress window: the status line, the device line, the bar and the button that the
// status notifications drive. Modeless, owned by the main window, reached as g_pProgressDlg.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/progress_bar.h"
#include "app/window_views.h"
#include "kpz/upgrade_status.h"

class CUpgradeProgressDlg {
  public:
    CUpgradeProgressDlg() = default;
    ~CUpgradeProgressDlg();
    CUpgradeProgressDlg(const CUpgradeProgressDlg&) = delete;
    CUpgradeProgressDlg& operator=(const CUpgradeProgressDlg&) = delete;

    // Makes the window, owned by `owner`, and initialises it; false when it couldn't be made.
    bool Create(MainWindowView& owner);
    // The same with widgets made elsewhere (a window of its own).
    bool Create(std::unique_ptr<ProgressWindowView> view);
    // Bar 0 to 0 with a step of 1, "Cancel" disabled, an empty status line.
    void OnInitDialog();
    // Sets the device line and pushes it (with the status line) into the controls.
    void SetDeviceLine(const std::string& deviceLine);
    void ShowWindow();

    // Delivers a worker's notification: as WM_UPGRADE_STATUS to the window where the widgets
    // have window messages, else straight to OnUpgradeStatus. Returns once it is handled.
    void SendUpgradeStatus(std::uint32_t code, const tagUPDATESYSFILEINFO* info);
    // WM_UPGRADE_STATUS: applies one notification of the status-code table.
    void OnUpgradeStatus(std::uint32_t code, const tagUPDATESYSFILEINFO* info);

    // The button pressed, or a close request: destroys the window once it reads "Done". The
    // window may be freed on return.
    void OnButtonOrClose();
    // Destroys the widgets; frees this object when it is g_pProgressDlg.
    void DestroyWindow();

    const std::string& StatusLine() const { return m_strStatus; }
    const std::string& DeviceLine() const { return m_strDevice; }
    const ProgressBar& Bar() const { return m_bar; }
    const std::string& ButtonCaption() const { return m_strButton; }
    bool ButtonEnabled() const { return m_bButtonEnabled; }
    bool HasWindow() const { return view_ != nullptr; }

  private:
    void SetStatusText(const char* text);
    void SetButton(const std::string& caption, bool enabled);
    void MarkDone();
    void PushTexts();
    void PushBar();
    void OnDestroy();

    std::unique_ptr<ProgressWindowView> view_;
    std::string m_strStatus;
    std::string m_strDevice = "Device:  Zarn Jukebox";
    ProgressBar m_bar;
    std::string m_strButton = "Cancel";
    bool m_bButtonEnabled = false;
};

// The progress window, or null when none exists. Created, destroyed and cleared only on the
// user-interface thread.
extern CUpgradeProgressDlg* g_pProgressDlg;

// Frees the progress window, if one exists, and clears the reference.
void FreeProgressWindow();
