#include "app/win32/main_window_dialog.h"

#include "app/win32/about_box.h"
#include "app/win32/progress_window_dialog.h"
#include "app/win32/window_layouts.h"

#include <commctrl.h>
#include <richedit.h>

namespace win32ui {

MainWindowDialog::MainWindowDialog(CUpgradeUtilityDlg& dlg) : dlg_(dlg) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    icon_ = LoadIconA(instance, MAKEINTRESOURCEA(kAppIconResource));
    const DialogTemplate layout(MainWindowLayout());
    window_ = CreateDialogIndirectParamA(instance, layout.Get(), nullptr, Procedure,
                                         reinterpret_cast<LPARAM>(this));
    if (window_ == nullptr) return;
    list_ = DeviceListControl(GetDlgItem(window_, IDC_DEVICE_LIST));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    list_.SelectWholeRows();
    PrepareStepLabels();
}

MainWindowDialog::~MainWindowDialog() {
    if (window_ != nullptr) DestroyWindow(window_);
}

// The face colour behind bold text, set as the labels' default format.
void MainWindowDialog::PrepareStepLabels() {
    CHARFORMAT2A bold{};
    bold.cbSize = sizeof(bold);
    bold.dwMask = CFM_BOLD;
    bold.dwEffects = CFE_BOLD;
    for (int id : {IDC_STEP1, IDC_STEP2, IDC_STEP3}) {
        HWND label = GetDlgItem(window_, id);
        SendMessageA(label, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_3DFACE)));
        SendMessageA(label, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&bold));
        // The template's text came before the format.
        SendMessageA(label, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&bold));
    }
}

INT_PTR CALLBACK MainWindowDialog::Procedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<MainWindowDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    return self != nullptr ? self->OnMessage(message, wParam) : FALSE;
}

INT_PTR MainWindowDialog::OnMessage(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_COMMAND:
            return Command(LOWORD(wParam));
        case WM_CLOSE:
            dlg_.OnClose();
            return TRUE;
        case WM_SYSCOMMAND:
            return dlg_.OnSysCommand(static_cast<unsigned>(wParam));
        case WM_TIMER:
            dlg_.OnTimer(static_cast<unsigned>(wParam));
            return TRUE;
        case WM_PAINT:
            if (!IsIconic(window_)) return FALSE;
            PaintMinimised();
            return TRUE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(icon_);
        default:
            return FALSE;
    }
}

bool MainWindowDialog::Command(WORD id) {
    switch (id) {
        case IDC_REFRESH:
            dlg_.OnRefresh();
            return true;
        case IDC_UPGRADE:
            dlg_.OnUpgrade();
            return true;
        case IDOK:
            dlg_.OnExit();
            return true;
        case IDCANCEL:  // Escape: a close request
            dlg_.OnClose();
            return true;
        default:
            return false;
    }
}

// Icon 128 centred in the client area.
void MainWindowDialog::PaintMinimised() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    SendMessageA(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(window_, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
    EndPaint(window_, &paint);
}

void MainWindowDialog::SetTitle(const std::string& title) {
    SetWindowTextA(window_, title.c_str());
}

void MainWindowDialog::AppendSystemMenuEntry(unsigned command, const std::string& caption) {
    HMENU menu = GetSystemMenu(window_, FALSE);
    if (menu == nullptr || caption.empty()) return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, command, caption.c_str());
}

void MainWindowDialog::InsertColumn(int column, const DeviceListColumn& layout) {
    list_.InsertColumn(column, layout);
}

void MainWindowDialog::CenterAndShow() {
    RECT area, frame;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(window_, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
}

void MainWindowDialog::ShowAboutBox() {
    win32ui::ShowAboutBox(window_);
}

void MainWindowDialog::EndDialog(int result) {
    endedWith_ = result;
    ShowWindow(window_, SW_HIDE);
    PostMessageA(window_, WM_NULL, 0, 0);  // the loop looks again
}

// Keyboard navigation for every dialog of the thread, the progress window's too.
int MainWindowDialog::RunModalLoop() {
    MSG message;
    while (!endedWith_ && GetMessageA(&message, nullptr, 0, 0) > 0) {
        HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (root != nullptr && IsDialogMessageA(root, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return endedWith_.value_or(IDCANCEL);
}

void MainWindowDialog::SetCell(int row, int column, const std::string& text) {
    list_.SetCell(row, column, text);
}

void MainWindowDialog::EnableControl(int id, bool enable) {
    EnableWindow(GetDlgItem(window_, id), enable);
}

void MainWindowDialog::FocusControl(int id) {
    SetFocus(GetDlgItem(window_, id));
}

unsigned MainWindowDialog::SetTimer(unsigned id, unsigned milliseconds) {
    return static_cast<unsigned>(::SetTimer(window_, id, milliseconds, nullptr));
}

void MainWindowDialog::KillTimer(unsigned id) {
    ::KillTimer(window_, id);
}

std::unique_ptr<ProgressWindowView> MainWindowDialog::CreateProgressWindow(
    CUpgradeProgressDlg& dlg) {
    auto view = std::make_unique<ProgressWindowDialog>(window_, dlg);
    if (view->Handle() == nullptr) return nullptr;
    return view;
}

}  // namespace win32ui
