#include <gtest/gtest.h>

#include "app/ProgramError.h"
#include "settings/LeadingNumber.h"

namespace qv {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheText) {
    EXPECT_EQ(LeadingNumber("23"), 23);
    EXPECT_EQ(LeadingNumber("02"), 2);
    EXPECT_EQ(LeadingNumber("-3abc"), -3);
    EXPECT_EQ(LeadingNumber("+7"), 7);
    EXPECT_DOUBLE_EQ(LeadingNumber("7.6"), 7.6);
    EXPECT_DOUBLE_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("192.168.1.1"), 192.168);
    EXPECT_EQ(LeadingNumber("1e3"), 1000);
    EXPECT_EQ(LeadingNumber("2E+2x"), 200);
    EXPECT_EQ(LeadingNumber("5E"), 5);  // an exponent without digits is not part of it
    EXPECT_EQ(LeadingNumber("08:00"), 8);
}

TEST(LeadingNumber, SkipsBlanksTabsAndLineFeedsAnywhere) {
    EXPECT_EQ(LeadingNumber("  2"), 2);
    EXPECT_EQ(LeadingNumber("1 2\t3\n4"), 1234);
    EXPECT_EQ(LeadingNumber("- 5"), -5);
    EXPECT_EQ(LeadingNumber("\r5"), 0);  // a carriage return is not skipped
}

TEST(LeadingNumber, TextWithoutANumberGivesZero) {
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("modem"), 0);
    EXPECT_EQ(LeadingNumber("yes"), 0);
    EXPECT_EQ(LeadingNumber("-"), 0);
    EXPECT_EQ(LeadingNumber("."), 0);
}

TEST(LeadingNumber, ReadsHexadecimalAndOctalPrefixes) {
    EXPECT_EQ(LeadingNumber("&H1F"), 31);
    EXPECT_EQ(LeadingNumber("&hff"), 255);
    EXPECT_EQ(LeadingNumber("&O17"), 15);
    EXPECT_EQ(LeadingNumber("&O19"), 1);  // 9 is not an octal digit
    EXPECT_EQ(LeadingNumber("&Hxyz"), 0);
}

TEST(MakeWhole, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(MakeWhole(2.5), 2);
    EXPECT_EQ(MakeWhole(3.5), 4);
    EXPECT_EQ(MakeWhole(-2.5), -2);
    EXPECT_EQ(MakeWhole(-3.5), -4);
    EXPECT_EQ(MakeWhole(1440.5), 1440);
    EXPECT_EQ(MakeWhole(1441.5), 1442);
    EXPECT_EQ(MakeWhole(7.6), 8);
    EXPECT_EQ(MakeWhole(23.2), 23);
    EXPECT_EQ(MakeWhole(60.5), 60);
    EXPECT_EQ(MakeWhole(0.6), 1);
}

TEST(MakeWhole, OutsideTheThirtyTwoBitRangeIsErrorSix) {
    EXPECT_EQ(MakeWhole(2147483647.0), 2147483647);
    EXPECT_EQ(MakeWhole(-2147483648.0), INT32_MIN);
    for (const char* text : {"99999999999", "2147483647.5", "-2147483649", "1e400", "&HFFFFFFFF"}) {
        try {
            WholeNumber(text);
            ADD_FAILURE() << text << " did not overflow";
        } catch (const ProgramError& e) {
            EXPECT_EQ(e.Number(), kErrOverflow) << text;
        }
    }
}

TEST(SwitchRule, OnWhenTheLeadingNumberIsNotZero) {
    EXPECT_TRUE(SwitchOn("1"));
    EXPECT_TRUE(SwitchOn("-1"));
    EXPECT_TRUE(SwitchOn("2"));
    EXPECT_FALSE(SwitchOn("0"));
    EXPECT_FALSE(SwitchOn(""));
    EXPECT_FALSE(SwitchOn("yes"));
    EXPECT_FALSE(SwitchOn("True"));
}

TEST(SplitText, CutsAtEverySeparatorAndGivesNoPartsForAnEmptyText) {
    EXPECT_TRUE(SplitText("", ',').empty());
    EXPECT_EQ(SplitText("a", ','), (std::vector<std::string>{"a"}));
    EXPECT_EQ(SplitText("a,,b", ','), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitText(",", ','), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(SplitText(" 2 , 8 ", ','), (std::vector<std::string>{" 2 ", " 8 "}));
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutRescanning) {
    EXPECT_EQ(ReplaceAll("C:\\\\Reboot.Txt", "\\\\", "\\"), "C:\\Reboot.Txt");
    EXPECT_EQ(ReplaceAll("a\\\\\\b", "\\\\", "\\"), "a\\\\b");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

}  // namespace
}  // namespace qv
