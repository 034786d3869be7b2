// The About box's notice line, the same in every front end. Two lines at most in the box's
// 8-point "MS Sans Serif".
#pragma once

inline constexpr char kAboutNotice[] =
    "Brings the firmware and system files of Zarn players up to date. Stop a player before "
    "you unplug it.";
