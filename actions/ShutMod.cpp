#include "actions/ShutMod.h"

#include "actions/EventLog.h"
#include "app/App.h"
#include "connectivity/Traffic.h"
#include "settings/NumberText.h"

namespace qv {

void ShutDownPC(App& app) {
    int64_t bytes = TotalBytesDownloaded(app);
    if (bytes > 0) {
        WriteLog(app, "Total Data Downloaded for Connectivity : " +
                          KilobytesText(bytes, app.os.clock.DecimalSeparator()) + " KB.");
    }
    app.os.power.ShutDownWindows();
}

}  // namespace qv
