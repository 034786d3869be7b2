// What a user sees of the windows and does with them, through the controls' own messages.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace windriver {

// A shown top-level window of this thread with exactly this title, or null.
HWND FindShownWindow(const char* title);
std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
bool ControlEnabled(HWND dialog, int id);
// A press of a push button (BM_CLICK), so its parent gets the button's command; false, with
// nothing done, when the button is disabled or hidden, as a user could not press it then.
bool PressButton(HWND dialog, int id);

// Report-mode list views.
int RowCount(HWND list);
std::string Cell(HWND list, int row, int column);
void SelectRow(HWND list, int row);

}  // namespace windriver
