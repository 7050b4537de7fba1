#include "report/ReportText.h"

#include <cmath>
#include <cstdio>

namespace qv::report {
namespace {

struct Civil {
    int64_t year;
    int month, day, hour, minute, second;
};

Civil CivilOf(int64_t seconds) {
    int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    int64_t rest = seconds - days * 86400;
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2 ? 1 : 0),
            month,
            day,
            static_cast<int>(rest / 3600),
            static_cast<int>(rest / 60 % 60),
            static_cast<int>(rest % 60)};
}

// One decimal with the given separator.
std::string OneDecimal(double value, const std::string& decimal) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    std::string text = buffer;
    size_t point = text.find('.');
    if (point != std::string::npos)
        text.replace(point, 1, decimal);
    return text;
}

}  // namespace

std::string DateText(int64_t seconds) {
    Civil c = CivilOf(seconds);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04lld-%02d-%02d", static_cast<long long>(c.year),
                  c.month, c.day);
    return buffer;
}

std::string ClockText(int64_t seconds) {
    Civil c = CivilOf(seconds);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", c.hour, c.minute, c.second);
    return buffer;
}

std::string LengthText(int64_t seconds) {
    if (seconds < 0)
        seconds = 0;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return buffer;
}

std::string TrafficText(const std::optional<double>& kilobytes, const std::string& decimal) {
    if (!kilobytes)
        return "unknown";
    double value = *kilobytes;
    if (value < 1024)
        return OneDecimal(value, decimal) + " KB";
    if (value < 1024.0 * 1024)
        return OneDecimal(value / 1024, decimal) + " MB";
    return OneDecimal(value / (1024.0 * 1024), decimal) + " GB";
}

std::string PercentText(const std::optional<double>& share, const std::string& decimal) {
    if (!share)
        return "unknown";
    // Rounded down, so that a night with any outage never reads 100%.
    return OneDecimal(std::floor(*share * 1000) / 10, decimal) + "%";
}

std::string CountText(int64_t count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace qv::report
