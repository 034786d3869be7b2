// The status-code table: what the progress window shows and does for each notification.
#include "app/messages.h"
#include "app/progress_window.h"
#include "platform/ui.h"

namespace {

enum class Sound { None, SimpleBeep, Exclamation };

// A notification that ends a run: its text, and the sound that goes with it.
struct Outcome {
    std::uint32_t code;
    const char* text;
    Sound sound;
};

constexpr Outcome kOutcomes[] = {
    {UPGSTAT_FINISHED, "Upgrade finished.", Sound::SimpleBeep},
    {UPGSTAT_CANCELED, "Upgrade Canceled.  This may take a few seconds...", Sound::None},
    {UPGSTAT_NO_FIRMWARE,
     "Upgrade aborted.  Unable to locate firmware for upgrade process.  Upgrade utility may be "
     "corrupt and/or missing files.",
     Sound::None},
    {UPGSTAT_ABORTED, "Upgrade aborted. Unable to complete firmware upgrade.", Sound::None},
    {UPGSTAT_DEVICE_LOST,
     "Upgrade aborted.  The device is no longer connected to the system and/or is not working "
     "properly.",
     Sound::None},
    {UPGSTAT_FILES_NEWER,
     "One or more of the system files on your device is missing or newer than the files "
     "installed on your system. Please check the web for the latest software updates for your "
     "device.",
     Sound::Exclamation},
    {UPGSTAT_ERRORS, kUpgradeErrorsText, Sound::Exclamation},
};

const Outcome* FindOutcome(std::uint32_t code) {
    for (const Outcome& outcome : kOutcomes) {
        if (outcome.code == code) return &outcome;
    }
    return nullptr;
}

void Play(Sound sound) {
    if (sound == Sound::SimpleBeep) win32::MessageBeep(win32::MB_OK);  // the default beep
    if (sound == Sound::Exclamation) win32::MessageBeep(win32::MB_ICONEXCLAMATION);
}

}  // namespace

void CUpgradeProgressDlg::OnUpgradeStatus(std::uint32_t code, const tagUPDATESYSFILEINFO* info) {
    if (view_) view_->Received(code, info);
    if (const Outcome* outcome = FindOutcome(code)) {
        SetStatusText(outcome->text);
        MarkDone();
        Play(outcome->sound);
    } else {
        switch (code) {
            case UPGSTAT_SCANNING:
                SetStatusText("Scanning device...");
                break;
            case UPGSTAT_SET_POS:
                SetStatusText("Upgrading device...");
                info ? m_bar.SetPosition(info->dwPos) : m_bar.StepIt();
                PushBar();
                break;
            case UPGSTAT_SET_RANGE:
                // Only the range changes; the window is not refreshed.
                if (info == nullptr) return;
                m_bar.SetRange(0, static_cast<int>(info->dwCount & 0xFFFF));
                PushBar();
                return;
            case UPGSTAT_STEP:
                SetStatusText("Upgrading device...");
                m_bar.StepIt();
                PushBar();
                break;
            case UPGSTAT_ADVANCE:
                SetStatusText("Updating device...");
                if (info) {
                    m_bar.Advance(info->dwCount);
                    PushBar();
                }
                break;
            default:
                m_strStatus.clear();
                break;
        }
    }
    PushTexts();
    if (view_) view_->Repaint();
}
