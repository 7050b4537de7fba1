#include "actions/ShutMod.h"

namespace qv {

void ShutDownPC(const ShutdownControl& shut) {
    if (shut.beforeShutdown)
        shut.beforeShutdown();
    if (shut.traffic.TotalBytesDownloaded > 0)
        shut.log.WriteLog(TrafficLine(shut.traffic, shut.clock.DecimalSeparator()));
    shut.power.ShutDownWindows();
}

}  // namespace qv
