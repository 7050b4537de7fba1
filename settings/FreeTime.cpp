#include "settings/FreeTime.h"

namespace qv {

bool IsFreeHour(int startHour, int endHour, int hour) {
    if (startHour == endHour)
        return true;
    if (startHour < endHour)
        return startHour <= hour && hour < endHour;
    return hour >= startHour || hour < endHour;
}

bool IsFreeTime(const Settings& settings, Clock& clock) {
    return IsFreeHour(settings.FreeStartHour, settings.FreeEndHour, clock.Now().hour);
}

}  // namespace qv
