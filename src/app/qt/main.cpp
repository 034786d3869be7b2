// KPZPortableDeviceSystemFileUpdater: the desktop program. Its command line has one meaning:
// the whole text, when not empty, is the main window's title.
#include <QApplication>

#include "app/application.h"
#include "app/qt/qt_window_system.h"

int main(int argc, char** argv) {
    // The text is taken before Qt sees the arguments, so nothing of it is read as an option.
    const std::string commandLine = CommandLineText(argc, argv);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    return qtui::RunDesktopProgram(commandLine);
}
