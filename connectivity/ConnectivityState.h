#pragma once
#include <cstdint>

#include "actions/Running.h"
#include "connectivity/DateTime.h"
#include "platform/Clock.h"

namespace qv {

// The connectivity watch's state; it lives as long as the program and is never stored.
struct ConnectivityState {
    // Advanced before each fetch; selects the entry of the page list. Only grows.
    int64_t PageIndex = 0;
    // Fetches failed in a row since the last success or the last modem reboot.
    int32_t PageFailures = 0;
    // The last successful fetch, or the last modem reboot started by the watch. The zero point
    // at start, so three failures right after start reboot the modem at once.
    LocalTime LastPageOK = kDateTimeZero;
    // Pages opened and failed since start (they only grow), and fetches failed in a row since
    // the last page that opened; a modem reboot does not end the row.
    int64_t PagesOpened = 0;
    int64_t PagesFailed = 0;
    int64_t FailedInARow = 0;
    // The three-minute rule's pacing: its reboots since a page last opened, when its limit was
    // reached (it rests from then on), and its last reboot, from which the grace counts.
    int32_t RuleReboots = 0;
    bool LimitReached = false;
    LocalTime LimitReachedAt = kDateTimeZero;
    LocalTime LastRuleReboot = kDateTimeZero;
    bool GraceRunning = false;
    // A check is under way (its fetch or reboot lets window messages run); ticks that arrive
    // meanwhile are skipped.
    ActionRunning Check;
};

}  // namespace qv
