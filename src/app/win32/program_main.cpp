// KPZPortableDeviceSystemFileUpdater on Windows: its command line, when not empty, is the main
// window's title; it has no other meaning.
#include "app/win32/win32_window_system.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (!win32ui::PrepareWindowClasses()) {
        MessageBoxA(nullptr, "The common controls or the rich-text library could not be loaded.",
                    "Zarn Upgrade Utility", MB_OK | MB_ICONSTOP);
        return 1;
    }
    return win32ui::RunDesktopProgram(win32ui::CommandLineAfterProgram(GetCommandLineA()));
}
