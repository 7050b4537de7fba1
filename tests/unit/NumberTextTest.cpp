#include <gtest/gtest.h>

#include "settings/NumberText.h"

namespace qv {
namespace {

TEST(TwoDigits, PutsAZeroInFrontOfValuesUpToNine) {
    EXPECT_EQ(TwoDigits(0), "00");
    EXPECT_EQ(TwoDigits(7), "07");
    EXPECT_EQ(TwoDigits(9), "09");
    EXPECT_EQ(TwoDigits(10), "10");
    EXPECT_EQ(TwoDigits(23), "23");
    EXPECT_EQ(TwoDigits(25), "25");
    EXPECT_EQ(TwoDigits(-3), "0-3");
    EXPECT_EQ(TwoDigits(7.6), "07.6");
    EXPECT_EQ(TwoDigits(7.5, ","), "07,5");
    EXPECT_EQ(TimeText(1, 59), "01:59");
    EXPECT_EQ(TimeText(7.5, 0), "07.5:00");
}

TEST(GeneralNumberText, ShortestFormUpToFifteenDigits) {
    EXPECT_EQ(GeneralNumberText(0), "0");
    EXPECT_EQ(GeneralNumberText(1.5), "1.5");
    EXPECT_EQ(GeneralNumberText(0.9765625), "0.9765625");
    EXPECT_EQ(GeneralNumberText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(GeneralNumberText(123456789012345.0), "123456789012345");
    EXPECT_EQ(GeneralNumberText(1e15), "1E+15");
    EXPECT_EQ(GeneralNumberText(2.5, ","), "2,5");
}

TEST(KilobytesText, DividesByOneThousandTwentyFour) {
    EXPECT_EQ(KilobytesText(0), "0");
    EXPECT_EQ(KilobytesText(512), "0.5");
    EXPECT_EQ(KilobytesText(1536), "1.5");
    EXPECT_EQ(KilobytesText(1000), "0.9765625");
    EXPECT_EQ(KilobytesText(5368709120LL), "5242880");  // past 2^31 bytes the count goes on
}

}  // namespace
}  // namespace qv
