#include "app/Scheduler.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "actions/Text.h"
#include "actions/Traffic.h"
#include "app/App.h"
#include "app/FreeWindowWatch.h"
#include "app/NightKeeper.h"
#include "modem/ModemReboot.h"
#include "modem/RestartProof.h"
#include "settings/FreeTime.h"
#include "settings/LeadingNumber.h"

namespace qv {
namespace {

// The leading number of a text as read, when it is a whole number a clock could show: a
// reboot time is compared as written, so "02.5" never equals an hour.
std::optional<int32_t> ClockValue(const std::string& text) {
    double n = LeadingNumber(text);
    if (!(n >= 0 && n < 60) || n != static_cast<double>(static_cast<int32_t>(n)))
        return std::nullopt;
    return static_cast<int32_t>(n);
}

// The hour and minute an entry "hh:mm" names. An empty entry, one with nothing after the
// colon or one whose numbers no clock shows names none.
std::optional<std::pair<int32_t, int32_t>> RebootTime(const std::string& entry) {
    std::vector<std::string> parts = SplitText(entry, ':');
    if (parts.size() < 2 || parts[1].empty())
        return std::nullopt;
    auto hour = ClockValue(parts[0]);
    auto minute = ClockValue(parts[1]);
    if (!hour || !minute)
        return std::nullopt;
    return std::make_pair(*hour, *minute);
}

const std::vector<std::pair<int32_t, int32_t>>& RebootHourMinutes(App& app) {
    SchedulerState& s = app.sched;
    if (s.RebootTimesRead != app.settings.RebootTimes) {
        s.RebootTimesRead = app.settings.RebootTimes;
        s.RebootHourMinutes.clear();
        for (const std::string& entry : s.RebootTimesRead) {
            if (auto time = RebootTime(entry))
                s.RebootHourMinutes.push_back(*time);
        }
    }
    return s.RebootHourMinutes;
}

// Reboots the modem once for every entry of the reboot list that names this minute.
void RebootAtListedTimes(App& app, const LocalTime& now) {
    SchedulerState& s = app.sched;
    int64_t minute = MinuteKey(now);
    if (minute == s.ModemActedMinute)
        return;
    int reboots = 0;
    for (const auto& [hour, min] : RebootHourMinutes(app)) {
        if (hour == now.hour && min == now.minute)
            ++reboots;
    }
    if (reboots > 0)
        s.ModemActedMinute = minute;
    for (int i = 0; i < reboots; ++i) {
        bool rebooted;
        {
            ActionRunning::Hold running(s.ModemReboot);
            rebooted = app.actions().RebootModem();
        }
        if (rebooted)
            app.log.WriteLog(kModemRebootedLine);
    }
}

}  // namespace

std::string RebootNow(App& app) {
    if (app.sched.ModemReboot.Running() || app.modem.Reboot.Running())
        return kRebootRunningMessage;
    ActionRunning::Hold running(app.sched.ModemReboot);
    const uint64_t failures = app.log.FailureCount();
    if (RebootModem(app.modemContext, FailureShutdown::Never)) {
        app.log.WriteLog(kModemRebootedLine);
        return kModemRebootedLine;
    }
    return app.log.FailureCount() == failures || app.os.ui.EndRequested() ? ""
                                                                          : app.log.LastFailure();
}

int64_t MinuteKey(const LocalTime& t) {
    return ((((static_cast<int64_t>(t.year) * 13 + t.month) * 32 + t.day) * 24 + t.hour) * 60) +
           t.minute;
}

uint32_t PingPeriod(int32_t pingIntervalSeconds) {
    int64_t ms = static_cast<int64_t>(pingIntervalSeconds) * 1000;
    if (ms <= 0)
        return 0;
    if (ms > kMaxTimerPeriod)
        return kMaxTimerPeriod;
    return static_cast<uint32_t>(ms);
}

bool InShutdownRange(int fromHour, int fromMinute, int toHour, int toMinute, int h, int m) {
    int from = fromHour * 60 + fromMinute;
    int to = toHour * 60 + toMinute;
    if (to < from) {
        int now = h * 60 + m;
        return now >= from || now <= to;
    }
    if (h < toHour)
        return h > fromHour || (h == fromHour && m >= fromMinute);
    if (h == toHour)
        return m <= toMinute && (fromHour != toHour || m >= fromMinute);
    return false;
}

void SetServiceTimerIntervals(App& app) {
    TimerHost& host = app.os.timers;
    app.timers.tmrShut.SetInterval(host, 55000);
    app.timers.tmrModem.SetInterval(host, 57000);
    app.timers.tmrNIC.SetInterval(host, 59000);
    app.timers.tmrPing.SetInterval(host, 58000);
}

void ArmServiceTimers(App& app) {
    TimerHost& host = app.os.timers;
    const Settings& s = app.settings;
    app.timers.tmrShut.SetEnabled(host, s.SrvShutAt);
    app.timers.tmrNIC.SetEnabled(host, s.SrvNicAt);
    app.timers.tmrModem.SetEnabled(host, s.SrvModem);
    if (s.SrvPing) {
        app.timers.tmrPing.SetInterval(host, PingPeriod(s.PingInterval));
        app.timers.tmrPing.SetEnabled(host, true);
    } else {
        app.KeepAliveActive = false;
        app.timers.tmrPing.SetEnabled(host, false);
    }
    KeepAwakeAsAsked(app);
    ArmWakeTimer(app);
}

void CheckNicForFreeWindow(App& app) {
    const Settings& s = app.settings;
    if (IsFreeTime(app.settings, app.os.clock)) {
        if (s.SrvNicDuringN && !app.actions().ModemReachable()) {
            app.log.WriteLog(kAutoEnableNicLine);
            app.actions().EnableNIC();
        }
    } else if (s.SrvNicDuringD && app.actions().ModemReachable()) {
        app.log.WriteLog(kAutoDisableNicLine);
        app.actions().DisableNIC();
    }
}

void tmrMinuteAlarm_Timer(App& app) {
    LocalTime now = app.os.clock.Now();
    WatchFreeWindow(app);
    // Wraps instead of overflowing; that is some four thousand years away.
    app.MinuteCount = app.MinuteCount == INT32_MAX ? 0 : app.MinuteCount + 1;
    int32_t count = app.MinuteCount;
    const Settings& s = app.settings;
    if (count % 5 == 0 && (s.SrvNicDuringN || s.SrvNicDuringD))
        CheckNicForFreeWindow(app);
    if (count % 2 == 0 && s.SrvShutDuring &&
        InShutdownRange(s.ShutFromHour, s.ShutFromMinute, s.ShutToHour, s.ShutToMinute, now.hour,
                        now.minute)) {
        EndFreeWindow(app);
        app.log.WriteLog(kAutoShutDownLine);
        app.actions().ShutDownPC();
    }
    if (count % 60 == 0)
        app.log.WriteLog(TrafficLine(app.traffic, app.os.clock.DecimalSeparator()));
    if (app.diag.MinuteCountDisplay && app.dialogHost() != nullptr)
        app.dialogHost()->SetFrame1Caption(kNicFramePrefix + std::to_string(count));
}

void tmrShut_Timer(App& app) {
    LocalTime now = app.os.clock.Now();
    const Settings& s = app.settings;
    if (now.hour != s.ShutAtHour || now.minute != s.ShutAtMinute)
        return;
    int64_t minute = MinuteKey(now);
    if (minute == app.sched.ShutActedMinute)
        return;
    app.sched.ShutActedMinute = minute;
    EndFreeWindow(app);
    app.log.WriteLog(kShutDownLine);
    app.actions().ShutDownPC();
}

void tmrNIC_Timer(App& app) {
    LocalTime now = app.os.clock.Now();
    const Settings& s = app.settings;
    bool on = now.hour == s.NicOnHour && now.minute == s.NicOnMinute;
    bool off = now.hour == s.NicOffHour && now.minute == s.NicOffMinute;
    if (!on && !off)
        return;
    int64_t minute = MinuteKey(now);
    if (minute == app.sched.NicActedMinute)
        return;
    app.sched.NicActedMinute = minute;
    if (on) {
        app.log.WriteLog(kEnableNicLine);
        app.actions().EnableNIC();
    }
    if (off) {
        app.log.WriteLog(kDisableNicLine);
        app.actions().DisableNIC();
    }
}

void tmrModem_Timer(App& app) {
    SchedulerState& s = app.sched;
    LocalTime now = app.os.clock.Now();
    if (s.ModemReboot.Running())
        return;
    if (s.KeepAlive.Running()) {
        // The keep-alive cycle may reboot the modem itself; the listed time is served when the
        // cycle has ended.
        s.ModemTickDeferred = true;
        s.DeferredModemTime = now;
        return;
    }
    RebootAtListedTimes(app, now);
    WatchFreeWindow(app);
}

void tmrPing_Timer(App& app) {
    SchedulerState& s = app.sched;
    if (s.KeepAlive.Running() || s.ModemReboot.Running())
        return;
    WatchFreeWindow(app);
    if (!IsFreeTime(app.settings, app.os.clock))
        return;
    app.KeepAliveActive = true;
    {
        ActionRunning::Hold running(s.KeepAlive);
        app.actions().CheckConnectivity();
    }
    if (s.ModemTickDeferred) {
        s.ModemTickDeferred = false;
        if (app.timers.tmrModem.Ticking())
            RebootAtListedTimes(app, s.DeferredModemTime);
    }
    WatchFreeWindow(app);
}

void tmrModemProof_Timer(App& app) {
    if (!RestartProofTick(app.modemContext))
        app.timers.tmrModemProof.SetEnabled(app.os.timers, false);
}

}  // namespace qv
