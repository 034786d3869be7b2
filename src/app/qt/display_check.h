// A desktop program started where no window can be shown (a console, a service, ssh without
// forwarding) says so in one line and ends with status 2, instead of Qt's abort.
#pragma once

namespace qtui {

constexpr int kExitNoDisplay = 2;

// False when no display is named at all (DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM).
bool DisplayNamed();

// For the lifetime of the guard, a failure of Qt to reach the display ends the process with
// the one line and kExitNoDisplay; Qt's own warnings meanwhile are held back.
class NoDisplayGuard {
  public:
    explicit NoDisplayGuard(const char* program);
    ~NoDisplayGuard();
    NoDisplayGuard(const NoDisplayGuard&) = delete;
    NoDisplayGuard& operator=(const NoDisplayGuard&) = delete;
};

// The line: "<program>: no display to show the window on ...".
void SayNoDisplay(const char* program);

}  // namespace qtui
