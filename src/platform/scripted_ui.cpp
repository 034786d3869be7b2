#include "platform/scripted_ui.h"

namespace platform {

void ScriptedUserInterface::Answer(int answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
}

int ScriptedUserInterface::MessageBox(win32::HWND owner, const std::string& text,
                                      const std::string& caption, win32::UINT flags) {
    std::lock_guard lock(mutex_);
    const win32::UINT buttons = flags & win32::MB_TYPEMASK;
    int answer = buttons == win32::MB_YESNO ? win32::IDNO : win32::IDOK;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    boxes_.push_back({owner, caption, text, flags & win32::MB_ICONMASK, buttons, answer});
    return answer;
}

void ScriptedUserInterface::MessageBeep(win32::UINT type) {
    std::lock_guard lock(mutex_);
    beeps_.push_back(type);
}

void ScriptedUserInterface::ShowWaitCursor(bool wait) {
    std::lock_guard lock(mutex_);
    cursorChanges_.push_back(wait);
}

std::vector<RecordedBox> ScriptedUserInterface::Boxes() const {
    std::lock_guard lock(mutex_);
    return boxes_;
}

std::vector<win32::UINT> ScriptedUserInterface::Beeps() const {
    std::lock_guard lock(mutex_);
    return beeps_;
}

std::vector<bool> ScriptedUserInterface::CursorChanges() const {
    std::lock_guard lock(mutex_);
    return cursorChanges_;
}

}  // namespace platform
