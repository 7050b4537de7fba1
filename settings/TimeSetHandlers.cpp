// What the settings dialog's controls do while it is open.
#include <cctype>

#include "actions/Text.h"
#include "actions/Traffic.h"
#include "actions/FileHelpers.h"
#include "settings/FreeTime.h"
#include "actions/ProgramError.h"
#include "settings/GetSettings.h"
#include "settings/LeadingNumber.h"
#include "actions/NumberText.h"
#include "settings/SaveSettings.h"
#include "settings/TimeSet.h"

namespace qv {
namespace {

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
    SaveSettings(ctx_, *this);
}

void TimeSet::CmdAddRbtTime_Click() {
    // Used as read, fractions included; only negative numbers are refused.
    double hour = LeadingNumber(Text(Ctl::Combo7));
    double minute = LeadingNumber(Text(Ctl::Combo8));
    if (hour >= 0 && minute >= 0)
        AddItem(Ctl::lstReboot, TimeText(hour, minute, ctx_.clock.DecimalSeparator()));
}

void TimeSet::lstReboot_KeyUp(int keyCode) {
    const Control& list = Get(Ctl::lstReboot);
    if (keyCode == kKeyDelete && list.selected >= 0)
        RemoveItem(Ctl::lstReboot, list.selected);
}

void TimeSet::ShowRebootLimit() {
    // A count of 0 (an empty box stores 0) is no limit, and the sentence says so.
    const bool limit = LeadingNumber(Text(Ctl::txtRebootLimit)) > 0.5;
    SetText(Ctl::Label25, limit ? limitCaption_ : kNoRebootLimitCaption);
}

void TimeSet::RangedBox_Change(const RangedBox& box) {
    if (box.id == Ctl::txtRebootLimit)
        ShowRebootLimit();
    const std::string& text = Text(box.id);
    if (text.empty())
        return;
    int32_t number = 0;
    if (IntervalOf(text, number) && number >= box.low && number <= box.high)
        return;
    ShowMessage(box.message);
    SetText(box.id, box.replacement);  // runs this check again, and passes
}

void TimeSet::txtInterval_KeyUp(int keyCode) {
    if (keyCode != kKeyEnter)
        return;
    const std::string text = Text(Ctl::txtInterval);
    int32_t seconds = 0;
    // An emptied box is no interval: Enter keeps the current one and stores nothing.
    if (text.empty() || !IntervalOf(text, seconds))
        return;
    ctx_.access.settings.PingInterval = seconds;
    SetText(Ctl::lblInterval, "Current Setting is " + std::to_string(seconds) + " Seconds.");
    try {
        SaveSettingText(ctx_.access, keys::kPingInterval, text);
    } catch (const StoreError&) {
        ShowMessage(kFatalSaveMessage);
    }
}

void TimeSet::txtUrl_KeyUp(int keyCode) {
    if (keyCode != kKeyEnter)
        return;
    const std::string text = Text(Ctl::txtUrl);
    if (LowerCase(text) == "debug")
        ctx_.diag.SavePages = true;
    if (!IsValidUrl(text))
        return;
    if (!IsHomePage(text))
        AddItem(Ctl::lstUrls, text);
}

bool TimeSet::IsValidUrl(const std::string& text) {
    if (LowerCase(text.substr(0, 7)) == "http://")
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
    GetSettings(ctx_.access);
}

void TimeSet::CmdConfigModem_Click() {
    std::string path =
        ReplaceAll(ctx_.paths.ProgramFolder + "\\" + kConfigProgramName, "\\\\", "\\");
    if (!FileExists(ctx_.files, path))
        return;
    // Quoted, so that a folder with blanks cannot start another program of a shorter name.
    ctx_.process.StartProgram("\"" + path + "\"", ShowCommand::Normal);
}

void TimeSet::CmdRebootNow_Click() {
    const std::string outcome = ctx_.rebootNow ? ctx_.rebootNow() : "";
    if (!outcome.empty())
        ShowMessage(outcome);
}

void TimeSet::CmdNICenb_Click() {
    EnableNIC(ctx_.nic);
}

void TimeSet::CmdNICdis_Click() {
    DisableNIC(ctx_.nic);
}

void TimeSet::Label23_Click() {
    ctx_.process.ShellOpen(std::string("mailto:") + kContactAddress, ShowCommand::Normal);
}

void TimeSet::Frame1_DblClick() {
    ctx_.diag.MinuteCountDisplay = !ctx_.diag.MinuteCountDisplay;
}

void TimeSet::Label1_DblClick() {
    ShowMessage(std::string("FreeTime = ") +
                (IsFreeTime(ctx_.access.settings, ctx_.clock) ? "True" : "False"));
}

void TimeSet::Label2_DblClick() {
    ctx_.startTrayAnimation();
}

void TimeSet::Label17_DblClick() {
    ctx_.diag.ModemTrace = !ctx_.diag.ModemTrace;
}

void TimeSet::Label19_DblClick() {
    if (!ctx_.diag.FetchLog) {
        ctx_.diag.FetchLog = true;
        SetColor(Ctl::Label19, kRed);
    } else {
        ctx_.diag.FetchLog = false;  // the label stays red
    }
}

void TimeSet::lblInterval_DblClick() {
    ctx_.log.WriteLog(TrafficLine(ctx_.traffic, ctx_.clock.DecimalSeparator()));
}

}  // namespace qv
