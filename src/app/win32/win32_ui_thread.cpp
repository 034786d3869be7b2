#include "app/win32/win32_ui_thread.h"

namespace win32ui {
namespace {

constexpr UINT kRunTask = WM_APP + 1;
constexpr char kClassName[] = "ZarnUpgradeUiThread";

void RegisterClassOnce() {
    static const ATOM atom = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass);
    }();
    (void)atom;
}

}  // namespace

Win32UiThread::Win32UiThread() : threadId_(GetCurrentThreadId()) {
    RegisterClassOnce();
    window_ = CreateWindowA(kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    if (window_ == nullptr) return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure));
}

Win32UiThread::~Win32UiThread() {
    Shutdown();
}

LRESULT CALLBACK Win32UiThread::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRunTask) return DefWindowProcA(window, message, wParam, lParam);
    auto* self = reinterpret_cast<Win32UiThread*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr || self->shutDown_) return 0;
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 1;
}

// A sender whose window is gone fails at once; one that got in before is released by the
// pumps of Shutdown.
bool Win32UiThread::Send(const std::function<void()>& task) {
    if (GetCurrentThreadId() == threadId_) {
        task();
        return true;
    }
    if (shutDown_ || window_ == nullptr) return false;
    return SendMessageA(window_, kRunTask, 0, reinterpret_cast<LPARAM>(&task)) == 1;
}

void Win32UiThread::ReleaseWaitingSenders() {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

void Win32UiThread::Shutdown() {
    if (shutDown_.exchange(true) || window_ == nullptr) return;
    ReleaseWaitingSenders();
    DestroyWindow(window_);
    ReleaseWaitingSenders();
}

}  // namespace win32ui
