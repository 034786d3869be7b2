// A private D-Bus daemon standing in for the system bus, and a python3-dbusmock service on it,
// both ended with the object.
#pragma once

#include <sys/types.h>

#include <string>

namespace test {

class PrivateSystemBus {
  public:
    // Starts dbus-daemon with its sockets in `folder`; Address() is empty when it failed.
    explicit PrivateSystemBus(const std::string& folder);
    ~PrivateSystemBus();
    PrivateSystemBus(const PrivateSystemBus&) = delete;
    PrivateSystemBus& operator=(const PrivateSystemBus&) = delete;

    const std::string& Address() const { return address_; }
    // Runs the dbusmock template with its parameters (JSON), logging calls to `logFile`;
    // returns once the service is on the bus, false when it never got there.
    bool StartMock(const std::string& templateFile, const std::string& parameters,
                   const std::string& logFile);
    void StopMock();

    // Why the tests cannot run here (no dbus-daemon, no python3-dbusmock); empty when they can.
    static std::string Missing();

  private:
    std::string folder_;
    std::string address_;
    pid_t daemon_ = -1;
    pid_t mock_ = -1;
};

}  // namespace test
