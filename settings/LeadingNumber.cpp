#include "settings/LeadingNumber.h"

#include <cfenv>
#include <cmath>
#include <cstdlib>

#include "actions/ProgramError.h"

namespace qv {
namespace {

bool Skipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// The text without the characters the rule skips.
std::string Squeezed(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (!Skipped(c))
            out.push_back(c);
    }
    return out;
}

double RadixNumber(const std::string& s, size_t pos, int radix) {
    double value = 0;
    for (; pos < s.size(); ++pos) {
        char c = s[pos];
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            break;
        }
        if (digit >= radix)
            break;
        value = value * radix + digit;
    }
    return value;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

double LeadingNumber(const std::string& text) {
    const std::string s = Squeezed(text);
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return RadixNumber(s, 2, 16);
        if (s[1] == 'O' || s[1] == 'o')
            return RadixNumber(s, 2, 8);
    }
    // Collect the longest prefix of the decimal form, then let strtod read exactly that.
    size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number.push_back(s[i++]);
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        number.push_back(s[i++]);
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        number.push_back(s[i++]);
        while (i < s.size() && IsDigit(s[i])) {
            number.push_back(s[i++]);
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent.push_back(s[j++]);
        size_t expDigits = 0;
        while (j < s.size() && IsDigit(s[j])) {
            exponent.push_back(s[j++]);
            ++expDigits;
        }
        if (expDigits > 0)
            number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

int32_t MakeWhole(double value) {
    if (!std::isfinite(value))
        throw ProgramError(kErrOverflow);
    // Round half to even, independent of the current rounding mode.
    double floor = std::floor(value);
    double diff = value - floor;
    double rounded;
    if (diff > 0.5) {
        rounded = floor + 1;
    } else if (diff < 0.5) {
        rounded = floor;
    } else {
        rounded = std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
    }
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        throw ProgramError(kErrOverflow);
    return static_cast<int32_t>(rounded);
}

int32_t WholeNumber(const std::string& text) {
    return MakeWhole(LeadingNumber(text));
}

bool SwitchOn(const std::string& text) {
    return LeadingNumber(text) != 0;
}

}  // namespace qv
