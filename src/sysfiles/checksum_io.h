// Reads and writes of the checksum extraction, with the file object's exceptions turned into
// short counts: a failed read has read nothing, a failed write has written too little.
#pragma once

#include <cstdint>

#include "platform/file.h"

namespace checksum_io {

inline std::uint32_t ReadUpTo(platform::File& file, void* buffer, std::uint32_t count) {
    try {
        return file.Read(buffer, count);
    } catch (const platform::FileException&) {
        return 0;
    }
}

inline bool WriteAll(platform::File& file, const void* buffer, std::uint32_t count) {
    try {
        return file.Write(buffer, count) == count;
    } catch (const platform::FileException&) {
        return false;
    }
}

}  // namespace checksum_io
