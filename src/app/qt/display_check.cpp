#include "app/qt/display_check.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace qtui {
namespace {

const char* g_program = "";

void ExitOnFatal(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type != QtFatalMsg) return;
    SayNoDisplay(g_program);
    std::_Exit(kExitNoDisplay);
}

}  // namespace

bool DisplayNamed() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

void SayNoDisplay(const char* program) {
    std::fprintf(stderr,
                 "%s: no display to show the window on (DISPLAY and WAYLAND_DISPLAY name none "
                 "that can be reached); zarn-upgrade works without one\n",
                 program);
}

NoDisplayGuard::NoDisplayGuard(const char* program) {
    g_program = program;
    qInstallMessageHandler(&ExitOnFatal);
}

NoDisplayGuard::~NoDisplayGuard() {
    qInstallMessageHandler(nullptr);
}

}  // namespace qtui
