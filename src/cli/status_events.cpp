#include "cli/status_events.h"

#include <cstring>
#include <string>

namespace cli {

Json StatusCodeName(std::uint32_t code) {
    switch (code) {
        case UPGSTAT_SCANNING:
            return "UPGSTAT_SCANNING";
        case UPGSTAT_FINISHED:
            return "UPGSTAT_FINISHED";
        case UPGSTAT_CANCELED:
            return "UPGSTAT_CANCELED";
        case UPGSTAT_NO_FIRMWARE:
            return "UPGSTAT_NO_FIRMWARE";
        case UPGSTAT_ABORTED:
            return "UPGSTAT_ABORTED";
        case UPGSTAT_DEVICE_LOST:
            return "UPGSTAT_DEVICE_LOST";
        case UPGSTAT_SET_POS:
            return "UPGSTAT_SET_POS";
        case UPGSTAT_SET_RANGE:
            return "UPGSTAT_SET_RANGE";
        case UPGSTAT_STEP:
            return "UPGSTAT_STEP";
        case UPGSTAT_FILES_NEWER:
            return "UPGSTAT_FILES_NEWER";
        case UPGSTAT_ERRORS:
            return "UPGSTAT_ERRORS";
        case UPGSTAT_ADVANCE:
            return "UPGSTAT_ADVANCE";
        default:
            return nullptr;
    }
}

Json StatusEvent(std::uint32_t code, const tagUPDATESYSFILEINFO* info) {
    Json record = nullptr;
    if (info != nullptr) {
        const std::size_t length = strnlen(info->szText, sizeof info->szText);
        record = {{"dwPos", info->dwPos},
                  {"dwCount", info->dwCount},
                  {"szText", Utf8(std::string(info->szText, length))}};
    }
    return {{"code", code}, {"name", StatusCodeName(code)}, {"record", record}};
}

}  // namespace cli
