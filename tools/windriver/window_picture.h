// A window's picture, title bar and frame included, as the screen shows it.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace windriver {

// Brings the window to the front, paints it afresh and writes a 24-bit BMP file of its part of
// the screen; false (with `error`) when it cannot.
bool SaveWindowPicture(HWND window, const std::string& path, std::string& error);

}  // namespace windriver
