#pragma once
#include "platform/Clock.h"

namespace qv::win32 {

// Local time from GetLocalTime; separators from the user's regional settings.
class Win32Clock : public Clock {
  public:
    LocalTime Now() override;
    std::string DateSeparator() override;
    std::string TimeSeparator() override;
    std::string DecimalSeparator() override;
    uint64_t SteadyMs() override;
};

}  // namespace qv::win32
