// Texts that more than one place of the front end shows.
#pragma once

inline constexpr const char* kUpgradeErrorsText =
    "Errors occurred during upgrade.  Please verify device is working properly and is not being "
    "accessed by another application.  Please repeat the upgrade.  If problems persist, device "
    "firmware may be corrupted.";
