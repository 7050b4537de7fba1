// What the settings dialog's controls do while it is open.
#include <cctype>

#include "actions/EventLog.h"
#include "actions/FileHelpers.h"
#include "app/App.h"
#include "app/FreeTime.h"
#include "app/ProgramError.h"
#include "settings/GetSettings.h"
#include "settings/LeadingNumber.h"
#include "settings/NumberText.h"
#include "settings/SaveSettings.h"
#include "settings/TimeSet.h"

namespace qv {
namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The interval a text stands for; a number beyond 32 bits stands for none.
bool IntervalOf(const std::string& text, int32_t& seconds) {
    try {
        seconds = WholeNumber(text);
        return true;
    } catch (const ProgramError&) {
        return false;
    }
}

}  // namespace

void TimeSet::CmdOK_Click() {
    SaveSettings(app_, *this);
}

void TimeSet::CmdAddRbtTime_Click() {
    // Used as read, fractions included; only negative numbers are refused.
    double hour = LeadingNumber(Text(Ctl::Combo7));
    double minute = LeadingNumber(Text(Ctl::Combo8));
    if (hour >= 0 && minute >= 0)
        AddItem(Ctl::lstReboot, TimeText(hour, minute, app_.os.clock.DecimalSeparator()));
}

void TimeSet::lstReboot_KeyUp(int keyCode) {
    const Control& list = Get(Ctl::lstReboot);
    if (keyCode == kKeyDelete && list.selected >= 0)
        RemoveItem(Ctl::lstReboot, list.selected);
}

void TimeSet::txtInterval_Change() {
    const std::string& text = Text(Ctl::txtInterval);
    if (text.empty())
        return;
    int32_t seconds = 0;
    if (IntervalOf(text, seconds) && seconds >= 1 && seconds <= 60)
        return;
    ShowMessage(kIntervalRangeMessage);
    SetText(Ctl::txtInterval, kIntervalReplacement);  // runs this check again, and passes
}

void TimeSet::txtInterval_KeyUp(int keyCode) {
    if (keyCode != kKeyEnter)
        return;
    const std::string text = Text(Ctl::txtInterval);
    int32_t seconds = 0;
    // An emptied box is no interval: Enter keeps the current one and stores nothing.
    if (text.empty() || !IntervalOf(text, seconds))
        return;
    app_.settings.PingInterval = seconds;
    SetText(Ctl::lblInterval, "Current Setting is " + std::to_string(seconds) + " Seconds.");
    try {
        SaveSettingText(app_, keys::kPingInterval, text);
    } catch (const StoreError&) {
        ShowMessage(kFatalSaveMessage);
    }
}

void TimeSet::txtUrl_KeyUp(int keyCode) {
    if (keyCode != kKeyEnter)
        return;
    const std::string text = Text(Ctl::txtUrl);
    if (Lower(text) == "debug")
        app_.diag.SavePages = true;
    if (!IsValidUrl(text))
        return;
    if (!IsHomePage(text))
        AddItem(Ctl::lstUrls, text);
}

bool TimeSet::IsValidUrl(const std::string& text) {
    if (Lower(text.substr(0, 7)) == "http://")
        return true;
    ShowMessage(kInvalidUrlMessage);
    return false;
}

void TimeSet::lstUrls_KeyUp(int keyCode) {
    const Control& list = Get(Ctl::lstUrls);
    if (keyCode != kKeyDelete || list.selected < 0)
        return;
    if (!IsHomePage(list.items[list.selected]))
        RemoveItem(Ctl::lstUrls, list.selected);
}

void TimeSet::txtReboot_DblClick() {
    GetSettings(app_);
}

void TimeSet::CmdConfigModem_Click() {
    std::string path =
        ReplaceAll(app_.paths.ProgramFolder + "\\" + kConfigProgramName, "\\\\", "\\");
    if (!FileExists(app_, path))
        return;
    // Quoted, so that a folder with blanks cannot start another program of a shorter name.
    app_.os.process.StartProgram("\"" + path + "\"", ShowCommand::Normal);
}

void TimeSet::CmdNICenb_Click() {
    app_.actions().EnableNIC();
}

void TimeSet::CmdNICdis_Click() {
    app_.actions().DisableNIC();
}

void TimeSet::Label23_Click() {
    app_.os.process.ShellOpen(std::string("mailto:") + kContactAddress, ShowCommand::Normal);
}

void TimeSet::Frame1_DblClick() {
    app_.diag.MinuteCountDisplay = !app_.diag.MinuteCountDisplay;
}

void TimeSet::Label1_DblClick() {
    ShowMessage(std::string("FreeTime = ") + (IsFreeTime(app_) ? "True" : "False"));
}

void TimeSet::Label2_DblClick() {
    app_.actions().StartTrayAnimation();
}

void TimeSet::Label17_DblClick() {
    app_.diag.ModemTrace = !app_.diag.ModemTrace;
}

void TimeSet::Label19_DblClick() {
    if (!app_.diag.FetchLog) {
        app_.diag.FetchLog = true;
        SetColor(Ctl::Label19, kRed);
    } else {
        app_.diag.FetchLog = false;  // the label stays red
    }
}

void TimeSet::lblInterval_DblClick() {
    WriteLog(app_, "Total Data Downloaded for Connectivity : " +
                       KilobytesText(app_.traffic.TotalBytesDownloaded,
                                     app_.os.clock.DecimalSeparator()) +
                       " KB.");
}

}  // namespace qv
