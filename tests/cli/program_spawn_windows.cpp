#include <algorithm>
#include <stdexcept>

#include "program_spawn.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace test {
namespace {

// One argument as the C runtime's command-line parser reads it back.
std::string Quoted(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

HANDLE CreateOutput(const std::string& path) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot create " + path + " (error " +
                                 std::to_string(::GetLastError()) + ")");
    }
    return file;
}

}  // namespace

int SpawnAndWait(const std::string& program, const std::vector<std::string>& args,
                 const std::string& outPath, const std::string& errPath) {
    std::string application = program;
    std::replace(application.begin(), application.end(), '/', '\\');
    std::string commandLine = Quoted(application);
    for (const std::string& arg : args) commandLine += " " + Quoted(arg);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = CreateOutput(outPath);
    startup.hStdError = CreateOutput(errPath);
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessA(application.c_str(), commandLine.data(), nullptr, nullptr,
                                          TRUE, 0, nullptr, nullptr, &startup, &process);
    ::CloseHandle(startup.hStdOutput);
    ::CloseHandle(startup.hStdError);
    if (!started) throw std::runtime_error("cannot start " + program);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    ::GetExitCodeProcess(process.hProcess, &status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(status);
}

}  // namespace test
