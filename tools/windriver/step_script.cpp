#include "windriver/step_script.h"

namespace windriver {
namespace {

constexpr char kClassName[] = "ZarnStepScript";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

StepScript::StepScript() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    window_ = CreateWindowA(kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    if (window_ != nullptr)
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

StepScript::~StepScript() {
    if (window_ != nullptr) DestroyWindow(window_);
}

void StepScript::Then(std::string what, std::function<bool()> ready, std::function<void()> act) {
    steps_.push_back({std::move(what), std::move(ready), std::move(act)});
}

bool StepScript::Start(unsigned tickMs, unsigned limitMs, std::function<void()> giveUp) {
    limitMs_ = limitMs;
    lastStepAt_ = GetTickCount64();
    giveUp_ = std::move(giveUp);
    return window_ != nullptr && SetTimer(window_, kTimerId, tickMs, nullptr) != 0;
}

LRESULT CALLBACK StepScript::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER) return DefWindowProcA(window, message, wParam, lParam);
    auto* self = reinterpret_cast<StepScript*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr) self->Tick();
    return 0;
}

// The step is counted as done before it acts: a modal window it opens runs the later steps
// from this same timer.
void StepScript::Tick() {
    if (Finished() || gaveUp_) return Stop();
    Step& step = steps_[next_];
    if (!step.ready()) {
        if (GetTickCount64() - lastStepAt_ < limitMs_) return;
        gaveUp_ = true;
        Stop();
        if (giveUp_) giveUp_();
        return;
    }
    ++next_;
    lastStepAt_ = GetTickCount64();
    step.act();
}

void StepScript::Stop() {
    KillTimer(window_, kTimerId);
}

}  // namespace windriver
