#include <gtest/gtest.h>

#include "settings/TimeSet.h"
#include "settings/TimeSetControls.h"

namespace qv {
namespace {

Control& Of(std::vector<Control>& controls, Ctl id) {
    return controls[static_cast<size_t>(id)];
}

// A description the window could not lay out is refused with the first fault; "" is none.
TEST(TimeSetControls, FaultsAreNamed) {
    const std::pair<const char*, void (*)(std::vector<Control>&)> cases[] = {
        {"Combo7 has no place", [](auto& c) { Of(c, Ctl::Combo7).place = {}; }},
        {"Line1 has no place", [](auto& c) { Of(c, Ctl::Line1).place.h = 0; }},
        {"Label1 is on no page", [](auto& c) { Of(c, Ctl::Label1).page = 5; }},
        {"CmdMiscOK lies outside the dialog", [](auto& c) { c.back().place.x = 440; }},
        {"", [](auto& c) { c.back().place.x = 436; }},  // flush with the right edge: inside
        {"Label1 lies outside the dialog", [](auto& c) { Of(c, Ctl::Label1).place.y = -1; }},
        {"", [](auto& c) { Of(c, Ctl::Label1).place.y = 0; }},  // flush with the top: inside
        {"Label10 is held by no frame of its page",
         [](auto& c) { Of(c, Ctl::Label10).frame = Ctl::Label1; }},
        {"Combo1 is described as Label2",
         [](auto& c) { std::swap(Of(c, Ctl::Combo1), Of(c, Ctl::Label2)); }},
        {"the description has 74 controls, not 75", [](auto& c) { c.pop_back(); }},
    };
    for (const auto& [fault, spoil] : cases) {
        std::vector<Control> controls = TimeSetControls();
        spoil(controls);
        EXPECT_EQ(DescriptionFault(controls), fault);
    }
}

}  // namespace
}  // namespace qv
