// The windows on a terminal: the progress window drawn as one line (bar and status line) at
// each repaint that changes it; the main window's rows kept in memory.
#pragma once

#include "app/headless_views.h"
#include "cli/output.h"

namespace cli {

class TerminalProgressView : public HeadlessProgressView {
  public:
    explicit TerminalProgressView(Output& output) : output_(output) {}

    void Show() override;
    void Repaint() override;
    void Received(std::uint32_t code, const tagUPDATESYSFILEINFO* info) override;

  private:
    Output& output_;
    std::string lastDrawn_;
};

class TerminalMainWindowView : public HeadlessMainWindowView {
  public:
    TerminalMainWindowView(CUpgradeUtilityDlg& dlg, EventLoop& loop, Output& output)
        : HeadlessMainWindowView(dlg, loop), output_(output) {}

  protected:
    std::unique_ptr<HeadlessProgressView> MakeProgressView() override {
        return std::make_unique<TerminalProgressView>(output_);
    }

  private:
    Output& output_;
};

}  // namespace cli
