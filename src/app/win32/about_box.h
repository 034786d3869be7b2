// The About box: modal, from its template, closed by OK (or Escape).
#pragma once

#include "app/win32/dialog_template.h"

namespace win32ui {

void ShowAboutBox(HWND owner);

}  // namespace win32ui
