#include <gtest/gtest.h>

#include "settings/FreeTime.h"

namespace qv {
namespace {

// Hours 0 to 23 of the windows 22-6 (across midnight, its end excluded), 2-8 and 5-5 (all day).
TEST(FreeWindow, CrossesMidnightExcludesItsEndAndIsWholeDayForEqualHours) {
    for (auto [from, to, free] : {std::tuple{22, 6, "111111000000000000000011"},
                                  {2, 8, "001111110000000000000000"},
                                  {5, 5, "111111111111111111111111"}}) {
        std::string hours;
        for (int h = 0; h < 24; ++h)
            hours += IsFreeHour(from, to, h) ? '1' : '0';
        EXPECT_EQ(hours, free) << from << "-" << to;
    }
}

}  // namespace
}  // namespace qv
