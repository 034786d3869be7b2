#include "private_bus.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <vector>

namespace test {
namespace {

constexpr const char* kDaemon = "/usr/bin/dbus-daemon";
constexpr const char* kPython = "/usr/bin/python3";

// Starts `argv` with its standard output on a pipe; the reading end, or -1.
pid_t Spawn(const std::vector<std::string>& argv, int& output) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        std::vector<char*> args;
        for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    output = pipeFds[0];
    return pid;
}

// One line from a pipe, waiting for it; empty at the end.
std::string ReadLine(int fd) {
    std::string line;
    char c;
    while (::read(fd, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

void Stop(pid_t& pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    pid = -1;
}

}  // namespace

std::string PrivateSystemBus::Missing() {
    if (::access(kDaemon, X_OK) != 0) return "dbus-daemon is not installed (package dbus)";
    const std::string check = std::string(kPython) + " -c 'import dbusmock' 2>/dev/null";
    if (std::system(check.c_str()) != 0) return "python3-dbusmock is not installed";
    return {};
}

PrivateSystemBus::PrivateSystemBus(const std::string& folder) : folder_(folder) {
    const std::string config = folder + "/bus.conf";
    std::ofstream(config)
        << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN\"\n"
           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
           "<busconfig><type>session</type><listen>unix:dir="
        << folder
        << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
           "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
           "<allow own=\"*\"/><allow user=\"*\"/></policy></busconfig>\n";
    int output = -1;
    daemon_ =
        Spawn({kDaemon, "--config-file=" + config, "--nofork", "--nopidfile", "--print-address=1"},
              output);
    if (daemon_ <= 0) return;
    address_ = ReadLine(output);  // printed once the bus listens
    ::close(output);
}

PrivateSystemBus::~PrivateSystemBus() {
    Stop(mock_);
    Stop(daemon_);
}

void PrivateSystemBus::StopMock() {
    Stop(mock_);
}

bool PrivateSystemBus::StartMock(const std::string& templateFile, const std::string& parameters,
                                 const std::string& logFile) {
    StopMock();
    int output = -1;
    mock_ = Spawn({kPython, "-m", "dbusmock", "--system", "-t", templateFile, "-l", logFile,
                   "--parameters", parameters},
                  output);
    if (mock_ <= 0) return false;
    const bool ready = ReadLine(output) == "ready";  // the template says so once it is on the bus
    ::close(output);
    return ready;
}

}  // namespace test
