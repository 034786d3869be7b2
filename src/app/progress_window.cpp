#include "app/progress_window.h"

#include "platform/ascii.h"

CUpgradeProgressDlg* g_pProgressDlg = nullptr;

void FreeProgressWindow() {
    CUpgradeProgressDlg* window = g_pProgressDlg;
    g_pProgressDlg = nullptr;
    delete window;
}

CUpgradeProgressDlg::~CUpgradeProgressDlg() {
    if (g_pProgressDlg == this) g_pProgressDlg = nullptr;
    if (view_) view_->Destroy();
}

bool CUpgradeProgressDlg::Create(MainWindowView& owner) {
    return Create(owner.CreateProgressWindow(*this));
}

bool CUpgradeProgressDlg::Create(std::unique_ptr<ProgressWindowView> view) {
    view_ = std::move(view);
    if (!view_) return false;
    OnInitDialog();
    return true;
}

void CUpgradeProgressDlg::OnInitDialog() {
    m_bar.SetRange(0, 0);
    m_bar.SetPosition(0);
    m_bar.SetStep(1);
    SetButton("Cancel", false);
    m_strStatus.clear();
    PushBar();
    PushTexts();
}

void CUpgradeProgressDlg::SetDeviceLine(const std::string& deviceLine) {
    m_strDevice = deviceLine;
    PushTexts();
}

void CUpgradeProgressDlg::ShowWindow() {
    if (view_) view_->Show();
}

void CUpgradeProgressDlg::SendUpgradeStatus(std::uint32_t code, const tagUPDATESYSFILEINFO* info) {
    if (view_ && view_->SendStatus(code, info)) return;
    OnUpgradeStatus(code, info);
}

void CUpgradeProgressDlg::OnButtonOrClose() {
    // The caption is read as a control gives it: at most 255 characters.
    if (!platform::EqualsNoCase(std::string_view(m_strButton).substr(0, 255), "Done")) return;
    DestroyWindow();
}

void CUpgradeProgressDlg::DestroyWindow() {
    if (auto view = std::move(view_)) view->Destroy();
    OnDestroy();
}

void CUpgradeProgressDlg::OnDestroy() {
    if (g_pProgressDlg == this) FreeProgressWindow();  // frees this object: nothing may follow
}

void CUpgradeProgressDlg::SetStatusText(const char* text) {
    m_strStatus = std::string("Status:  ") + text;
}

void CUpgradeProgressDlg::SetButton(const std::string& caption, bool enabled) {
    m_strButton = caption;
    m_bButtonEnabled = enabled;
    if (view_) view_->ShowButton(m_strButton, m_bButtonEnabled);
}

void CUpgradeProgressDlg::MarkDone() {
    SetButton("Done", true);
}

void CUpgradeProgressDlg::PushTexts() {
    if (view_) view_->ShowTexts(m_strStatus, m_strDevice);
}

void CUpgradeProgressDlg::PushBar() {
    if (view_) view_->ShowBar(m_bar.Lower(), m_bar.Upper(), m_bar.Position());
}
