#pragma once
#include <cstdint>
#include <string>

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

}  // namespace qv
