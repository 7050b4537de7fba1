#pragma once
#include <cstdint>

#include "platform/Clock.h"

namespace qv {

// The date-time zero point, 30 December 1899 00:00: a moment before any the clock can report.
inline constexpr LocalTime kDateTimeZero{1899, 12, 30, 0, 0, 0};

// Whole minutes from the zero point to the time, seconds dropped.
int64_t MinutesSinceZeroPoint(const LocalTime& time);

// Minute boundaries crossed from one time to a later one: 10:00:59 to 10:03:00 gives 3.
int64_t MinutesBetween(const LocalTime& from, const LocalTime& to);

}  // namespace qv
