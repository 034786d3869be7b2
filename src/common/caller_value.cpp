#include "common/caller_value.h"

#include <map>
#include <mutex>

namespace common {
namespace {

constexpr bool kPointerFits = sizeof(long) >= sizeof(void*);

struct Keys {
    std::mutex mutex;
    std::map<long, void*> pointers;
    long next = 0;
};

// Used only where a long cannot hold a pointer (64-bit Windows).
[[maybe_unused]] Keys& TheKeys() {
    static Keys keys;
    return keys;
}

}  // namespace

CallerValue::CallerValue(void* pointer) {
    if constexpr (kPointerFits) {
        value_ = static_cast<long>(reinterpret_cast<std::intptr_t>(pointer));
    } else {
        Keys& keys = TheKeys();
        std::lock_guard lock(keys.mutex);
        do {
            if (++keys.next <= 0) keys.next = 1;
        } while (keys.pointers.count(keys.next) != 0);
        value_ = keys.next;
        keys.pointers[value_] = pointer;
    }
}

CallerValue::~CallerValue() {
    if constexpr (!kPointerFits) {
        Keys& keys = TheKeys();
        std::lock_guard lock(keys.mutex);
        keys.pointers.erase(value_);
    }
}

void* CallerValue::Pointer(long value) {
    if constexpr (kPointerFits) {
        return reinterpret_cast<void*>(static_cast<std::intptr_t>(value));
    } else {
        Keys& keys = TheKeys();
        std::lock_guard lock(keys.mutex);
        auto it = keys.pointers.find(value);
        return it == keys.pointers.end() ? nullptr : it->second;
    }
}

}  // namespace common
