#include "actions/ShutMod.h"

namespace qv {

void ShutDownPC(const ShutdownControl& shut) {
    if (shut.traffic.TotalBytesDownloaded > 0)
        shut.log.WriteLog(TrafficLine(shut.traffic, shut.clock.DecimalSeparator()));
    ShutDownWindows(shut);
}

void ShutDownWindows(const ShutdownControl& shut) {
    CheckWinNT(shut);
    if (shut.IsWinNT == 1)
        EnableShutdownPrivilege(shut);
    shut.power.ExitWindowsEx(kEwxShutdown | kEwxForce, 0xFFFFFFFFu);
}

void EnableShutdownPrivilege(const ShutdownControl& shut) {
    Power& power = shut.power;
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

void CheckWinNT(const ShutdownControl& shut) {
    shut.IsWinNT = (shut.power.GetVersion() & 0x80000000u) == 0 ? 1 : 0;
}

}  // namespace qv
