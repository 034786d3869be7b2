// What the computer could not ask of its devices during a Refresh (a device node without
// access, say), for the user to read instead of an empty list without a reason.
#pragma once

#include <string>

// The lines since the last call, one a device; empty when there are none or the backend is
// a simulated computer.
std::string TakeDeviceNoticeText();
