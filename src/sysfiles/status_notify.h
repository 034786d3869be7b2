// Sending status codes to the caller's callback, when one is given.
#pragma once

#include <cstdint>

#include "kpz/upgrade_status.h"

namespace sysfiles {

inline void Notify(PFNUPGRADESTATUSCALLBACK callback, tagPORTDEVINFO& device, std::uint32_t code) {
    if (callback != nullptr) callback(device, code, nullptr);
}

// A progress record {0, count, ""}, fresh for every call: the receiver may change it.
inline void NotifyProgress(PFNUPGRADESTATUSCALLBACK callback, tagPORTDEVINFO& device,
                           std::uint32_t code, std::int32_t count) {
    if (callback == nullptr) return;
    tagUPDATESYSFILEINFO info;
    info.dwCount = static_cast<std::uint32_t>(count);
    callback(device, code, &info);
}

}  // namespace sysfiles
