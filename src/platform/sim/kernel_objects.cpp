// Events and local memory of a simulated machine. Nothing runs beside the program on it, so
// a wait on an unsignalled event ends at once: after its time-out on the virtual clock, or,
// without a time limit, as the deadlock it would be.
#include <cstdlib>

#include "platform/sim/machine.h"
#include "platform/win32.h"

namespace sim {
namespace {

bool Fail(DWORD error) {
    win32::SetLastError(error);
    return false;
}

}  // namespace

win32::HANDLE Machine::CreateEvent(bool manualReset, bool initialState, const char* name) {
    std::lock_guard lock(mutex_);
    Record("CreateEventA");
    if (name != nullptr) {  // named events are shared between processes: none here
        win32::SetLastError(win32::ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    return events_.Create(manualReset, initialState);
}

bool Machine::SetEvent(win32::HANDLE event) {
    std::lock_guard lock(mutex_);
    Record("SetEvent");
    return events_.Set(event) || Fail(win32::ERROR_INVALID_HANDLE);
}

bool Machine::ResetEvent(win32::HANDLE event) {
    std::lock_guard lock(mutex_);
    Record("ResetEvent");
    return events_.Reset(event) || Fail(win32::ERROR_INVALID_HANDLE);
}

DWORD Machine::WaitForSingleObject(win32::HANDLE object, DWORD milliseconds) {
    std::lock_guard lock(mutex_);
    Record("WaitForSingleObject");
    switch (events_.WaitFor(object, milliseconds)) {
        case platform::EventTable::Wait::Signalled:
            return win32::WAIT_OBJECT_0;
        case platform::EventTable::Wait::TimedOut:
            slept_ += milliseconds;
            return win32::WAIT_TIMEOUT;
        case platform::EventTable::Wait::NeverSignalled:
            win32::SetLastError(win32::ERROR_POSSIBLE_DEADLOCK);
            return win32::WAIT_FAILED;
        case platform::EventTable::Wait::NoSuchEvent:
            break;
    }
    win32::SetLastError(win32::ERROR_INVALID_HANDLE);
    return win32::WAIT_FAILED;
}

win32::HLOCAL Machine::LocalAlloc(UINT flags, win32::SIZE_T bytes) {
    std::lock_guard lock(mutex_);
    if ((flags & ~win32::LMEM_ZEROINIT) != 0) {  // fixed blocks only
        win32::SetLastError(win32::ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (localAllocsUntilFailure_ > 0 && --localAllocsUntilFailure_ == 0) {
        win32::SetLastError(win32::ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    void* memory = std::calloc(bytes == 0 ? 1 : bytes, 1);
    if (memory == nullptr) {
        win32::SetLastError(win32::ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    localBlocks_.insert(memory);
    return memory;
}

win32::HLOCAL Machine::LocalFree(win32::HLOCAL memory) {
    std::lock_guard lock(mutex_);
    if (localBlocks_.erase(memory) == 0) {  // not a block of ours: left alone, as Windows fails
        win32::SetLastError(win32::ERROR_INVALID_HANDLE);
        return memory;
    }
    std::free(memory);
    return nullptr;
}

}  // namespace sim
