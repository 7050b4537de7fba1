#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// The number at the start of a text: blanks, tabs and line feeds anywhere are skipped, then
// an optional sign, digits, an optional fraction and exponent; &H and &O read hexadecimal and
// octal. A text without a number gives 0.
double LeadingNumber(const std::string& text);

// A number made whole: nearest value, an exact half to the even neighbour. Throws
// ProgramError(6) outside the 32-bit signed range.
int32_t MakeWhole(double value);

// LeadingNumber made whole.
int32_t WholeNumber(const std::string& text);

// A switch is on exactly when the leading number of its text is not 0.
bool SwitchOn(const std::string& text);

// Cuts a text at every occurrence of one character: n separators give n + 1 parts and an
// empty text gives no parts at all.
std::vector<std::string> SplitText(const std::string& text, char separator);

// Replaces every occurrence of `from` by `to`, left to right.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);

}  // namespace qv
