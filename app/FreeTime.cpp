#include "app/FreeTime.h"

#include "app/App.h"

namespace qv {

bool IsFreeHour(int startHour, int endHour, int hour) {
    if (startHour == endHour)
        return true;
    if (startHour < endHour)
        return startHour <= hour && hour < endHour;
    return hour >= startHour || hour < endHour;
}

bool IsFreeTime(App& app) {
    return IsFreeHour(app.settings.FreeStartHour, app.settings.FreeEndHour,
                      app.os.clock.Now().hour);
}

}  // namespace qv
