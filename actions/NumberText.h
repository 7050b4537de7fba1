#pragma once
#include <cstdint>
#include <string>

namespace qv {

// The shortest general text of a number: up to 15 significant digits, no trailing zeros, no
// decimal point for a whole value, the given decimal separator, "E+nn" for large exponents.
std::string GeneralNumberText(double value, const std::string& decimalSeparator = ".");

// "0" in front of values up to 9, then the number's decimal text; fractions stay in the text.
std::string TwoDigits(double n, const std::string& decimalSeparator = ".");

// Hour and minute as TwoDigits(hour) ":" TwoDigits(minute).
std::string TimeText(double hour, double minute, const std::string& decimalSeparator = ".");

// A byte count in kilobytes (divided by 1024) in the general number form.
std::string KilobytesText(int64_t bytes, const std::string& decimalSeparator = ".");

}  // namespace qv
