#include "tests/app/Program.h"

namespace qv::test {
namespace {

TEST(ShutdownRange, HoldsBetweenBothEndsInclusiveAndAcrossMidnight) {
    // A range, then minutes with 1 when the range holds them, else 0.
    for (const std::string row : {"08:01-09:00 08:00=0 08:01=1 08:59=1 09:00=1 09:01=0 07:30=0",
                                  "08:30-08:45 08:29=0 08:45=1 09:40=0",
                                  "23:00-01:00 22:59=0 23:00=1 00:30=1 01:00=1 01:01=0 12:00=0",
                                  "08:00-08:00 08:00=1 08:01=0 07:59=0"}) {
        int fh, fm, th, tm, h, m, holds, at = 11, n = 0;
        std::sscanf(row.c_str(), "%d:%d-%d:%d", &fh, &fm, &th, &tm);
        for (; std::sscanf(row.c_str() + at, " %d:%d=%d%n", &h, &m, &holds, &n) == 3; at += n)
            EXPECT_EQ(InShutdownRange(fh, fm, th, tm, h, m), holds == 1)
                << row << " at " << h << ":" << m;
    }
}

// The services as the clock runs: the shutdown range and the card's windows are tested on even
// and fifth minute counts only; the daily times act once per clock minute, though their timers
// tick twice in some; listed reboot times as read; a check or a reboot that takes long never
// has a second one start inside it, and a listed minute that comes during a check waits for it.
TEST(Scheduler, ServicesFallDueByTheClock) {
    const std::string autoShut = "Auto ShutDown Command Issued.|ShutDownPC",
                      shut = "ShutDown Command Issued.|ShutDownPC",
                      on = "Auto Enable NIC Command Issued.|EnableNIC",
                      rebooted = "RebootModem|Modem Rebooted Successfully.";
    const std::pair<std::string, std::string> rows[] = {
        {"SrvShutDuring=1 @7/07:59:30 start +4m @7/08:55:30 +7m",
         "07:59:30 " + kStarted + "|08:00:30 " + kEnded + "|08:01:30 " + autoShut + "|08:03:30 " +
             autoShut + "|08:57:30 " + autoShut + "|08:59:30 " + autoShut},
        {"SrvNicDuringD=1 reachable @7/01:50:30 start +30m",
         "01:55:30 Auto Disable NIC Command Issued.|DisableNIC|02:00:30 " + kStarted},
        {"SrvNicDuringN=1 @7/07:40:30 start +30m", "07:40:30 " + kStarted + "|07:45:30 " + on +
                                                       "|07:50:30 " + on + "|07:55:30 " + on +
                                                       "|08:00:30 " + kEnded},
        // The window's end line comes before the shutdown's own line.
        {"SrvShutAt=1 SrvNicAt=1 @7/07:59:05 start +1443m",
         "07:59:05 " + kStarted + "|08:00:00 " + kEnded + "|" + shut +
             "|01:59:46 Enable Nic Command Issued.|EnableNIC|02:00:05 " + kStarted +
             "|07:58:41 Disable Nic Command Issued.|DisableNIC|08:00:05 " + kEnded + "|" + shut},
        // A shutdown inside the window ends it until it closes, though the program lives on.
        {"SrvShutAt=1 ShutAt=3:0 @7/01:59:30 start +1502m",
         "02:00:30 " + kStarted + "|03:00:00 " + kEnded + "|" + shut + "|02:00:30 " + kStarted +
             "|03:00:05 " + kEnded + "|" + shut},
        {"SrvNicAt=1 NIC=1:59,1:59 @7/01:58:30 start +2m",
         "01:59:29 Enable Nic Command Issued.|EnableNIC|Disable Nic Command Issued.|DisableNIC|"
         "02:00:30 Free Usage Time Started."},
        // "02:01" and " 2 : 1 " both name 02:01: two reboots in one tick, none in the next.
        {"SrvModem=1 Reboot=02:01,,2.4:1,02.5:00,02:00.6,_2_:_1_,07:,0700,00:00x,99999999999:00 "
         "@7/01:59:03 start +4m @7/06:59:30 +2m",
         "02:00:00 " + kStarted + "|02:01:54 " + rebooted + "|" + rebooted},
        // A time listed while its minute runs is still rebooted at in it.
        {"SrvModem=1 @7/01:59:03 start +60 Reboot=02:00 +60",
         "02:00:00 " + kStarted + "|02:00:57 " + rebooted},
        {"SrvModem=1 Reboot=00:00x rebootfails @7/23:59:30 start +2m",
         "00:00:27 RebootModem"},  // failed: no line
        {"SrvPing=1 PingInterval=20 @7/03:00:00 start +1m @7/09:00:00 +2m",
         "03:00:00 " + kOpened +
             "|03:00:20 CheckConnectivity|03:00:40 CheckConnectivity|03:01:00 CheckConnectivity|"
             "09:00:20 Free Usage Time Ended : 4,5 KB in 3 Pages, 0 Failed.|" +
             kMaySleep},
        // The window ends during a check: its end line comes after the check's lines.
        {"SrvPing=1 PingInterval=20 slow70 down @7/07:59:30 start +2m",
         "07:59:30 " + kOpened +
             "|07:59:50 CheckConnectivity|Unable to open : http://www.bing.com/"
             "|08:01:00 Free Usage Time Ended : 0 KB in 0 Pages, 1 Failed.|" +
             kMaySleep},
        {"SrvModem=1 SrvPing=1 PingInterval=5 Reboot=02:01 slow70 @7/02:00:20 start +3m",
         "02:00:20 " + kOpened +
             "|02:00:25 CheckConnectivity|02:01:35 RebootModem|02:02:45 Modem "
             "Rebooted Successfully.|02:02:50 CheckConnectivity"},
    };
    for (const auto& [script, want] : rows) {
        Program p;
        p.hidden.erase("CheckConnectivity");
        EXPECT_EQ(p.Play(script), want) << script;
    }
}

// The traffic line every hour; a re-arming keeps
// a running period, a new ping interval counts from it, 0 or less never ticks and past the
// window-timer maximum the period is clamped.
TEST(Scheduler, TrafficLineAndPingPeriods) {
    Program p;
    p.hidden = {"ModemReachable", "StartTrayAnimation", "show", "change"};  // shows "Total"
    p.Play("start +60m");
    p.t.app.traffic.TotalBytesDownloaded = 1536;
    EXPECT_EQ(p.Play("+60m"),
              "13:00:00 Total Data Downloaded for Connectivity : 0 KB.|14:00:00 Total Data "
              "Downloaded for Connectivity : 1,5 KB.");
    p.journal.clear();
    EXPECT_EQ(p.Play("SrvPing=1 PingInterval=50 Time=14,16 SrvAwake=0 +30 SrvShutAt=1 +20 "
                     "PingInterval=7 +7"),
              "14:00:50 Free Usage Time Started.|CheckConnectivity|14:00:57 CheckConnectivity");
    std::string periods;  // 3000000 s in ms overflows 32 bits
    for (const char* interval : {"0", "-3", "61", "3000000", "2147483647"}) {
        p.Step("PingInterval=" + std::string(interval));
        periods += std::to_string(p.t.timers.running[kTmrPing]) + " ";
    }
    p.t.app.KeepAliveActive = true;
    p.Step("SrvPing=0");
    // Switched off, the ping no longer counts as keeping the line alive.
    EXPECT_EQ(periods + std::to_string(p.t.app.KeepAliveActive),
              "0 0 61000 2147483647 2147483647 0");
}

}  // namespace
}  // namespace qv::test
