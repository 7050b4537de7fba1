#include "tests/app/Program.h"

namespace qv::test {
namespace {

// What the user and the world see of the window: the start by the stored settings, by Windows
// and as a second copy, a failure at start-up, Windows closing it, the tray's icon through an
// animation and the error state, the mouse messages and menu commands, ticks of timers that
// are off (queued before they were switched off, or unknown), the log that Notepad cannot show.
TEST(FrmIcon, StartMenuTrayAndEnd) {
    const std::string load = "12:00:00 SetServiceTimerIntervals|StartSockets|WriteNicBatches|";
    const std::string started =
        "ArmServiceTimers|change 2|change 2|Dastrel's Quorvane Helper "
        "Started.|show 2 Quorvane Helper by Dastrel.";
    const std::string opened =
        " change 2|Free Usage Time Started.|awake|change 2|Keeping the Computer "
        "Awake in Free Usage Time.|show 2 Quorvane Helper by Dastrel.|";
    const std::pair<std::string, std::string> rows[] = {
        {"load +59999ms", load + started + "|12:00:30 ModemReachable|change 2"},
        {"NIC=1:59 windows load",
         load + "change 4|GetSettings Unknown Error : 9|ArmServiceTimers|change 4|change "
                "4|Dastrel's Quorvane Helper Started with Windows.|show 4 Quorvane Helper by "
                "Dastrel."},
        {"second load", "12:00:00 ended|box Quorvane: This Application is Already Running."},
        {"!ArmServiceTimers load",
         load + "ArmServiceTimers|change 4|Unexpected Error : std::bad_alloc|start failed|show 4 "
                "Quorvane Helper by Dastrel.|box Quorvane: Unexpected Error : std::bad_alloc"},
        {"load unload unload", load + started + "|remove|StopSockets"},
        // A check's animation shows its four frames, then the state icon; the 30 s refresh that
        // falls inside it waits for it. The error state lasts until the log is looked at.
        {"SrvPing=1 PingInterval=29 @7/02:00:00 start +30 down +30 menu101 nonotepad menu101",
         "02:00:00" + opened +
             "02:00:29 StartTrayAnimation|change 5|change 6|change 7|change 8|02:00:30 change "
             "2|02:00:58 change 4|Unable to open : http://www.msn.com/|02:01:00 change 4|change "
             "3|change 3|box Quorvane: Unable to start Notepad to show the log : C:\\Program "
             "Files\\Quorvane\\Quorvane.log|start c:\\windows\\Notepad.exe C:\\Program "
             "Files\\Quorvane\\Quorvane.log|start c:\\windows\\Notepad.exe C:\\Program "
             "Files\\Quorvane\\Quorvane.log"},
        // After a wake the icon tells the state of the wake's time at once.
        {"Time=2,9 SrvPing=1 PingInterval=50 @7/08:58:00 start +65 z300 resume",
         "08:58:00" + opened +
             "08:58:30 change 2|08:58:50 StartTrayAnimation|change 5|change 6|change 7|change "
             "8|08:58:51 change 2|08:59:00 change 3|09:04:05 change 3|Computer Woke "
             "Up.|awake|ModemReachable|change 2"},
        // Only a double click and the right button's release act; 0: the menu closed.
        {"ShutAt=12:0 reachable start tick2 tick99 mouse0x200 mouse0x201 mouse0x202 mouse0x204 "
         "mouse0x206 mouse0x207 mouse0x208 mouse0x209 mouse0x203 menu0 menu102 menu101 menu103",
         "12:00:00 show 2 Quorvane Helper by Dastrel.|ShowSettingsDialog|ShowSettingsDialog|"
         "ModemReachable|change 1|UnloadSettingsDialog|remove|change 1|Dastrel's Quorvane Helper "
         "Quitting.|remove|StopSockets|ended|start c:\\windows\\Notepad.exe C:\\Program "
         "Files\\Quorvane\\Quorvane.log"},
        // A failure no routine caught is logged, and the program serves on.
        {"SrvPing=1 PingInterval=20 @7/03:00:00 start !CheckConnectivity !ShowSettingsDialog +20 "
         "menu102 mouse0x203 +40",
         "03:00:00" + opened +
             "03:00:20 change 4|Unexpected Error : std::bad_alloc|ShowSettingsDialog|change "
             "4|Unexpected Error : std::bad_alloc|ShowSettingsDialog|03:00:30 change 4|03:00:40 "
             "StartTrayAnimation|change 5|change 6|change 7|change 8|03:00:41 change 4|03:01:00 "
             "StartTrayAnimation|change 4"},
    };
    for (const auto& [script, want] : rows) {
        Program p;
        p.hidden = {"CheckConnectivity"};
        EXPECT_EQ(p.Play(script), want) << script;
        EXPECT_EQ(p.t.process.priorityRaised, script != "second load") << script;
    }
}

}  // namespace
}  // namespace qv::test
