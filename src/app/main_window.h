// The main window: the device list filled by a Refresh, and the upgrade run of the selected
// player with its worker thread, poll timer and completion check. The widgets are reached
// through a MainWindowView; everything here runs on the user-interface thread except
// UpgradeThreadProc and UpgradeProgressCallback, which run on the worker.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "app/device_list.h"
#include "app/ui_thread.h"
#include "app/window_views.h"
#include "kpz/upgrade_status.h"

class VolumeRelease;

class CUpgradeUtilityDlg {
  public:
    explicit CUpgradeUtilityDlg(UiThread& uiThread);
    virtual ~CUpgradeUtilityDlg();
    CUpgradeUtilityDlg(const CUpgradeUtilityDlg&) = delete;
    CUpgradeUtilityDlg& operator=(const CUpgradeUtilityDlg&) = delete;

    std::string m_strTitle = "Zarn Upgrade Utility";
    unsigned m_nTimerId = 0;
    // Cleared by the worker as its last act; the other flags are read only after that.
    std::atomic<int> m_bUpgradeRunning{0};
    int m_bExitRequested = 0;
    int m_bUpgradeErrors = 0;
    int m_bReportErrors = 1;

    // Window initialisation with its widgets; ends with a Refresh, whose result it gives.
    int OnInitDialog(MainWindowView& view);
    // The window is going: frees the device list and the progress window.
    void OnDestroy();

    // Buttons, close requests, the system menu and the poll timer. OnRefresh gives what
    // RefreshDeviceList gave (-1 when the Refresh was stopped).
    int OnRefresh();
    void OnUpgrade() { UpgradeSelectedDevice(); }
    void OnExit();
    // The close box, the system menu's Close and Escape: refused with a beep during a run.
    void OnClose();
    // True when the command was the About entry's and the About box was shown.
    bool OnSysCommand(unsigned command);
    void OnTimer(unsigned id);

    // A volume was mounted or removed: the list is rebuilt, unless an upgrade runs (false).
    bool OnVolumesChanged();
    // Safely Remove from a row's menu: offered while no upgrade runs, on a real computer.
    bool CanSafelyRemove(int row) const;
    void OnSafelyRemove(int row, VolumeRelease& release);

    // Rebuilds the list and its rows; the number of rows, or -1 when the Refresh was stopped.
    int RefreshDeviceList();
    void UpgradeSelectedDevice();
    void CheckUpgradeCompletion();

    // The enumeration's callback; `dialog` is the main window.
    static int EnumDeviceCallback(tagPORTDEVINFO& device, long dialog);
    // The worker: upgrades the entry at `position` of g_deviceList.
    static unsigned UpgradeThreadProc(long position);
    // Hands one notification to the progress window on the user-interface thread and waits.
    static void UpgradeProgressCallback(tagPORTDEVINFO& device, std::uint32_t code,
                                        tagUPDATESYSFILEINFO* info);

    MainWindowView* View() const { return view_; }
    UiThread& UserInterfaceThread() const { return uiThread_; }

  protected:
    // Starts UpgradeThreadProc on a new thread; false when no thread could be started.
    virtual bool StartWorkerThread(long position);

  private:
    bool Enumerate();
    int SurveyDevice(const tagPORTDEVINFO& device);
    void FillRows();
    void OpenProgressWindow(const tagDEVICEENTRY& entry);
    void LockControls(bool locked);
    void ReturnToIdle(int row);
    void VerifyUpgradedVersion(int row, tagDEVICEENTRY& entry);
    void ReportUpgradeErrors();
    void JoinWorker();
    // The drive letter of the entry a row shows; 0 for none.
    char DriveOfRow(int row) const;
    // A change of the volumes told while a Refresh ran (from inside one of its message
    // boxes) is followed by a Refresh of its own once that one has ended.
    void FollowVolumeChangesMeanwhile();

    UiThread& uiThread_;
    MainWindowView* view_ = nullptr;
    std::thread worker_;
    bool refreshing_ = false;
    bool volumesChangedMeanwhile_ = false;
};
