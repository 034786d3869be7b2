// update-system-files and playlists: the library's own functions on one detected player.
#include <cstdio>

#include "app/progress_window.h"
#include "cli/players.h"
#include "cli/session.h"
#include "cli/terminal_views.h"
#include "kpz/detection.h"
#include "platform/win32.h"

namespace cli {
namespace {

// The notifications go to the progress window on this thread, as the front end draws them.
void ShowInProgressWindow(tagPORTDEVINFO&, std::uint32_t code, tagUPDATESYSFILEINFO* info) {
    if (g_pProgressDlg != nullptr) g_pProgressDlg->OnUpgradeStatus(code, info);
}

void RequireFolder(const std::string& path) {
    const win32::DWORD attributes = win32::GetFileAttributesA(path.c_str());
    if (attributes == win32::INVALID_FILE_ATTRIBUTES ||
        (attributes & win32::FILE_ATTRIBUTE_DIRECTORY) == 0) {
        throw UsageError("no folder " + path);
    }
}

void PrintResult(Session& session, const char* what, int result) {
    if (session.output.Text()) {
        session.output.Line(std::string(what) + ": result " + std::to_string(result) +
                            (result == 1 ? " (done)" : " (failed)"));
    }
    session.output.Result(Json{{"result", result}});
}

}  // namespace

int RunUpdateSystemFiles(Session& session, ArgumentList& arguments) {
    const std::string drive = arguments.Positional("DRIVE");
    const auto source = arguments.Option("--source");
    const bool messages = arguments.Flag("--messages");
    const bool once = arguments.Flag("--once");
    arguments.Finish();
    if (!source) throw UsageError("missing --source DIR");
    const char letter = ParseDrive(drive);
    RequireFolder(*source);
    tagPORTDEVINFO player = DetectedPlayerOn(letter);

    auto window = std::make_unique<CUpgradeProgressDlg>();
    window->Create(std::make_unique<TerminalProgressView>(session.output));
    g_pProgressDlg = window.release();
    char line[300];
    std::snprintf(line, sizeof line, "Device:  %s (%c:)", player.desc.displayName, letter);
    g_pProgressDlg->SetDeviceLine(line);
    g_pProgressDlg->ShowWindow();
    const int result = KPZPortableDeviceDetectionUpdateSystemFiles(
        &player, source->c_str(), messages ? 1 : 0, once ? 1 : 0, &ShowInProgressWindow);
    FreeProgressWindow();

    PrintResult(session, "System-file update", result);
    return result == 1 ? kExitDone : kExitFailed;
}

int RunPlaylists(Session& session, ArgumentList& arguments) {
    const std::string drive = arguments.Positional("DRIVE");
    arguments.Finish();
    tagPORTDEVINFO player = DetectedPlayerOn(ParseDrive(drive));
    const int result = KPZPortableDeviceDetectionVerifyPlaylistFolders(&player, nullptr);
    PrintResult(session, "Playlist folders", result);
    return result == 1 ? kExitDone : kExitFailed;
}

}  // namespace cli
