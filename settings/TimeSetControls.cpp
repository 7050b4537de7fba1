#include "settings/TimeSetControls.h"

namespace qv {
namespace {

class Builder {
  public:
    explicit Builder(std::vector<Control>& out) : out_(out) {}
    Builder& Page(int page) {
        page_ = page;
        frame_.clear();
        return *this;
    }
    Builder& InFrame(const std::string& frame) {
        frame_ = frame;
        return *this;
    }
    Control& Add(const std::string& name, ControlKind kind, const std::string& text = "") {
        Control c;
        c.name = name;
        c.kind = kind;
        c.page = page_;
        c.frame = frame_;
        c.text = text;
        out_.push_back(std::move(c));
        return out_.back();
    }
    Control& Label(const std::string& name, const std::string& text) {
        return Add(name, ControlKind::Label, text);
    }

  private:
    std::vector<Control>& out_;
    int page_ = kPageTime;
    std::string frame_;
};

Control& Red(Control& c) {
    c.color = kRed;
    return c;
}

Control& Fixed(Control& c) {
    c.fixedPitch = true;
    return c;
}

}  // namespace

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
    b.Label("Label1", "Free Usage Time Start at (Hour)");
    b.Add("Combo1", K::HourPicker);
    b.Label("Label2", "Free Usage Time Ends at (Hour)");
    b.Add("Combo2", K::HourPicker);
    Fixed(b.Label("Label3", "Your free Time Starts at : "));
    Fixed(Red(b.Label("Label6", "02")));
    Fixed(b.Label("Label7", "Hour."));
    Fixed(b.Label("Label4", "Your free Time Ends at   : "));
    Fixed(Red(b.Label("Label8", "08")));
    Fixed(b.Label("Label9", "Hour."));
    b.Add("CmdTimeOK", K::Button, "OK");

    b.Page(kPageNic);
    b.Add("Frame1", K::Frame, "Network Interface Settings ");
    b.InFrame("Frame1");
    b.Label("Label10", "Enable NIC at :");
    b.Add("Combo3", K::HourPicker);
    b.Add("Combo4", K::MinutePicker);
    b.Label("Label11", "Disable NIC at :");
    b.Add("Combo5", K::HourPicker);
    b.Add("Combo6", K::MinutePicker);
    b.Add("Check3", K::CheckBox, "Use NIC Enable/Disable Service");
    b.Page(kPageNic);
    b.Add("CmdNICenb", K::Button, "Enable NIC Now");
    b.Add("CmdNICdis", K::Button, "Disable NIC Now");
    b.Add("Frame2", K::Frame);
    b.InFrame("Frame2");
    b.Add("Check7", K::CheckBox, "Auto Enable during Free Time.");
    b.Add("Check8", K::CheckBox, "Auto Disable during Peak Time.");
    b.Page(kPageNic);
    Fixed(b.Label("Label12", "Your NIC will be Enabled at  :"));
    Red(b.Label("Label14", "00:00"));
    Fixed(b.Label("Label13", "Your NIC will be disabled at :"));
    Red(b.Label("Label15", "00:00"));
    b.Add("CmdNicOK", K::Button, "OK");
    b.Label("Label16", "(You cannot reboot your Modem, when your NIC is Disabled.)");

    b.Page(kPageModem);
    b.Label("Label17", "Hour");
    b.Label("Label18", "Min");
    b.Add("Combo7", K::HourPicker);
    b.Add("Combo8", K::MinutePicker);
    b.Add("CmdAddRbtTime", K::Button, "AddTime");
    Control& reboot = b.Add("txtReboot", K::TextBox, CommandFileSample());
    reboot.multiLine = true;
    reboot.scrollBars = true;
    reboot.readOnly = true;
    b.Add("lstReboot", K::ListBox);
    b.Add("Check4", K::CheckBox, "Use Modem Reboot Service.");
    b.Add("CmdConfigModem", K::Button, "Configure");
    b.Add("CmdModemOK", K::Button, "OK");
    b.Add("Check9", K::CheckBox, "Shutdown on Failure.");
    b.Add("Line1", K::Line);
    b.Add("Line2", K::Line);

    b.Page(kPageConnectivity);
    b.Label("Label19", "Add URL :");
    b.Add("txtUrl", K::TextBox).color = kBlue;  // filled with the first home page on load
    b.Add("lstUrls", K::ListBox).color = kBlue;
    b.Label("Label20", "Open Pages after every :");
    b.Add("txtInterval", K::TextBox, "50");
    b.Label("Label21", "Seconds to maintain connection.");
    b.Label("lblInterval", "Current Setting is 10 Seconds.");
    b.Add("Check5", K::CheckBox, "Use Connectivity Service at free usage time.");
    b.Add("CmdConnectivityOK", K::Button, "OK");

    b.Page(kPageMisc);
    b.Add("Check1", K::CheckBox, "Shutdown the PC at :");
    b.Add("Combo9", K::HourPicker);
    b.Add("Combo10", K::MinutePicker);
    b.Add("Check6", K::CheckBox, "Shutdown PC During:");
    b.Add("Combo11", K::HourPicker);
    b.Add("Combo12", K::MinutePicker);
    b.Add("Combo13", K::HourPicker);
    b.Add("Combo14", K::MinutePicker);
    b.Add("Check2", K::CheckBox, "Run on Windows Startup");
    Control& about = b.Add("Text2", K::TextBox,
                           "Quorvane Helper Utility, version 1.1.\r\n"
                           "Released in December 2026.\r\n"
                           "Written by Dastrel for home internet subscribers\r\n"
                           "whose provider grants free hours each night.\r\n");
    about.multiLine = true;
    about.readOnly = true;
    about.dialogBackground = true;
    Control& contact = b.Label("Label23", kContactAddress);
    contact.color = kBlue;
    contact.handCursor = true;
    b.Add("CmdMiscOK", K::Button, "OK");
    return c;
}

}  // namespace qv
