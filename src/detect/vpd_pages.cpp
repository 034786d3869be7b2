#include "detect/vpd_pages.h"

#include <cstring>

#include "detect/device_queries.h"

namespace detect {

int DeviceStateFromPageC0(const std::uint8_t* answer, std::uint8_t* state) {
    if (answer[1] == 0) {
        *state = answer[0];
        return kQueryOk;
    }
    if (answer[1] == 2 && (answer[0] == 1 || answer[0] == 2)) {
        *state = answer[0] == 1 ? 3 : 4;
        return kQueryOk;
    }
    return kQueryStateUnknown;
}

void SerialNumberFromPage80(const std::uint8_t* answer, std::uint8_t* serial) {
    std::memcpy(serial, answer + 4, 8);
}

}  // namespace detect
