#include "settings/TimeSetControls.h"

#include <iterator>

namespace qv {
namespace {

class Builder {
  public:
    explicit Builder(std::vector<Control>& out) : out_(out) {}
    Builder& Page(int page) {
        page_ = page;
        frame_.reset();
        return *this;
    }
    Builder& InFrame(Ctl frame) {
        frame_ = frame;
        return *this;
    }
    Control& Add(Ctl id, ControlKind kind, Place place, const std::string& text = "") {
        Control c;
        c.id = id;
        c.kind = kind;
        c.page = page_;
        c.frame = frame_;
        c.place = place;
        c.text = text;
        out_.push_back(std::move(c));
        return out_.back();
    }
    Control& Label(Ctl id, const std::string& text, Place place) {
        return Add(id, ControlKind::Label, place, text);
    }

  private:
    std::vector<Control>& out_;
    int page_ = kPageTime;
    std::optional<Ctl> frame_;
};

Control& Red(Control& c) {
    c.color = kRed;
    return c;
}

Control& Fixed(Control& c) {
    c.fixedPitch = true;
    return c;
}

constexpr const char* kCtlNames[] = {
#define QV_CTL_NAME(name) #name,
    QV_TIMESET_CONTROLS(QV_CTL_NAME)
#undef QV_CTL_NAME
};
static_assert(std::size(kCtlNames) == kCtlCount);

}  // namespace

const char* CtlName(Ctl id) {
    const auto i = static_cast<size_t>(id);
    return i < kCtlCount ? kCtlNames[i] : "";
}

std::optional<Ctl> CtlNamed(std::string_view name) {
    for (size_t i = 0; i < kCtlCount; ++i) {
        if (name == kCtlNames[i])
            return static_cast<Ctl>(i);
    }
    return std::nullopt;
}

std::string DescriptionFault(const std::vector<Control>& controls) {
    if (controls.size() != kCtlCount)
        return "the description has " + std::to_string(controls.size()) + " controls, not " +
               std::to_string(kCtlCount);
    for (size_t i = 0; i < controls.size(); ++i) {
        const Control& c = controls[i];
        const std::string name = CtlName(static_cast<Ctl>(i));
        if (c.id != static_cast<Ctl>(i))
            return name + " is described as " + CtlName(c.id);
        if (c.page < 0 || c.page >= static_cast<int>(kTimeSetPages.size()))
            return name + " is on no page";
        const Place& p = c.place;
        if (p.w <= 0 || p.h <= 0)
            return name + " has no place";
        if (p.x < 0 || p.y < 0 || p.x + p.w > kTimeSetClientWidth ||
            p.y + p.h > kTimeSetClientHeight)
            return name + " lies outside the dialog";
        if (c.frame) {
            const auto f = static_cast<size_t>(*c.frame);
            if (f >= controls.size() || controls[f].kind != ControlKind::Frame ||
                controls[f].page != c.page)
                return name + " is held by no frame of its page";
        }
    }
    return "";
}

std::string CommandFileSample() {
    static const char* const lines[] = {"### \"Reboot.txt\" ###",
                                        "192.168.1.1 23",
                                        "WAIT \"*\"",
                                        "SEND \"vortl\\m\"",
                                        "WAIT \"*\"",
                                        "SEND \"vortl\\m\"",
                                        "WAIT \"\"",
                                        "SEND \"help\\m\"",
                                        "WAIT \"*\"",
                                        "SEND \"reboot\\m\"",
                                        "WAIT \"*\"",
                                        "SEND \"\""};
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::vector<Control> TimeSetControls() {
    using K = ControlKind;
    std::vector<Control> c;
    Builder b(c);

    b.Page(kPageTime);
    b.Label(Ctl::Label1, "Free Usage Time Start at (Hour)", {24, 54, 220, 20});
    b.Add(Ctl::Combo1, K::HourPicker, {250, 51, 56, 220});
    b.Label(Ctl::Label2, "Free Usage Time Ends at (Hour)", {24, 88, 220, 20});
    b.Add(Ctl::Combo2, K::HourPicker, {250, 85, 56, 220});
    Fixed(b.Label(Ctl::Label3, "Your free Time Starts at : ", {24, 146, 230, 18}));
    Fixed(Red(b.Label(Ctl::Label6, "02", {254, 146, 28, 18})));
    Fixed(b.Label(Ctl::Label7, "Hour.", {286, 146, 60, 18}));
    Fixed(b.Label(Ctl::Label4, "Your free Time Ends at   : ", {24, 170, 230, 18}));
    Fixed(Red(b.Label(Ctl::Label8, "08", {254, 170, 28, 18})));
    Fixed(b.Label(Ctl::Label9, "Hour.", {286, 170, 60, 18}));
    b.Add(Ctl::CmdTimeOK, K::Button, {420, 312, 84, 28}, "OK");
    b.Add(Ctl::Check10, K::CheckBox, {24, 214, 400, 22},
          "Keep the computer awake in free usage time.");
    b.Add(Ctl::Check11, K::CheckBox, {24, 242, 400, 22}, "Wake the computer for free usage time.");

    b.Page(kPageNic);
    b.Add(Ctl::Frame1, K::Frame, {16, 40, 300, 150}, "Network Interface Settings ");
    b.InFrame(Ctl::Frame1);
    b.Label(Ctl::Label10, "Enable NIC at :", {30, 68, 110, 20});
    b.Add(Ctl::Combo3, K::HourPicker, {144, 65, 56, 220});
    b.Add(Ctl::Combo4, K::MinutePicker, {206, 65, 56, 220});
    b.Label(Ctl::Label11, "Disable NIC at :", {30, 102, 110, 20});
    b.Add(Ctl::Combo5, K::HourPicker, {144, 99, 56, 220});
    b.Add(Ctl::Combo6, K::MinutePicker, {206, 99, 56, 220});
    b.Add(Ctl::Check3, K::CheckBox, {30, 146, 270, 22}, "Use NIC Enable/Disable Service");
    b.Page(kPageNic);
    b.Add(Ctl::CmdNICenb, K::Button, {332, 56, 172, 28}, "Enable NIC Now");
    b.Add(Ctl::CmdNICdis, K::Button, {332, 92, 172, 28}, "Disable NIC Now");
    b.Add(Ctl::Frame2, K::Frame, {16, 192, 300, 68});
    b.InFrame(Ctl::Frame2);
    b.Add(Ctl::Check7, K::CheckBox, {30, 206, 270, 22}, "Auto Enable during Free Time.");
    b.Add(Ctl::Check8, K::CheckBox, {30, 232, 270, 22}, "Auto Disable during Peak Time.");
    b.Page(kPageNic);
    Fixed(b.Label(Ctl::Label12, "Your NIC will be Enabled at  :", {24, 270, 250, 18}));
    Red(b.Label(Ctl::Label14, "00:00", {276, 270, 50, 18}));
    Fixed(b.Label(Ctl::Label13, "Your NIC will be disabled at :", {24, 290, 250, 18}));
    Red(b.Label(Ctl::Label15, "00:00", {276, 290, 50, 18}));
    b.Add(Ctl::CmdNicOK, K::Button, {420, 312, 84, 28}, "OK");
    b.Label(Ctl::Label16, "(You cannot reboot your Modem, when your NIC is Disabled.)",
            {24, 322, 390, 18});

    b.Page(kPageModem);
    b.Label(Ctl::Label17, "Hour", {24, 44, 50, 18});
    b.Label(Ctl::Label18, "Min", {84, 44, 50, 18});
    b.Add(Ctl::Combo7, K::HourPicker, {24, 64, 54, 220});
    b.Add(Ctl::Combo8, K::MinutePicker, {84, 64, 54, 220});
    b.Add(Ctl::CmdAddRbtTime, K::Button, {146, 62, 80, 26}, "AddTime");
    Control& reboot = b.Add(Ctl::txtReboot, K::TextBox, {240, 44, 264, 206}, CommandFileSample());
    reboot.multiLine = true;
    reboot.scrollBars = true;
    reboot.readOnly = true;
    b.Add(Ctl::lstReboot, K::ListBox, {24, 98, 202, 152});
    b.Add(Ctl::Check4, K::CheckBox, {24, 264, 210, 22}, "Use Modem Reboot Service.");
    b.Add(Ctl::CmdConfigModem, K::Button, {240, 262, 104, 26}, "Configure");
    b.Add(Ctl::CmdRebootNow, K::Button, {354, 262, 104, 26}, "Reboot Now");
    b.Add(Ctl::CmdModemOK, K::Button, {420, 312, 84, 28}, "OK");
    b.Add(Ctl::Check9, K::CheckBox, {24, 292, 210, 22}, "Shutdown on Failure.");
    b.Add(Ctl::Line1, K::Line, {16, 256, 488, 2});
    b.Add(Ctl::Line2, K::Line, {16, 322, 390, 2});

    b.Page(kPageConnectivity);
    b.Label(Ctl::Label19, "Add URL :", {24, 52, 70, 20});
    b.Add(Ctl::txtUrl, K::TextBox, {98, 48, 406, 24}).color =
        kBlue;  // filled with the first home page on load
    b.Add(Ctl::lstUrls, K::ListBox, {24, 80, 480, 100}).color = kBlue;
    // The three-minute rule's pacing.
    b.Label(Ctl::Label24, "Reboot at most", {24, 192, 100, 20});
    b.Add(Ctl::txtRebootLimit, K::TextBox, {126, 188, 40, 24}, "0");
    b.Label(Ctl::Label25, "times without a page, then rest", {172, 192, 206, 20});
    b.Add(Ctl::txtRebootRest, K::TextBox, {380, 188, 40, 24}, "4");
    b.Label(Ctl::Label26, "Hours.", {426, 192, 78, 20});
    b.Label(Ctl::Label27, "After a reboot wait", {24, 222, 134, 20});
    b.Add(Ctl::txtRebootGrace, K::TextBox, {160, 218, 40, 24}, "0");
    b.Label(Ctl::Label28, "Minutes before counting failures.", {206, 222, 298, 20});
    b.Label(Ctl::Label20, "Open Pages after every :", {24, 250, 160, 20});
    b.Add(Ctl::txtInterval, K::TextBox, {186, 246, 50, 24}, "50");
    b.Label(Ctl::Label21, "Seconds to maintain connection.", {242, 250, 262, 20});
    b.Label(Ctl::lblInterval, "Current Setting is 10 Seconds.", {24, 278, 300, 20});
    b.Add(Ctl::Check5, K::CheckBox, {24, 304, 340, 22},
          "Use Connectivity Service at free usage time.");
    b.Add(Ctl::CmdConnectivityOK, K::Button, {420, 312, 84, 28}, "OK");

    b.Page(kPageMisc);
    b.Add(Ctl::Check1, K::CheckBox, {24, 52, 170, 22}, "Shutdown the PC at :");
    b.Add(Ctl::Combo9, K::HourPicker, {200, 51, 54, 220});
    b.Add(Ctl::Combo10, K::MinutePicker, {260, 51, 54, 220});
    b.Add(Ctl::Check6, K::CheckBox, {24, 88, 170, 22}, "Shutdown PC During:");
    b.Add(Ctl::Combo11, K::HourPicker, {200, 87, 54, 220});
    b.Add(Ctl::Combo12, K::MinutePicker, {260, 87, 54, 220});
    b.Add(Ctl::Combo13, K::HourPicker, {330, 87, 54, 220});
    b.Add(Ctl::Combo14, K::MinutePicker, {390, 87, 54, 220});
    b.Add(Ctl::Check2, K::CheckBox, {24, 124, 250, 22}, "Run on Windows Startup");
    Control& about = b.Add(Ctl::Text2, K::TextBox, {24, 160, 480, 76},
                           "Quorvane Helper Utility, version " QV_VERSION_SHORT
                           ".\r\n"
                           "Released in December 2026.\r\n"
                           "Written by Dastrel for home internet subscribers\r\n"
                           "whose provider grants free hours each night.\r\n");
    about.multiLine = true;
    about.readOnly = true;
    about.dialogBackground = true;
    Control& contact = b.Label(Ctl::Label23, kContactAddress, {24, 250, 300, 20});
    contact.color = kBlue;
    contact.handCursor = true;
    b.Add(Ctl::CmdMiscOK, K::Button, {420, 312, 84, 28}, "OK");
    return c;
}

}  // namespace qv
