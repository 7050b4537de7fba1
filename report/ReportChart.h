#pragma once
#include <deque>
#include <string>

#include "report/Nights.h"

namespace qv::report {

// The chart's colours, which a reader (and the browser test) tells the bars by.
inline constexpr const char* kOnlineColour = "#2e9d48";
inline constexpr const char* kOutageColour = "#d93025";
inline constexpr const char* kPartialColour = "#9cc9a6";
inline constexpr const char* kAsleepColour = "#8a8a8a";
inline constexpr const char* kNotRunningColour = "#c4c4c4";

// "asleep" or "not running".
const char* GapName(GapKind kind);

// The chart as inline SVG: one bar per night, newest first, across the window the night
// covers: green online, red during outages, reboot marks above it (a triangle after no
// connectivity, a circle at a listed time; blue when the modem rebooted, black when it did
// not), card switches (purple diamonds) and the shutdown (a black square) below it, and the
// night's traffic beside it.
std::string NightChart(const std::deque<Night>& nights, const std::string& decimal);

}  // namespace qv::report
