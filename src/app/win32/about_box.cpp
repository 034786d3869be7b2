#include "app/win32/about_box.h"

#include "app/win32/window_layouts.h"

namespace win32ui {
namespace {

INT_PTR CALLBACK AboutBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowAboutBox(HWND owner) {
    const DialogTemplate layout(AboutBoxLayout());
    DialogBoxIndirectParamA(GetModuleHandleA(nullptr), layout.Get(), owner, AboutBoxProcedure, 0);
}

}  // namespace win32ui
