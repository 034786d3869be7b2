// KPZPortableDeviceSystemFileUpdater: the desktop program. Its command line has one meaning:
// the whole text, when not empty, is the main window's title.
#include <QApplication>
#include <memory>

#include "app/application.h"
#include "app/qt/display_check.h"
#include "app/qt/qt_window_system.h"
#include "common/code_page.h"

namespace {

constexpr const char* kProgram = "KPZPortableDeviceSystemFileUpdater";

}  // namespace

int main(int argc, char** argv) {
    // The text is taken before Qt sees the arguments, so nothing of it is read as an option;
    // it is held in the system code page like every text of the program.
    const std::string text = CommandLineText(argc, argv);
    const std::string commandLine = common::Utf8ToCodePage(text).value_or(text);
    if (!qtui::DisplayNamed()) {
        qtui::SayNoDisplay(kProgram);
        return qtui::kExitNoDisplay;
    }
    int qtArgc = 1;
    auto guard = std::make_unique<qtui::NoDisplayGuard>(kProgram);
    QApplication application(qtArgc, argv);
    guard.reset();
    return qtui::RunDesktopProgram(commandLine);
}
