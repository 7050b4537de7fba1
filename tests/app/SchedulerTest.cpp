#include "tests/app/Program.h"

namespace qv::test {
namespace {

TEST(ShutdownRange, HoldsBetweenBothEndsInclusiveAndAcrossMidnight) {
    struct Case {
        int fh, fm, th, tm, h, m;
        bool holds;
    };
    // clang-format off
    const Case cases[] = {
        {8, 1, 9, 0, 8, 0, false},     {8, 1, 9, 0, 8, 1, true},      {8, 1, 9, 0, 8, 59, true},
        {8, 1, 9, 0, 9, 0, true},      {8, 1, 9, 0, 9, 1, false},     {8, 1, 9, 0, 7, 30, false},
        {8, 30, 8, 45, 8, 29, false},  {8, 30, 8, 45, 8, 45, true},   {8, 30, 8, 45, 9, 40, false},
        // Across midnight: from the start through midnight to the end.
        {23, 0, 1, 0, 22, 59, false},  {23, 0, 1, 0, 23, 0, true},    {23, 0, 1, 0, 0, 30, true},
        {23, 0, 1, 0, 1, 0, true},     {23, 0, 1, 0, 1, 1, false},    {23, 0, 1, 0, 12, 0, false},
        // Both ends the same minute: that minute only.
        {8, 0, 8, 0, 8, 0, true},      {8, 0, 8, 0, 8, 1, false},     {8, 0, 8, 0, 7, 59, false}};
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(InShutdownRange(c.fh, c.fm, c.th, c.tm, c.h, c.m), c.holds)
            << c.fh << ":" << c.fm << "-" << c.th << ":" << c.tm << " at " << c.h << ":" << c.m;
    }
}

// The services as the clock runs: the shutdown range and the card's windows are tested on even
// and fifth minute counts only; the daily times act once per clock minute, though their timers
// tick twice in some; listed reboot times as read; a check or a reboot that takes long never
// has a second one start inside it, and a listed minute that comes during a check waits for it.
TEST(Scheduler, ServicesFallDueByTheClock) {
    const std::pair<std::string, std::string> rows[] = {
        {"SrvShutDuring=1 @7/07:59:30 start +4m @7/08:55:30 +7m",
         "07:59:30 Free Usage Time Started.|08:00:30 Free Usage Time Ended : 0 KB in 0 Pages, 0 "
         "Failed.|08:01:30 Auto ShutDown Command Issued.|ShutDownPC|08:03:30 Auto ShutDown Command "
         "Issued.|ShutDownPC|08:57:30 Auto ShutDown Command Issued.|ShutDownPC|08:59:30 Auto "
         "ShutDown Command Issued.|ShutDownPC"},
        {"SrvNicDuringD=1 reachable @7/01:50:30 start +30m",
         "01:55:30 Auto Disable NIC Command Issued.|DisableNIC|02:00:30 Free Usage Time Started."},
        {"SrvNicDuringN=1 @7/07:40:30 start +30m",
         "07:40:30 Free Usage Time Started.|07:45:30 Auto Enable NIC Command "
         "Issued.|EnableNIC|07:50:30 Auto Enable NIC Command Issued.|EnableNIC|07:55:30 Auto "
         "Enable NIC Command Issued.|EnableNIC|08:00:30 Free Usage Time Ended : 0 KB in 0 Pages, 0 "
         "Failed."},
        // The window's end line comes before the shutdown's own line.
        {"SrvShutAt=1 SrvNicAt=1 @7/07:59:05 start +1443m",
         "07:59:05 Free Usage Time Started.|08:00:00 Free Usage Time Ended : 0 KB in 0 Pages, 0 "
         "Failed.|ShutDown Command Issued.|ShutDownPC|01:59:46 Enable Nic Command "
         "Issued.|EnableNIC|02:00:05 Free Usage Time Started.|07:58:41 Disable Nic Command "
         "Issued.|DisableNIC|08:00:05 Free Usage Time Ended : 0 KB in 0 Pages, 0 Failed.|ShutDown "
         "Command Issued.|ShutDownPC"},
        // A shutdown inside the window ends it until it closes, though the program lives on.
        {"SrvShutAt=1 ShutAt=3:0 @7/01:59:30 start +1502m",
         "02:00:30 Free Usage Time Started.|03:00:00 Free Usage Time Ended : 0 KB in 0 Pages, 0 "
         "Failed.|ShutDown Command Issued.|ShutDownPC|02:00:30 Free Usage Time Started.|03:00:05 "
         "Free Usage Time Ended : 0 KB in 0 Pages, 0 Failed.|ShutDown Command Issued.|ShutDownPC"},
        {"SrvNicAt=1 NIC=1:59,1:59 @7/01:58:30 start +2m",
         "01:59:29 Enable Nic Command Issued.|EnableNIC|Disable Nic Command "
         "Issued.|DisableNIC|02:00:30 Free Usage Time Started."},
        // "02:01" and " 2 : 1 " both name 02:01: two reboots in one tick, none in the next.
        {"SrvModem=1 Reboot=02:01,,2.4:1,02.5:00,02:00.6,_2_:_1_,07:,0700,00:00x,99999999999:00 "
         "@7/01:59:03 start +4m @7/06:59:30 +2m",
         "02:00:00 Free Usage Time Started.|02:01:54 RebootModem|Modem Rebooted "
         "Successfully.|RebootModem|Modem Rebooted Successfully."},
        // A time listed while its minute runs is still rebooted at in it.
        {"SrvModem=1 @7/01:59:03 start +60 Reboot=02:00 +60",
         "02:00:00 Free Usage Time Started.|02:00:57 RebootModem|Modem Rebooted Successfully."},
        {"SrvModem=1 Reboot=00:00x rebootfails @7/23:59:30 start +2m",
         "00:00:27 RebootModem"},  // failed: no line
        {"SrvPing=1 PingInterval=20 @7/03:00:00 start +1m @7/09:00:00 +2m",
         "03:00:00 " + kOpened +
             "|03:00:20 CheckConnectivity|03:00:40 CheckConnectivity|03:01:00 "
             "CheckConnectivity|09:00:20 Free Usage Time Ended : 4,5 KB in 3 Pages, 0 Failed.|" +
             kMaySleep},
        // The window ends during a check: its end line comes after the check's lines.
        {"SrvPing=1 PingInterval=20 slow70 down @7/07:59:30 start +2m",
         "07:59:30 " + kOpened +
             "|07:59:50 CheckConnectivity|Unable to open : http://www.bing.com/|08:01:00 Free "
             "Usage Time Ended : 0 KB in 0 Pages, 1 Failed.|" +
             kMaySleep},
        {"SrvModem=1 SrvPing=1 PingInterval=5 Reboot=02:01 slow70 @7/02:00:20 start +3m",
         "02:00:20 " + kOpened +
             "|02:00:25 CheckConnectivity|02:01:35 RebootModem|02:02:45 Modem Rebooted "
             "Successfully.|02:02:50 CheckConnectivity"},
    };
    for (const auto& [script, want] : rows) {
        Program p;
        p.hidden.erase("CheckConnectivity");
        EXPECT_EQ(p.Play(script), want) << script;
    }
}

// The minute count in the card frame's caption, the traffic line every hour; a re-arming keeps
// a running period, a new ping interval counts from it, 0 or less never ticks and past the
// window-timer maximum the period is clamped.
TEST(Scheduler, MinuteCaptionTrafficLineAndPingPeriods) {
    Program p;
    p.hidden = {"ModemReachable", "StartTrayAnimation", "show", "change"};  // shows "Total"
    p.t.app.diag.MinuteCountDisplay = true;
    EXPECT_EQ(p.Play("start +59999ms"), "");
    EXPECT_EQ(p.Play("+1ms"), "12:01:00 SetNicFrameCaption:Network Interface Settings 1");
    p.t.app.diag.MinuteCountDisplay = false;
    p.journal.clear();
    p.Play("+59m");
    p.t.app.traffic.TotalBytesDownloaded = 1536;
    EXPECT_EQ(p.Play("+60m"),
              "13:00:00 Total Data Downloaded for Connectivity : 0 KB.|14:00:00 Total Data "
              "Downloaded for Connectivity : 1,5 KB.");
    p.journal.clear();
    EXPECT_EQ(p.Play("SrvPing=1 PingInterval=50 Time=14,16 SrvAwake=0 +30 SrvShutAt=1 +20 "
                     "PingInterval=7 +7"),
              "14:00:50 Free Usage Time Started.|CheckConnectivity|14:00:57 CheckConnectivity");
    for (auto [interval, period] : {std::pair{"0", 0u},
                                    {"-3", 0u},
                                    {"61", 61000u},
                                    {"3000000", kMaxTimerPeriod},  // 3e9 ms overflows 32 bits
                                    {"2147483647", kMaxTimerPeriod}}) {
        p.Step("PingInterval=" + std::string(interval));
        EXPECT_EQ(p.t.timers.running.count(kTmrPing) ? p.t.timers.running.at(kTmrPing) : 0u,
                  period);
    }
    p.t.app.KeepAliveActive = true;
    p.Step("SrvPing=0");
    EXPECT_FALSE(p.t.app.KeepAliveActive);
}

}  // namespace
}  // namespace qv::test
