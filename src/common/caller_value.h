// The caller's value that the enumeration hands back to its callback is a `long`. It holds a
// pointer wherever a long is as wide as one (32-bit Windows, Linux); on 64-bit Windows it is
// not, and the value is a key to the pointer instead, for as long as the CallerValue lives.
#pragma once

#include <cstdint>

namespace common {

class CallerValue {
  public:
    explicit CallerValue(void* pointer);
    ~CallerValue();
    CallerValue(const CallerValue&) = delete;
    CallerValue& operator=(const CallerValue&) = delete;

    long Value() const { return value_; }

    // The pointer a value stands for; null for a value that stands for none.
    static void* Pointer(long value);

    template <typename T>
    static T* PointerTo(long value) {
        return static_cast<T*>(Pointer(value));
    }

  private:
    long value_;
};

}  // namespace common
