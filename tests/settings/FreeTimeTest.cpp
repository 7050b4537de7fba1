#include <gtest/gtest.h>

#include "settings/FreeTime.h"

namespace qv {
namespace {

TEST(FreeWindow, CrossesMidnightExcludesItsEndAndIsWholeDayForEqualHours) {
    for (int h : {22, 23, 0, 5})
        EXPECT_TRUE(IsFreeHour(22, 6, h)) << h;
    for (int h : {6, 21})
        EXPECT_FALSE(IsFreeHour(22, 6, h)) << h;
    EXPECT_TRUE(IsFreeHour(2, 8, 7));
    EXPECT_FALSE(IsFreeHour(2, 8, 8));
    for (int h = 0; h < 24; ++h)
        EXPECT_TRUE(IsFreeHour(5, 5, h)) << h;
}

}  // namespace
}  // namespace qv
