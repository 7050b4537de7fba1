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
    ShutDownWindows(app);
}

void ShutDownWindows(App& app) {
    CheckWinNT(app);
    if (app.IsWinNT == 1)
        EnableShutdownPrivilege(app);
    app.os.power.ExitWindowsEx(kEwxShutdown | kEwxForce, 0xFFFFFFFFu);
}

void EnableShutdownPrivilege(App& app) {
    Power& power = app.os.power;
    TokenId token = power.OpenProcessToken(kTokenAdjustPrivileges | kTokenQuery);
    TokenPrivilegeRequest request;
    request.PrivilegeCount = 1;
    power.LookupPrivilegeValueA("", "SeShutdownPrivilege", request.Luid);
    request.Attributes = kSePrivilegeEnabled;
    // Neither result is looked at: without the privilege Windows refuses the shutdown, and
    // the next shutdown trigger tries again.
    power.AdjustTokenPrivileges(token, false, request, sizeof request);
    if (token != 0)
        power.CloseToken(token);
}

void CheckWinNT(App& app) {
    app.IsWinNT = (app.os.power.GetVersion() & 0x80000000u) == 0 ? 1 : 0;
}

}  // namespace qv
