// Win32 event objects over the host's own primitives, for the backends that offer events.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>

#include "platform/win32_types.h"

namespace platform {

class EventTable {
  public:
    enum class Wait { Signalled, TimedOut, NeverSignalled, NoSuchEvent };

    // A blocking table waits as Windows does; one that may not block (a simulated machine,
    // where nothing else runs meanwhile) answers a wait on an unsignalled event at once.
    explicit EventTable(bool blocking) : blocking_(blocking) {}

    // Handles fit in 32 bits, as Windows handles do, so request blocks can carry them.
    win32::HANDLE Create(bool manualReset, bool initialState);
    bool Set(win32::HANDLE event);
    bool Reset(win32::HANDLE event);
    bool Close(win32::HANDLE event);
    bool Contains(win32::HANDLE event) const;
    // An auto-reset event is reset by the wait that sees it signalled.
    Wait WaitFor(win32::HANDLE event, win32::DWORD milliseconds);

  private:
    struct Event {
        bool manualReset;
        bool signalled;
    };

    bool TakeSignal(Event& event);

    const bool blocking_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<win32::HANDLE, Event> events_;
    std::uintptr_t next_ = 0x60000000;  // apart from the other handles of a backend
};

}  // namespace platform
