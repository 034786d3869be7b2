// Message boxes on the terminal: "[Caption] text", or a JSON line with --events. A question is
// answered Yes when the user said --yes, No otherwise.
#pragma once

#include "cli/output.h"
#include "platform/ui.h"

namespace cli {

class TerminalUserInterface : public platform::UserInterface {
  public:
    explicit TerminalUserInterface(Output& output) : output_(output) {}

    void AnswerYes(bool yes) { answerYes_ = yes; }

    int MessageBox(win32::HWND owner, const std::string& text, const std::string& caption,
                   win32::UINT flags) override;
    void MessageBeep(win32::UINT) override {}
    void ShowWaitCursor(bool) override {}

  private:
    Output& output_;
    bool answerYes_ = false;
};

}  // namespace cli
