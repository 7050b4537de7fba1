#pragma once
#include <cstdint>
#include <string>

namespace qv {

// A moment of local wall-clock time, as the system clock reports it.
struct LocalTime {
    int year = 0;
    int month = 0;  // 1-12
    int day = 0;    // 1-31
    int hour = 0;   // 0-23
    int minute = 0;
    int second = 0;
};

// The local clock and the regional separators that the log and number texts use.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime Now() = 0;
    virtual std::string DateSeparator() = 0;
    virtual std::string TimeSeparator() = 0;
    virtual std::string DecimalSeparator() = 0;
    // Milliseconds since some fixed moment, never going back; bounds the waits of a
    // conversation.
    virtual uint64_t SteadyMs() = 0;
};

}  // namespace qv
