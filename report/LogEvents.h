#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace qv::report {

// What one line of the event log says, as far as the night report cares.
enum class EventKind {
    ProgramStarted,     // the program started: the traffic count starts again from 0
    WindowStarted,      // "Free Usage Time Started."
    WindowEnded,        // "Free Usage Time Ended : ..." with its figures
    PageFailed,         // "Unable to open : ..."
    Restored,           // "Connectivity Restored after N Failed Pages."
    RebootAfterOutage,  // "No Connectivity Since last 3 Minutes - Rebooting Modem."
    ModemRebooted,      // "Modem Rebooted Successfully."
    RebootFailed,       // a line that tells a modem reboot failed
    RestartProved,      // "Modem Restarted in N Seconds.", "Modem did not Restart." or
                        // "Modem did not Come Back.": what the web port told after a reboot
    NicSwitched,        // the network card switched on or off
    ShutdownIssued,     // "ShutDown Command Issued." or "Auto ShutDown Command Issued."
    Traffic,            // "Total Data Downloaded for Connectivity : ... KB."
    GoingToSleep,       // "Computer Going to Sleep."
    WokeUp,             // "Computer Woke Up."
    ProgramQuit,        // "Dastrel's Quorvane Helper Quitting."
};

// Seconds since 1 January 1970 of a local date and time (no time zone: only differences count).
int64_t LocalSeconds(int year, int month, int day, int hour, int minute, int second);

struct LogEvent {
    EventKind kind{};
    int64_t at = 0;        // LocalSeconds of the line's time
    double kilobytes = 0;  // Traffic, WindowEnded
    int64_t pages = 0;     // WindowEnded: pages opened; Restored: failed pages in a row
    int64_t failed = 0;    // WindowEnded: pages failed
    // RestartProved: the seconds the modem took, or -1 when it did not restart, -2 when it did
    // not come back.
    int64_t restartSeconds = 0;
};

// The line's time and what it says; nothing for a line the report does not know, a line
// without the log's date and time in front or a torn one. Any date, time and decimal
// separator is read (the regional settings choose them).
std::optional<LogEvent> ReadLogEvent(std::string_view line);

}  // namespace qv::report
