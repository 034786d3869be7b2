// What the two windows need of their widgets. The windows' logic (CUpgradeUtilityDlg,
// CUpgradeProgressDlg) holds the state and calls these; a set of widgets implements them and
// calls the logic back for button presses, close requests and timer ticks. All calls happen on
// the user-interface thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/window_ids.h"
#include "kpz/upgrade_status.h"

class CUpgradeProgressDlg;

// The progress window's widgets. The view shows what it is given; it keeps no state that the
// logic reads back.
class ProgressWindowView {
  public:
    virtual ~ProgressWindowView() = default;

    // The status and device lines pushed into their controls.
    virtual void ShowTexts(const std::string& statusLine, const std::string& deviceLine) = 0;
    virtual void ShowBar(int lower, int upper, int position) = 0;
    virtual void ShowButton(const std::string& caption, bool enabled) = 0;
    virtual void Show() = 0;
    // Paints the window at once, so progress shows while the worker goes on.
    virtual void Repaint() = 0;
    // Destroys the widgets. May be called from inside a handler that the view called; the view
    // object itself is deleted right after, so widgets should be released later.
    virtual void Destroy() = 0;

    // A notification as the window receives it, before it is applied.
    virtual void Received(std::uint32_t /*code*/, const tagUPDATESYSFILEINFO* /*info*/) {}
    // Sends a notification to the window as its own message, which comes back to the logic's
    // OnUpgradeStatus before this returns. False when the widgets have no such message; the
    // logic then applies it directly.
    virtual bool SendStatus(std::uint32_t /*code*/, const tagUPDATESYSFILEINFO* /*info*/) {
        return false;
    }
};

// The main window's widgets.
class MainWindowView {
  public:
    virtual ~MainWindowView() = default;

    // The owner handle of the window's message boxes.
    virtual win32::HWND Handle() = 0;
    virtual void SetTitle(const std::string& title) = 0;
    // A separator and an entry at the end of the system menu (or its stand-in).
    virtual void AppendSystemMenuEntry(unsigned command, const std::string& caption) = 0;
    virtual void InsertColumn(int column, const DeviceListColumn& layout) = 0;
    virtual void CenterAndShow() = 0;
    virtual void ShowAboutBox() = 0;
    // Ends the modal run with `result`; RunModalLoop then returns it.
    virtual void EndDialog(int result) = 0;
    // Runs until EndDialog; returns at once when EndDialog came first.
    virtual int RunModalLoop() = 0;

    // The device list: rows of cells, each row with its item data.
    virtual void DeleteAllRows() = 0;
    // Appends a row with its first cell; its index, or -1 when no row was added.
    virtual int AppendRow(const std::string& firstCell) = 0;
    virtual void SetCell(int row, int column, const std::string& text) = 0;
    virtual std::string Cell(int row, int column) const = 0;
    virtual void SetRowData(int row, long data) = 0;
    virtual long RowData(int row) const = 0;
    virtual int RowCount() const = 0;
    // -1 when no row is selected.
    virtual int FirstSelectedRow() const = 0;

    // Controls by their ids (window_ids.h).
    virtual void EnableControl(int id, bool enable) = 0;
    virtual void FocusControl(int id) = 0;

    // The poll timer: each tick calls CUpgradeUtilityDlg::OnTimer(id). SetTimer returns the
    // id, or 0 when no timer could be made.
    virtual unsigned SetTimer(unsigned id, unsigned milliseconds) = 0;
    virtual void KillTimer(unsigned id) = 0;

    // A progress window owned by this one, hidden until shown; null when it can't be made.
    virtual std::unique_ptr<ProgressWindowView> CreateProgressWindow(CUpgradeProgressDlg& dlg) = 0;
};
