// A user's steps through the windows, run by a timer on the thread whose message loops serve
// the windows (the main window's, a modal box's): each step acts once its condition holds, in
// order. A step may open a modal window; the steps after it run inside that window's loop.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace windriver {

class StepScript {
  public:
    StepScript();
    ~StepScript();
    StepScript(const StepScript&) = delete;
    StepScript& operator=(const StepScript&) = delete;

    // `act` runs at the first tick where `ready` holds, after every earlier step has acted.
    void Then(std::string what, std::function<bool()> ready, std::function<void()> act);
    // Ticks every `tickMs`; when a step is not ready within `limitMs` of the step before it,
    // the script stops and `giveUp` runs (it should end the windows). False when no timer
    // could be set.
    bool Start(unsigned tickMs, unsigned limitMs, std::function<void()> giveUp);

    bool Finished() const { return next_ == steps_.size(); }
    // The first step that has not acted (the windows ended before it, or it never became
    // ready), or empty when every step has.
    std::string Unreached() const { return Finished() ? std::string() : steps_[next_].what; }

  private:
    struct Step {
        std::string what;
        std::function<bool()> ready;
        std::function<void()> act;
    };
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Tick();
    void Stop();

    HWND window_ = nullptr;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    ULONGLONG limitMs_ = 0;
    ULONGLONG lastStepAt_ = 0;
    std::function<void()> giveUp_;
    bool gaveUp_ = false;
};

}  // namespace windriver
