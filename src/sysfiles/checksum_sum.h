// The 8-bit additive sum that protects the blocks of a checksum file.
#pragma once

#include <cstddef>

// True when `count` is 0 or the bytes add up to 0 modulo 256.
bool SumIsZero(const void* bytes, std::size_t count);
