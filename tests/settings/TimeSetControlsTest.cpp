#include <gtest/gtest.h>

#include <array>

#include "settings/TimeSetControls.h"

namespace qv {
namespace {

// The dialog as it is described, and the one place its texts are checked: every control in the
// order of its identifier (which gives its window's control id), with its kind, page, frame,
// place, look and first text. Flags: F fixed pitch, M several lines, S scroll bars, R read
// only, D dialog background, H hand cursor.
TEST(TimeSetControls, EveryControlAsDescribed) {
    struct Row {
        const char* name;
        ControlKind kind;
        int page;
        const char* frame;
        std::array<int, 4> place;
        uint32_t color;
        std::string flags, text;
    };
    using K = ControlKind;
    // clang-format off
    const Row rows[] = {
        {"Label1", K::Label, kPageTime, nullptr, {24, 54, 220, 20}, kBlack, "", "Free Usage Time Start at (Hour)"},
        {"Combo1", K::HourPicker, kPageTime, nullptr, {250, 51, 56, 220}, kBlack, "", ""},
        {"Label2", K::Label, kPageTime, nullptr, {24, 88, 220, 20}, kBlack, "", "Free Usage Time Ends at (Hour)"},
        {"Combo2", K::HourPicker, kPageTime, nullptr, {250, 85, 56, 220}, kBlack, "", ""},
        {"Label3", K::Label, kPageTime, nullptr, {24, 146, 230, 18}, kBlack, "F", "Your free Time Starts at : "},
        {"Label6", K::Label, kPageTime, nullptr, {254, 146, 28, 18}, kRed, "F", "02"},
        {"Label7", K::Label, kPageTime, nullptr, {286, 146, 60, 18}, kBlack, "F", "Hour."},
        {"Label4", K::Label, kPageTime, nullptr, {24, 170, 230, 18}, kBlack, "F", "Your free Time Ends at   : "},
        {"Label8", K::Label, kPageTime, nullptr, {254, 170, 28, 18}, kRed, "F", "08"},
        {"Label9", K::Label, kPageTime, nullptr, {286, 170, 60, 18}, kBlack, "F", "Hour."},
        {"CmdTimeOK", K::Button, kPageTime, nullptr, {420, 312, 84, 28}, kBlack, "", "OK"},
        {"Check10", K::CheckBox, kPageTime, nullptr, {24, 214, 400, 22}, kBlack, "", "Keep the computer awake in free usage time."},
        {"Check11", K::CheckBox, kPageTime, nullptr, {24, 242, 400, 22}, kBlack, "", "Wake the computer for free usage time."},
        {"Frame1", K::Frame, kPageNic, nullptr, {16, 40, 300, 150}, kBlack, "", "Network Interface Settings "},
        {"Label10", K::Label, kPageNic, "Frame1", {30, 68, 110, 20}, kBlack, "", "Enable NIC at :"},
        {"Combo3", K::HourPicker, kPageNic, "Frame1", {144, 65, 56, 220}, kBlack, "", ""},
        {"Combo4", K::MinutePicker, kPageNic, "Frame1", {206, 65, 56, 220}, kBlack, "", ""},
        {"Label11", K::Label, kPageNic, "Frame1", {30, 102, 110, 20}, kBlack, "", "Disable NIC at :"},
        {"Combo5", K::HourPicker, kPageNic, "Frame1", {144, 99, 56, 220}, kBlack, "", ""},
        {"Combo6", K::MinutePicker, kPageNic, "Frame1", {206, 99, 56, 220}, kBlack, "", ""},
        {"Check3", K::CheckBox, kPageNic, "Frame1", {30, 146, 270, 22}, kBlack, "", "Use NIC Enable/Disable Service"},
        {"CmdNICenb", K::Button, kPageNic, nullptr, {332, 56, 172, 28}, kBlack, "", "Enable NIC Now"},
        {"CmdNICdis", K::Button, kPageNic, nullptr, {332, 92, 172, 28}, kBlack, "", "Disable NIC Now"},
        {"Frame2", K::Frame, kPageNic, nullptr, {16, 192, 300, 68}, kBlack, "", ""},
        {"Check7", K::CheckBox, kPageNic, "Frame2", {30, 206, 270, 22}, kBlack, "", "Auto Enable during Free Time."},
        {"Check8", K::CheckBox, kPageNic, "Frame2", {30, 232, 270, 22}, kBlack, "", "Auto Disable during Peak Time."},
        {"Label12", K::Label, kPageNic, nullptr, {24, 270, 250, 18}, kBlack, "F", "Your NIC will be Enabled at  :"},
        {"Label14", K::Label, kPageNic, nullptr, {276, 270, 50, 18}, kRed, "", "00:00"},
        {"Label13", K::Label, kPageNic, nullptr, {24, 290, 250, 18}, kBlack, "F", "Your NIC will be disabled at :"},
        {"Label15", K::Label, kPageNic, nullptr, {276, 290, 50, 18}, kRed, "", "00:00"},
        {"CmdNicOK", K::Button, kPageNic, nullptr, {420, 312, 84, 28}, kBlack, "", "OK"},
        {"Label16", K::Label, kPageNic, nullptr, {24, 322, 390, 18}, kBlack, "", "(You cannot reboot your Modem, when your NIC is Disabled.)"},
        {"Label17", K::Label, kPageModem, nullptr, {24, 44, 50, 18}, kBlack, "", "Hour"},
        {"Label18", K::Label, kPageModem, nullptr, {84, 44, 50, 18}, kBlack, "", "Min"},
        {"Combo7", K::HourPicker, kPageModem, nullptr, {24, 64, 54, 220}, kBlack, "", ""},
        {"Combo8", K::MinutePicker, kPageModem, nullptr, {84, 64, 54, 220}, kBlack, "", ""},
        {"CmdAddRbtTime", K::Button, kPageModem, nullptr, {146, 62, 80, 26}, kBlack, "", "AddTime"},
        {"txtReboot", K::TextBox, kPageModem, nullptr, {240, 44, 264, 206}, kBlack, "MSR", CommandFileSample()},
        {"lstReboot", K::ListBox, kPageModem, nullptr, {24, 98, 202, 152}, kBlack, "", ""},
        {"Check4", K::CheckBox, kPageModem, nullptr, {24, 264, 210, 22}, kBlack, "", "Use Modem Reboot Service."},
        {"CmdConfigModem", K::Button, kPageModem, nullptr, {240, 262, 104, 26}, kBlack, "", "Configure"},
        {"CmdRebootNow", K::Button, kPageModem, nullptr, {354, 262, 104, 26}, kBlack, "", "Reboot Now"},
        {"CmdModemOK", K::Button, kPageModem, nullptr, {420, 312, 84, 28}, kBlack, "", "OK"},
        {"Check9", K::CheckBox, kPageModem, nullptr, {24, 292, 210, 22}, kBlack, "", "Shutdown on Failure."},
        {"Line1", K::Line, kPageModem, nullptr, {16, 256, 488, 2}, kBlack, "", ""},
        {"Line2", K::Line, kPageModem, nullptr, {16, 322, 390, 2}, kBlack, "", ""},
        {"Label19", K::Label, kPageConnectivity, nullptr, {24, 52, 70, 20}, kBlack, "", "Add URL :"},
        {"txtUrl", K::TextBox, kPageConnectivity, nullptr, {98, 48, 406, 24}, kBlue, "", ""},
        {"lstUrls", K::ListBox, kPageConnectivity, nullptr, {24, 80, 480, 100}, kBlue, "", ""},
        {"Label24", K::Label, kPageConnectivity, nullptr, {24, 192, 100, 20}, kBlack, "", "Reboot at most"},
        {"txtRebootLimit", K::TextBox, kPageConnectivity, nullptr, {126, 188, 40, 24}, kBlack, "", "0"},
        {"Label25", K::Label, kPageConnectivity, nullptr, {172, 192, 206, 20}, kBlack, "", "times without a page, then rest"},
        {"txtRebootRest", K::TextBox, kPageConnectivity, nullptr, {380, 188, 40, 24}, kBlack, "", "4"},
        {"Label26", K::Label, kPageConnectivity, nullptr, {426, 192, 78, 20}, kBlack, "", "Hours."},
        {"Label27", K::Label, kPageConnectivity, nullptr, {24, 222, 134, 20}, kBlack, "", "After a reboot wait"},
        {"txtRebootGrace", K::TextBox, kPageConnectivity, nullptr, {160, 218, 40, 24}, kBlack, "", "0"},
        {"Label28", K::Label, kPageConnectivity, nullptr, {206, 222, 298, 20}, kBlack, "", "Minutes before counting failures."},
        {"Label20", K::Label, kPageConnectivity, nullptr, {24, 250, 160, 20}, kBlack, "", "Open Pages after every :"},
        {"txtInterval", K::TextBox, kPageConnectivity, nullptr, {186, 246, 50, 24}, kBlack, "", "50"},
        {"Label21", K::Label, kPageConnectivity, nullptr, {242, 250, 262, 20}, kBlack, "", "Seconds to maintain connection."},
        {"lblInterval", K::Label, kPageConnectivity, nullptr, {24, 278, 300, 20}, kBlack, "", "Current Setting is 10 Seconds."},
        {"Check5", K::CheckBox, kPageConnectivity, nullptr, {24, 304, 340, 22}, kBlack, "", "Use Connectivity Service at free usage time."},
        {"CmdConnectivityOK", K::Button, kPageConnectivity, nullptr, {420, 312, 84, 28}, kBlack, "", "OK"},
        {"Check1", K::CheckBox, kPageMisc, nullptr, {24, 52, 170, 22}, kBlack, "", "Shutdown the PC at :"},
        {"Combo9", K::HourPicker, kPageMisc, nullptr, {200, 51, 54, 220}, kBlack, "", ""},
        {"Combo10", K::MinutePicker, kPageMisc, nullptr, {260, 51, 54, 220}, kBlack, "", ""},
        {"Check6", K::CheckBox, kPageMisc, nullptr, {24, 88, 170, 22}, kBlack, "", "Shutdown PC During:"},
        {"Combo11", K::HourPicker, kPageMisc, nullptr, {200, 87, 54, 220}, kBlack, "", ""},
        {"Combo12", K::MinutePicker, kPageMisc, nullptr, {260, 87, 54, 220}, kBlack, "", ""},
        {"Combo13", K::HourPicker, kPageMisc, nullptr, {330, 87, 54, 220}, kBlack, "", ""},
        {"Combo14", K::MinutePicker, kPageMisc, nullptr, {390, 87, 54, 220}, kBlack, "", ""},
        {"Check2", K::CheckBox, kPageMisc, nullptr, {24, 124, 250, 22}, kBlack, "", "Run on Windows Startup"},
        {"Text2", K::TextBox, kPageMisc, nullptr, {24, 160, 480, 76}, kBlack, "MRD", "Quorvane Helper Utility, version 1.1.\r\nReleased in December 2026.\r\n" "Written by Dastrel for home internet subscribers\r\n" "whose provider grants free hours each night.\r\n"},
        {"Label23", K::Label, kPageMisc, nullptr, {24, 250, 300, 20}, kBlue, "H", "quorvane-help@example.org"},
        {"CmdMiscOK", K::Button, kPageMisc, nullptr, {420, 312, 84, 28}, kBlack, "", "OK"},
    };
    // clang-format on
    const std::vector<Control> controls = TimeSetControls();
    ASSERT_EQ(controls.size(), std::size(rows));
    ASSERT_EQ(kCtlCount, std::size(rows));
    for (size_t i = 0; i < controls.size(); ++i) {
        const Row& r = rows[i];
        const Control& c = controls[i];
        SCOPED_TRACE(r.name);
        EXPECT_EQ(c.id, CtlNamed(r.name));
        EXPECT_EQ(static_cast<size_t>(c.id), i);
        EXPECT_STREQ(CtlName(c.id), r.name);
        EXPECT_EQ(c.frame, r.frame ? CtlNamed(r.frame) : std::nullopt);
        EXPECT_EQ((std::array{c.place.x, c.place.y, c.place.w, c.place.h}), r.place);
        const std::string flags = std::string(c.fixedPitch ? "F" : "") + (c.multiLine ? "M" : "") +
                                  (c.scrollBars ? "S" : "") + (c.readOnly ? "R" : "") +
                                  (c.dialogBackground ? "D" : "") + (c.handCursor ? "H" : "");
        EXPECT_EQ(std::tuple(c.kind, c.page, c.color, flags, c.text),
                  std::tuple(r.kind, r.page, r.color, r.flags, r.text));
    }
    EXPECT_EQ(CtlNamed("Combo15"), std::nullopt);
    EXPECT_EQ(DescriptionFault(controls), "");
}

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

}  // namespace
}  // namespace qv
