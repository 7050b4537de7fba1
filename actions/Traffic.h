#pragma once
#include <cstdint>
#include <string>

namespace qv {

// Bytes received by all page fetches since the program started; never reset. 64 bits, so a
// keep-alive left on for months never wraps it.
struct TrafficCounter {
    int64_t TotalBytesDownloaded = 0;
};

inline constexpr const char* kTrafficLinePrefix = "Total Data Downloaded for Connectivity : ";

// "Total Data Downloaded for Connectivity : " + the total in kilobytes + " KB.", with the
// regional decimal separator.
std::string TrafficLine(const TrafficCounter& traffic, const std::string& decimalSeparator);

}  // namespace qv
