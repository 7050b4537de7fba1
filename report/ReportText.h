#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace qv::report {

// "2026-12-07" for a LocalSeconds value.
std::string DateText(int64_t seconds);
// "03:12:05".
std::string ClockText(int64_t seconds);
// A length as "h:mm:ss" ("0:04:30", "26:00:00").
std::string LengthText(int64_t seconds);
// Kilobytes for a reader: "812.5 KB", "12.3 MB", "1.2 GB" (one decimal, the given separator);
// "unknown" when not known.
std::string TrafficText(const std::optional<double>& kilobytes, const std::string& decimal);
// A share 0 to 1 as "97.5%" (one decimal, rounded down); "unknown" when not known.
std::string PercentText(const std::optional<double>& share, const std::string& decimal);
// A count with its noun: "1 outage", "0 outages", "2 pages".
std::string CountText(int64_t count, const std::string& noun);

}  // namespace qv::report
