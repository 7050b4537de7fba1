#include "app/NightKeeper.h"

#include "actions/FreeWindowLines.h"
#include "app/App.h"
#include "app/Icon.h"

namespace qv {
namespace {

bool LeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && LeapYear(y) ? 29 : days[(m + 11) % 12];
}

LocalTime NextDay(LocalTime t) {
    if (++t.day > DaysInMonth(t.year, t.month)) {
        t.day = 1;
        if (++t.month > 12) {
            t.month = 1;
            ++t.year;
        }
    }
    return t;
}

bool SameTime(const LocalTime& a, const LocalTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
}

// The steps after a wake: the rule's minutes run from now, the requests are made again, the
// tray shows the state of now.
void Woke(App& app) {
    NightKeeperState& k = app.keeper;
    k.GoingToSleep = false;
    k.WakeSeen = true;
    k.WokeAtMs = k.LastTickMs = app.os.clock.SteadyMs();
    k.TickSeen = true;
    app.log.WriteLog(kWokeUpLine);
    // Failures before the sleep are forgotten and the sleep is no time without a page.
    app.net.PageFailures = 0;
    app.net.LastPageOK = app.os.clock.Now();
    if (k.KeepingAwake)
        app.os.power.KeepSystemAwake(true);
    KeepAwakeAsAsked(app);
    k.WakeTimerSet = false;
    ArmWakeTimer(app);
    GetCurrentIconNo(app);
    UpdateTrayIcon(app);
}

}  // namespace

LocalTime NextWakeTime(const LocalTime& now, int startHour) {
    LocalTime due = now;
    due.hour = (startHour + 23) % 24;
    due.minute = 59;
    due.second = 0;
    const int dueSecond = due.hour * 3600 + 59 * 60;
    if (dueSecond <= now.hour * 3600 + now.minute * 60 + now.second)
        due = NextDay(due);
    return due;
}

void KeepAwakeAsAsked(App& app) {
    const Settings& s = app.settings;
    const bool wanted = app.freeWindow.Open && s.SrvPing && s.SrvAwake;
    if (wanted == app.keeper.KeepingAwake)
        return;
    if (!wanted) {
        GiveBackKeepAwake(app);
        return;
    }
    app.keeper.KeepingAwake = true;
    app.os.power.KeepSystemAwake(true);
    app.log.WriteLog(kKeepingAwakeLine);
}

void GiveBackKeepAwake(App& app) {
    if (!app.keeper.KeepingAwake)
        return;
    app.keeper.KeepingAwake = false;
    app.os.power.KeepSystemAwake(false);
    app.log.WriteLog(kMaySleepLine);
}

void ArmWakeTimer(App& app) {
    const Settings& s = app.settings;
    NightKeeperState& k = app.keeper;
    const bool wanted = s.SrvWake && s.FreeStartHour != s.FreeEndHour && s.FreeStartHour >= 0 &&
                        s.FreeStartHour < 24;
    if (!wanted) {
        if (k.WakeTimerSet)
            app.os.power.CancelWakeTimer();
        k.WakeTimerSet = false;
        return;
    }
    const LocalTime due = NextWakeTime(app.os.clock.Now(), s.FreeStartHour);
    if (k.WakeTimerSet && SameTime(due, k.WakeDue))
        return;
    k.WakeTimerSet = true;
    k.WakeDue = due;
    app.os.power.SetWakeTimer(due);
}

void ComputerGoingToSleep(App& app) {
    if (app.keeper.GoingToSleep)
        return;
    app.keeper.GoingToSleep = true;
    app.log.WriteLog(kGoingToSleepLine);
}

void ComputerResumed(App& app) {
    const NightKeeperState& k = app.keeper;
    // A wake that the ticks' gap told already is not told again.
    const bool toldJustNow = k.WakeSeen && app.os.clock.SteadyMs() - k.WokeAtMs <= kTickGapWakeMs;
    if (k.GoingToSleep || !toldJustNow)
        Woke(app);
}

void NoteTimerTick(App& app) {
    NightKeeperState& k = app.keeper;
    const uint64_t now = app.os.clock.SteadyMs();
    const bool gap = k.TickSeen && now - k.LastTickMs > kTickGapWakeMs;
    k.TickSeen = true;
    k.LastTickMs = now;
    if (gap)
        Woke(app);
}

}  // namespace qv
