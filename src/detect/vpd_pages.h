// What the answers to the vital product data pages mean.
#pragma once

#include <cstdint>

namespace detect {

// Page C0h: byte 1 selects the form of byte 0. Form 0: the state is byte 0. Form 2: byte 0
// is 1 (state 3) or 2 (state 4). 0 with the state written, or 5 for any other answer.
int DeviceStateFromPageC0(const std::uint8_t* answer, std::uint8_t* state);

// Page 80h: bytes 4 to 11 are the eight-byte unit serial number.
void SerialNumberFromPage80(const std::uint8_t* answer, std::uint8_t* serial);

}  // namespace detect
