#include <gtest/gtest.h>

#include "actions/ProgramError.h"
#include "settings/LeadingNumber.h"

namespace qv {
namespace {

// "5E": an exponent without digits is not part of the number; "\r" is not skipped like
// blanks, tabs and line feeds; 9 is no octal digit.
TEST(LeadingNumber, ReadsNumbersAsTheUserWroteThemAndMakesThemWhole) {
    // clang-format off
    const std::pair<const char*, double> cases[] = {
        {"23", 23}, {"02", 2}, {"-3abc", -3}, {"+7", 7}, {"7.6", 7.6}, {".5", 0.5},
        {"192.168.1.1", 192.168}, {"1e3", 1000}, {"2E+2x", 200}, {"5E", 5}, {"08:00", 8},
        {"  2", 2}, {"1 2\t3\n4", 1234}, {"- 5", -5}, {"\r5", 0}, {"", 0}, {"modem", 0},
        {"-", 0}, {".", 0}, {"&H1F", 31}, {"&hff", 255}, {"&O17", 15}, {"&O19", 1}, {"&Hxyz", 0},
        {"&H10", 16}, {"&o70", 56}, {"&O8", 0}, {"&HFf0", 4080}, {"&H19", 25}};
    // clang-format on
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(text), value) << text;
    // Whole numbers round halves to even and overflow outside 32 bits.
    // clang-format off
    const std::pair<double, int32_t> wholes[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {1441.5, 1442}, {7.6, 8}, {23.2, 23},
        {0.6, 1}, {2147483647.0, INT32_MAX}, {-2147483648.0, INT32_MIN}};
    // clang-format on
    for (const auto& [number, whole] : wholes)
        EXPECT_EQ(MakeWhole(number), whole) << number;
    // The overflow's number is shown where a load fails (TimeSetTest).
    for (const char* text : {"99999999999", "2147483647.5", "-2147483649", "1e400", "&HFFFFFFFF"})
        EXPECT_THROW(WholeNumber(text), ProgramError) << text;
}

}  // namespace
}  // namespace qv
