// A user interface for tests: records every box, beep and cursor change, and answers boxes
// from a queue (OK to a box with an OK button, No to a question, when the queue is empty).
#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace platform {

struct RecordedBox {
    win32::HWND owner;
    std::string caption;
    std::string text;
    win32::UINT icon;     // MB_ICON* bits
    win32::UINT buttons;  // MB_OK, MB_YESNO, ...
    int answer;
};

class ScriptedUserInterface : public UserInterface {
  public:
    void Answer(int answer);
    int MessageBox(win32::HWND owner, const std::string& text, const std::string& caption,
                   win32::UINT flags) override;
    void MessageBeep(win32::UINT type) override;
    void ShowWaitCursor(bool wait) override;

    std::vector<RecordedBox> Boxes() const;
    std::vector<win32::UINT> Beeps() const;
    std::vector<bool> CursorChanges() const;

  private:
    mutable std::mutex mutex_;
    std::deque<int> answers_;
    std::vector<RecordedBox> boxes_;
    std::vector<win32::UINT> beeps_;
    std::vector<bool> cursorChanges_;
};

}  // namespace platform
