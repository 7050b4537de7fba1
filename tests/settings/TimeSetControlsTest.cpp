#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "settings/TimeSet.h"
#include "settings/TimeSetControls.h"

namespace qv {
namespace {

Control& Of(std::vector<Control>& controls, Ctl id) {
    return controls[static_cast<size_t>(id)];
}

// A description the window could not lay out is refused with the first fault; "" is none.
TEST(TimeSetControls, FaultsAreNamed) {
    struct Case {
        const char* fault;
        void (*spoil)(std::vector<Control>& c);
    };
    const Case cases[] = {
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
    for (const Case& k : cases) {
        std::vector<Control> controls = TimeSetControls();
        k.spoil(controls);
        EXPECT_EQ(DescriptionFault(controls), k.fault);
    }
}

// What the user reads and sees of each control, page by page (places aside): its kind, frame,
// caption or contents, entries, selection, tick, colour and look, against a reviewed copy.
TEST(TimeSetControls, ShowWhatTheUserReads) {
    std::ostringstream shown;
    for (const Control& c : TimeSetControls()) {
        std::string text = c.text;
        for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
            text.replace(at, 2, "|");
        shown << kTimeSetPages[static_cast<size_t>(c.page)] << ' ' << CtlName(c.id) << ' '
              << static_cast<int>(c.kind) << ' ' << (c.frame ? CtlName(*c.frame) : "-") << ' '
              << c.selected << ' ' << c.value << ' ' << c.color << ' ' << c.fixedPitch
              << c.multiLine << c.scrollBars << c.readOnly << c.dialogBackground << c.handCursor
              << " [" << text << "]";
        for (const std::string& item : c.items)
            shown << " <" << item << '>';
        shown << '\n';
    }
    std::ifstream file(QV_SOURCE_DIR "/tests/settings/dialog-shown.txt", std::ios::binary);
    std::stringstream expected;
    expected << file.rdbuf();
    EXPECT_EQ(shown.str(), expected.str());
}

}  // namespace
}  // namespace qv
