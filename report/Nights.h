#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "actions/Text.h"
#include "report/LogEvents.h"

namespace qv::report {

// How many nights the report shows, and within how long after a reboot a page that opened
// means the reboot helped.
inline constexpr size_t kReportNights = 14;
inline constexpr int64_t kHelpedWithinSeconds = 5 * 60;
// A night holds at most this many outages and reboots in its lists; its totals count them all.
inline constexpr size_t kListedPerNight = 500;
// Nights of older logs (no window lines) are cut where the watch was silent this long, and
// their outages where no page failed this long.
inline constexpr int64_t kPartialNightGap = 6 * 3600;
inline constexpr int64_t kPartialOutageGap = 5 * 60;
// The restart proof's verdict comes within the watch's five minutes after the reboot's own line
// (give or take the 5-second tick that ends the watch, late on a busy machine).
inline constexpr int64_t kVerdictWithinSeconds = 5 * 60 + 30;

struct Reboot {
    int64_t at = 0;
    bool listed = false;         // at a listed time; otherwise after three minutes without a page
    bool rebooted = false;       // the modem said it rebooted
    std::optional<bool> helped;  // a page opened within five minutes; nothing when not known
    // What the modem's web port told after it: the seconds it took to restart, -1 when it did
    // not restart, -2 when it did not come back; nothing when it was not watched.
    std::optional<int64_t> restartSeconds;
};

struct Outage {
    int64_t start = 0;            // the first page that failed
    int64_t end = 0;              // the page that opened again, or the end of the window
    bool restored = false;        // a page opened again (otherwise the window ended first)
    std::vector<size_t> reboots;  // places in the night's reboots
};

// A span of the night in which the computer slept or the program did not run: neither online
// nor an outage.
enum class GapKind { Asleep, NotRunning };
struct Gap {
    int64_t start = 0;
    int64_t end = 0;
    GapKind kind{};
};

enum class MarkKind { NicSwitch, Shutdown };
struct Mark {
    int64_t at = 0;
    MarkKind kind{};
};

// One free window as the log tells it.
struct Night {
    int64_t begin = 0;
    int64_t end = 0;
    // From a log without this version's lines: only failures, reboots and traffic lines; the
    // window and the pages opened are not known, and the night spans the whole hours its lines
    // fall in.
    bool partial = false;
    // The window had no end line: the program stopped or the log ends inside it.
    bool cut = false;
    // Still open as the report is made: the figures are those the program counts now.
    bool live = false;
    std::optional<double> kilobytes;
    std::optional<int64_t> opened;
    int64_t failed = 0;
    std::vector<Outage> outages;
    int64_t outageCount = 0;
    int64_t outageSeconds = 0;
    std::vector<Reboot> reboots;
    int64_t rebootCount = 0;
    std::vector<Mark> marks;
    std::vector<Gap> gaps;
    int64_t gapSeconds = 0;

    int64_t Length() const { return end - begin; }
    // The window's time with the computer awake and the program running.
    int64_t AwakeLength() const { return Length() - std::min(gapSeconds, Length()); }
    // The share of that time online, 0 to 1; nothing for a partial night.
    std::optional<double> OnlineShare() const;
};

// The window that is open as the report is made, as the program counts it.
struct OpenWindowNow {
    int64_t at = 0;  // LocalSeconds of now
    double kilobytes = 0;
    int64_t opened = 0;
    int64_t failed = 0;
};

// Reads events in log order and keeps the last kReportNights nights; what it holds does not
// grow with the log.
class NightBuilder {
  public:
    void Add(const LogEvent& event);
    // Ends reading: a window still open is closed with `now` when given, else cut at the last
    // line. The nights, oldest first.
    std::deque<Night> Finish(const std::optional<OpenWindowNow>& now);

  private:
    void OpenNight(int64_t at, bool partial);
    void CloseNight(int64_t at);
    // A new start or a new window: the night being read ends without its end line.
    void EndUnfinishedNight(int64_t lastLine);
    void CloseOutage(int64_t at, bool restored);
    void AddReboot(int64_t at, int64_t lineAt, bool listed, bool rebooted);
    void AddMark(int64_t at, MarkKind kind);
    // Sleeps, quits and starts: true when the event is taken as a gap of the night being read.
    bool TakePause(const LogEvent& event, int64_t previousLine);
    void AddGap(int64_t start, int64_t end, GapKind kind);

    std::deque<Night> nights_;
    std::optional<Night> night_;  // the night being read
    bool outageOpen_ = false;
    int64_t lastFailure_ = 0;
    int64_t lastWatchEvent_ = 0;
    int64_t lastLine_ = 0;
    // A "Rebooting Modem" line waits for its outcome.
    std::optional<int64_t> pendingReboot_;
    // The last reboot that the modem said was done, while a verdict of the restart proof may
    // still come for it: its line's time and its place in the night being read or, once that
    // night ended, the last night read. Nothing when that reboot is not in a night's list.
    struct ProofTarget {
        int64_t at = 0;
        size_t index = 0;
    };
    std::optional<ProofTarget> proofTarget_;
    // This run of the program writes the window's lines: failures and reboots outside a window
    // (the last lines of a fetch or reboot that the window's end overtook) make no night.
    bool windowLines_ = false;
    // The traffic total before the night, in this run of the program (nothing when the log
    // does not tell), and whether a partial night still takes the next traffic line.
    std::optional<double> runTraffic_;
    std::optional<double> trafficBefore_;
    bool takesTraffic_ = false;
    Outage outage_;  // the outage being read, while outageOpen_
    // "Computer Going to Sleep." seen, no wake since; a quit line since the last start; the
    // last line before a start inside the night without a quit line, until the window's line
    // of the new start tells whether the night goes on.
    std::optional<int64_t> sleepFrom_;
    bool quit_ = false;
    std::optional<int64_t> stoppedAt_;
};

struct NightsRead {
    std::deque<Night> nights;  // oldest first
    bool failed = false;       // reading stopped on a failure
};

// The nights of a log read a piece at a time from `source`; a last line without its line end
// was torn by a write under way and is left out.
NightsRead ReadNights(LineReader::Source source, const std::optional<OpenWindowNow>& now);

}  // namespace qv::report
