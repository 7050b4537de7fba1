#pragma once

#include "platform/Clock.h"
#include "settings/Settings.h"

namespace qv {

// True when the hour lies in the free window [start, end); equal hours mean always free and a
// start after the end wraps over midnight.
bool IsFreeHour(int startHour, int endHour, int hour);

// The free-window test for the current local hour and the loaded settings.
bool IsFreeTime(const Settings& settings, Clock& clock);

}  // namespace qv
