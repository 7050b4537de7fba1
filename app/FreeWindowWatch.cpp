#include "app/FreeWindowWatch.h"

#include "actions/FreeWindowLines.h"
#include "app/App.h"
#include "app/NightKeeper.h"
#include "settings/FreeTime.h"

namespace qv {

FreeWindowSoFar FreeWindowCounts(const App& app) {
    const FreeWindowState& w = app.freeWindow;
    return {app.traffic.TotalBytesDownloaded - w.BytesAtStart,
            app.net.PagesOpened - w.OpenedAtStart, app.net.PagesFailed - w.FailedAtStart};
}

namespace {

void WriteEndLine(App& app) {
    const FreeWindowSoFar seen = FreeWindowCounts(app);
    app.freeWindow.Open = false;
    app.log.WriteLog(FreeWindowEndedLine(seen.bytes, seen.pagesOpened, seen.pagesFailed,
                                         app.os.clock.DecimalSeparator()));
}

}  // namespace

void WatchFreeWindow(App& app) {
    // A tick served inside a fetch or a reboot (a wait serves the window) leaves the window's
    // lines to the end of that action, so that every line of the window comes before its end.
    if (app.sched.KeepAlive.Running() || app.sched.ModemReboot.Running() ||
        app.modem.Reboot.Running())
        return;
    FreeWindowState& w = app.freeWindow;
    const bool free = IsFreeTime(app.settings, app.os.clock);
    if (!free)
        w.EndedEarly = false;
    if (free && !w.Open && !w.EndedEarly) {
        w = {true, app.traffic.TotalBytesDownloaded, app.net.PagesOpened, app.net.PagesFailed};
        app.log.WriteLog(kFreeWindowStartedLine);
    } else if (!free && w.Open) {
        WriteEndLine(app);
    }
    KeepAwakeAsAsked(app);
    ArmWakeTimer(app);
}

void EndFreeWindow(App& app) {
    if (!app.freeWindow.Open)
        return;
    app.freeWindow.EndedEarly = true;
    WriteEndLine(app);
}

}  // namespace qv
