#include "app/dispatched_ui.h"

int DispatchedUserInterface::MessageBox(win32::HWND owner, const std::string& text,
                                        const std::string& caption, win32::UINT flags) {
    int answer = 0;
    auto show = [&] { answer = shown_.MessageBox(owner, text, caption, flags); };
    // With the window system gone, the box is still shown: the asking thread must not lose it.
    if (!uiThread_.Send(show)) show();
    return answer;
}

void DispatchedUserInterface::MessageBeep(win32::UINT type) {
    auto beep = [&] { shown_.MessageBeep(type); };
    if (!uiThread_.Send(beep)) beep();
}

void DispatchedUserInterface::ShowWaitCursor(bool wait) {
    auto cursor = [&] { shown_.ShowWaitCursor(wait); };
    if (!uiThread_.Send(cursor)) cursor();
}
