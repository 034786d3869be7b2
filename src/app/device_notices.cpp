#include "app/device_notices.h"

#include "platform/system.h"

std::string TakeDeviceNoticeText() {
    platform::HostDevices* devices = platform::Current().Devices();
    if (devices == nullptr) return {};
    std::string text;
    for (const std::string& line : devices->TakeDeviceNotices()) {
        if (!text.empty()) text += "\n";
        text += line;
    }
    return text;
}
