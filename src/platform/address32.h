// Request blocks keep their 32-bit layout on a 64-bit build: where a block holds an address,
// it holds a 32-bit token that stands for a buffer while the mapping lives.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

class Address32 {
  public:
    Address32(void* buffer, std::size_t size);
    ~Address32();
    Address32(const Address32&) = delete;
    Address32& operator=(const Address32&) = delete;

    std::uint32_t Token() const { return token_; }

    // The buffer behind a token, when it is mapped and holds at least `size` bytes.
    static void* Resolve(std::uint32_t token, std::size_t size);
    // How many bytes the buffer behind a token holds; 0 when the token is not mapped.
    static std::size_t MappedSize(std::uint32_t token);

  private:
    std::uint32_t token_;
};

}  // namespace platform
