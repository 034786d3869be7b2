// A zero-initialised block of local memory (LocalAlloc), freed when it goes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

namespace detect {

class LocalBlock {
  public:
    explicit LocalBlock(std::size_t size) { Replace(size); }
    ~LocalBlock() { win32::LocalFree(memory_); }
    LocalBlock(const LocalBlock&) = delete;
    LocalBlock& operator=(const LocalBlock&) = delete;

    // False when memory was exhausted.
    explicit operator bool() const { return memory_ != nullptr; }
    std::uint8_t* Bytes() const { return static_cast<std::uint8_t*>(memory_); }
    std::size_t Size() const { return memory_ != nullptr ? size_ : 0; }

    // Frees the block and allocates a new one of `size` bytes.
    void Replace(std::size_t size) {
        win32::LocalFree(memory_);
        memory_ = win32::LocalAlloc(win32::LPTR, size);
        size_ = size;
    }

  private:
    win32::HLOCAL memory_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace detect
