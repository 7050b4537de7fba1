#include "actions/NumberText.h"

#include <cstdio>

namespace qv {

std::string GeneralNumberText(double value, const std::string& decimalSeparator) {
    if (value == 0)
        return "0";  // also turns -0 into 0
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text;
    for (const char* p = buffer; *p; ++p) {
        if (*p == '.') {
            text += decimalSeparator;
        } else {
            text.push_back(*p);
        }
    }
    return text;
}

std::string TwoDigits(double n, const std::string& decimalSeparator) {
    std::string digits = GeneralNumberText(n, decimalSeparator);
    return n <= 9 ? "0" + digits : digits;
}

std::string TimeText(double hour, double minute, const std::string& decimalSeparator) {
    return TwoDigits(hour, decimalSeparator) + ":" + TwoDigits(minute, decimalSeparator);
}

std::string KilobytesText(int64_t bytes, const std::string& decimalSeparator) {
    return GeneralNumberText(static_cast<double>(bytes) / 1024.0, decimalSeparator);
}

}  // namespace qv
