// The front end's list of detected players. The position of an entry is the item data of its
// row and the parameter of the upgrade worker.
#pragma once

#include <memory>
#include <vector>

#include "kpz/portable_device.h"

struct tagDEVICEENTRY {
    tagPORTDEVINFO device;            // deep copy, owned by the entry
    char m_szCurrentVersion[9] = {};  // version on the player; empty when not read
    char m_szUpgradeVersion[9] = {};  // version of the installed copy; empty when not read

    tagDEVICEENTRY() = default;
    tagDEVICEENTRY(const tagDEVICEENTRY&) = delete;
    tagDEVICEENTRY& operator=(const tagDEVICEENTRY&) = delete;
    ~tagDEVICEENTRY() { device.desc.ClearSystemFiles(); }
};

using DeviceList = std::vector<std::unique_ptr<tagDEVICEENTRY>>;

// Only the user-interface thread adds or removes entries; the worker reads its one entry.
extern DeviceList g_deviceList;

// Frees every entry and empties the list.
void FreeDeviceList(DeviceList& list);

// The entry at `position`, or null when the position lies outside the list.
tagDEVICEENTRY* DeviceEntryAt(long position);
