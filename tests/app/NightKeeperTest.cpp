#include "tests/app/Program.h"

namespace qv::test {
namespace {

const std::string kPing = "SrvPing=1 PingInterval=10 ";

// The request is made while the window is open with the service and the box on, and given back
// at the window's end, when either is turned off and at exit; the wake timer is one minute
// before the next window, set again after a window and a change of the settings. A sleep inside
// the window, told by Windows or seen as a gap of more than two minutes between two ticks, is
// one wake; the three minutes without a page run from the wake.
TEST(NightKeeper, KeepsTheComputerAwakeInTheWindowAndWakesItBeforeIt) {
    const std::string wake = kPing + "SrvWake=1 SrvAwake=0 ", at = kPing + "@7/02:30:00 start +60 ";
    const std::string open = "02:30:00 " + kOpened + "|";
    const std::pair<std::string, std::string> rows[] = {
        {kPing + "Time=2,3 @7/01:59:30 start +3660",
         "02:00:00 " + kOpened +
             "|03:00:00 Free Usage Time Ended : 540 KB in 360 Pages, 0 Failed.|" + kMaySleep},
        {kPing + "@7/02:30:00 start +5 SrvAwake=0 +5 SrvAwake=1",
         open + "02:30:05 " + kMaySleep +
             "|02:30:10 awake|Keeping the Computer Awake in Free Usage Time."},
        {kPing + "@7/02:30:00 start +5 exit",
         open + "02:30:05 UnloadSettingsDialog|remove|" + kEnded + "|" + kMaySleep +
             "|Dastrel's Quorvane Helper Quitting.|remove|StopSockets|ended"},
        {wake + "start", "12:00:00 wake 2026-12-08 01:59"},
        {wake + "Time=22,6 @7/21:58:59 start", "21:58:59 wake 2026-12-07 21:59"},
        {wake + "Time=5,5 start", "12:00:00 Free Usage Time Started."},  // always free
        // Set again when the timer's minute has gone by, and when the settings change.
        {wake + "Time=2,3 @7/01:58:30 start +90 Time=4,6 SrvWake=0",
         "01:58:30 wake 2026-12-07 01:59|01:59:00 wake 2026-12-08 01:59|02:00:00 Free Usage Time "
         "Started.|wake 2026-12-07 03:59|no wake"},
        // Windows tells both; the line needs 40 s after the wake.
        {at + "sleep down z600 resume +40 up +300",
         open + "02:31:00 Computer Going to Sleep.|02:41:00 Computer Woke Up.|awake|02:41:50 "
                "Connectivity Restored after 5 Failed Pages."},
        // The line stays dead: the rule reboots three minutes after the wake.
        {at + "sleep down z600 resume +300",
         open + "02:31:00 Computer Going to Sleep.|02:41:00 Computer Woke Up.|awake|02:44:00 No "
                "Connectivity Since last 3 Minutes - Rebooting Modem."},
        // Frozen from outside: no message, the ticks' gap tells.
        {at + "down z600 +40 up +300",
         open + "02:41:00 Computer Woke Up.|awake|02:41:50 Connectivity Restored after 5 Failed "
                "Pages."},
        // The ticks come before Windows' message, or the message comes twice: one wake.
        {at + "sleep z600 +10 resume +10 resume",
         open + "02:31:00 Computer Going to Sleep.|02:41:00 Computer Woke Up.|awake"},
        // Two minutes exactly between two ticks is no sleep.
        // One page failed, then the line came back.
        {at + "z120 +60 down +10 up +10",
         open + "02:34:20 Connectivity Restored after 1 Failed Pages."},
        // Before the sleep the line was already failing: those failures are forgotten.
        {at + "down +30 z600 +100 up +300",
         open + "02:41:30 Computer Woke Up.|awake|02:43:20 Connectivity Restored after 14 Failed "
                "Pages."},
    };
    for (const auto& [script, want] : rows) {
        Program p;
        p.hidden.insert({"Unable", "Invalid"});
        EXPECT_EQ(p.Play(script), want) << script;
    }
    // Every night of a common year and a leap year: the wake is the next day's.
    for (LocalTime night{2023, 1, 1, 23, 59, 30}; night.year < 2025;) {
        Program p;
        p.t.clock.now = night;
        p.Play(wake + "Time=0,6 start");
        night = SimTimers::AddSeconds(night, 86400);
        FakePower next;
        next.SetWakeTimer({night.year, night.month, night.day, 23, 59, 0});
        EXPECT_EQ(p.t.power.calls, next.calls) << next.calls[0];
    }
}

}  // namespace
}  // namespace qv::test
