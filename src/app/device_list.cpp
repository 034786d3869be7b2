#include "app/device_list.h"

DeviceList g_deviceList;

void FreeDeviceList(DeviceList& list) {
    for (auto& entry : list) entry.reset();
    list.clear();
}

tagDEVICEENTRY* DeviceEntryAt(long position) {
    if (position < 0 || static_cast<unsigned long>(position) >= g_deviceList.size()) {
        return nullptr;
    }
    return g_deviceList[static_cast<std::size_t>(position)].get();
}
