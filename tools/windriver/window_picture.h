// A window's picture, title bar and frame included, as the window paints itself.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace windriver {

// Writes a 24-bit BMP file of the window; false (with `error`) when it cannot.
bool SaveWindowPicture(HWND window, const std::string& path, std::string& error);

}  // namespace windriver
