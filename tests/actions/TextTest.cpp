#include <gtest/gtest.h>

#include "actions/NumberText.h"
#include "actions/Text.h"

namespace qv {
namespace {

TEST(NumberText, TwoDigitsGeneralFormAndKilobytes) {
    EXPECT_EQ(TwoDigits(0) + TwoDigits(9) + TwoDigits(10) + TwoDigits(25), "00091025");
    EXPECT_EQ(TwoDigits(-3), "0-3");
    EXPECT_EQ(TwoDigits(7.5, ","), "07,5");
    EXPECT_EQ(TimeText(7.5, 0), "07.5:00");
    EXPECT_EQ(GeneralNumberText(0.9765625), "0.9765625");
    EXPECT_EQ(GeneralNumberText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(GeneralNumberText(123456789012345.0), "123456789012345");
    EXPECT_EQ(GeneralNumberText(1e15), "1E+15");
    EXPECT_EQ(GeneralNumberText(2.5, ","), "2,5");
    EXPECT_EQ(KilobytesText(0), "0");
    EXPECT_EQ(KilobytesText(1536), "1.5");
    EXPECT_EQ(KilobytesText(5368709120LL), "5242880");  // past 2^31 bytes the count goes on
}

TEST(Text, SplitAndReplace) {
    using Parts = std::vector<std::string>;
    EXPECT_TRUE(SplitText("", ',').empty());
    EXPECT_EQ(SplitText("a,,b", ','), (Parts{"a", "", "b"}));
    EXPECT_EQ(SplitText(",", ','), (Parts{"", ""}));
    EXPECT_EQ(SplitText(" 2 , 8 ", ','), (Parts{" 2 ", " 8 "}));
    // Left to right without rescanning what was put in.
    EXPECT_EQ(ReplaceAll("a\\\\\\b", "\\\\", "\\"), "a\\\\b");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

}  // namespace
}  // namespace qv
