#include "cli/record_json.h"

#include "database/description_json.h"

namespace cli {

Json DescriptionJson(const tagPORTDEVDESC& desc) {
    return Json(dbtool::RecordToJson(desc));
}

Json DeviceJson(const tagPORTDEVINFO& device) {
    Json json = {{"driveLetter", std::string(1, device.driveLetter)}};
    const Json members = DescriptionJson(device.desc);
    for (const auto& [key, value] : members.items()) json[key] = value;
    return json;
}

}  // namespace cli
