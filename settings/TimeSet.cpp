#include "settings/TimeSet.h"

#include "actions/FileHelpers.h"
#include "settings/GetSettings.h"
#include "settings/SettingsTable.h"
#include "actions/NumberText.h"

namespace qv {

TimeSet::TimeSet(const DialogContext& context)
    : ctx_(context), controls_(TimeSetControls()), limitCaption_(Text(Ctl::Label25)) {}

void TimeSet::Notify(const Control& control) {
    if (view_ != nullptr)
        view_->ControlChanged(control);
}

void TimeSet::ChangeText(Ctl id, const std::string& text, bool fromProgram) {
    Control& c = At(id);
    if (c.text == text)
        return;
    c.text = text;
    if (c.IsPicker())
        c.selected = -1;
    if (fromProgram)
        Notify(c);  // the window already shows what the user typed
    for (const RangedBox& box : kRangedBoxes) {
        if (box.id == id)
            RangedBox_Change(box);
    }
}

void TimeSet::SetText(Ctl id, const std::string& text) {
    ChangeText(id, text, true);
}

void TimeSet::SetColor(Ctl id, uint32_t color) {
    Control& c = At(id);
    c.color = color;
    Notify(c);
}

void TimeSet::SetValue(Ctl id, int value) {
    Control& c = At(id);
    c.value = value;
    Notify(c);
}

void TimeSet::AddItem(Ctl id, const std::string& item) {
    Control& c = At(id);
    c.items.push_back(item);
    Notify(c);
}

void TimeSet::RemoveItem(Ctl id, int index) {
    Control& c = At(id);
    if (index < 0 || index >= static_cast<int>(c.items.size()))
        return;
    c.items.erase(c.items.begin() + index);
    c.selected = -1;
    Notify(c);
}

void TimeSet::ClearItems(Ctl id) {
    Control& c = At(id);
    c.items.clear();
    c.selected = -1;
    Notify(c);
}

void TimeSet::PickerSelect(Ctl id, int32_t v) {
    Control& c = At(id);
    if (v >= 0 && v < static_cast<int32_t>(c.items.size())) {
        c.selected = v;
        c.text = c.items[v];
    } else {
        c.selected = -1;
        c.text = std::to_string(v);
    }
    Notify(c);
}

void TimeSet::Form_Load() {
    At(Ctl::txtUrl).text = ctx_.paths.HomePageUrls[0];
    const Settings& s = ctx_.access.settings;
    if (s.DialogTop != 0 && s.DialogLeft != 0) {
        position = {s.DialogTop, s.DialogLeft};
        placeAtSavedPosition = true;
    }
    ComboInit();
    const std::string& path = ctx_.paths.CommandFilePath;
    if (FileExists(ctx_.files, path)) {
        std::string text = ReadTextFile(ctx_.files, path);
        if (!text.empty()) {
            SetText(Ctl::txtReboot, text);
            SetColor(Ctl::txtReboot, kBlue);
            ctx_.readCommandFile(path);
        }
    }
    loaded_ = true;
}

void TimeSet::ComboInit() {
    static const Ctl hours[] = {Ctl::Combo1, Ctl::Combo2, Ctl::Combo3,  Ctl::Combo5,
                                Ctl::Combo7, Ctl::Combo9, Ctl::Combo11, Ctl::Combo13};
    static const Ctl minutes[] = {Ctl::Combo4,  Ctl::Combo6,  Ctl::Combo8,
                                  Ctl::Combo10, Ctl::Combo12, Ctl::Combo14};
    for (int n = 0; n <= 23; ++n) {
        for (Ctl id : hours)
            AddItem(id, TwoDigits(n));
    }
    for (int n = 0; n <= 59; ++n) {
        for (Ctl id : minutes)
            AddItem(id, TwoDigits(n));
    }
}

void TimeSet::ControlInit() {
    const Settings& s = ctx_.access.settings;
    PickerSelect(Ctl::Combo1, s.FreeStartHour);
    PickerSelect(Ctl::Combo2, s.FreeEndHour);
    SetText(Ctl::Label6, TwoDigits(s.FreeStartHour));
    SetText(Ctl::Label8, TwoDigits(s.FreeEndHour));
    PickerSelect(Ctl::Combo3, s.NicOnHour);
    PickerSelect(Ctl::Combo4, s.NicOnMinute);
    PickerSelect(Ctl::Combo5, s.NicOffHour);
    PickerSelect(Ctl::Combo6, s.NicOffMinute);
    SetText(Ctl::Label14, TimeText(s.NicOnHour, s.NicOnMinute));
    SetText(Ctl::Label15, TimeText(s.NicOffHour, s.NicOffMinute));
    PickerSelect(Ctl::Combo7, s.FreeStartHour);
    PickerSelect(Ctl::Combo8, 0);
    // Emptied first, so that filling the lists again never doubles their entries.
    ClearItems(Ctl::lstReboot);
    for (const std::string& time : s.RebootTimes)
        AddItem(Ctl::lstReboot, time);
    // lblInterval shows the stored number even when the range check has replaced the text.
    const std::string interval = std::to_string(s.PingInterval);
    SetText(Ctl::txtInterval, interval);
    SetText(Ctl::lblInterval, "Current Setting is " + interval + " Seconds.");
    ClearItems(Ctl::lstUrls);
    for (const std::string& url : s.PingUrlList)
        AddItem(Ctl::lstUrls, url);
    SetText(Ctl::txtRebootLimit, std::to_string(s.RebootLimitCount));
    ShowRebootLimit();
    SetText(Ctl::txtRebootRest, std::to_string(s.RebootLimitHours));
    SetText(Ctl::txtRebootGrace, std::to_string(s.RebootGraceMinutes));
    PickerSelect(Ctl::Combo9, s.ShutAtHour);
    PickerSelect(Ctl::Combo10, s.ShutAtMinute);
    PickerSelect(Ctl::Combo11, s.ShutFromHour);
    PickerSelect(Ctl::Combo12, s.ShutFromMinute);
    PickerSelect(Ctl::Combo13, s.ShutToHour);
    PickerSelect(Ctl::Combo14, s.ShutToMinute);
    for (const SettingRow& row : SettingRows()) {
        if (row.field.flag != nullptr && s.*row.field.flag)
            SetValue(*row.control, 1);
    }
}

void TimeSet::Form_Unload() {
    if (!loaded_)
        return;
    if (saving_.Running()) {
        closeAfterSave_ = true;
        return;
    }
    loaded_ = false;
    GetSettings(ctx_.access);
    ctx_.armServiceTimers();
    if (view_ != nullptr)
        view_->CloseWindow();
}

void TimeSet::ShowMessage(const std::string& text) {
    if (view_ != nullptr)
        view_->EnableInput(false);
    ctx_.ui.ShowMessage(text, kAppTitle);
    if (view_ != nullptr)
        view_->EnableInput(true);
}

void TimeSet::UserText(Ctl id, const std::string& text) {
    ChangeText(id, text, false);
}

void TimeSet::UserSelect(Ctl id, int index) {
    Control& c = At(id);
    if (index < 0 || index >= static_cast<int>(c.items.size())) {
        c.selected = -1;
        return;
    }
    c.selected = index;
    if (c.IsPicker())
        c.text = c.items[index];
}

void TimeSet::UserCheck(Ctl id, int value) {
    At(id).value = value;
}

void TimeSet::Click(Ctl id) {
    switch (id) {
        case Ctl::CmdTimeOK:
        case Ctl::CmdNicOK:
        case Ctl::CmdModemOK:
        case Ctl::CmdConnectivityOK:
        case Ctl::CmdMiscOK:
            return CmdOK_Click();
        case Ctl::CmdAddRbtTime:
            return CmdAddRbtTime_Click();
        case Ctl::CmdConfigModem:
            return CmdConfigModem_Click();
        case Ctl::CmdRebootNow:
            return CmdRebootNow_Click();
        case Ctl::CmdNICenb:
            return CmdNICenb_Click();
        case Ctl::CmdNICdis:
            return CmdNICdis_Click();
        case Ctl::Label23:
            return Label23_Click();
        default:
            return;
    }
}

void TimeSet::DblClick(Ctl id) {
    switch (id) {
        case Ctl::txtReboot:
            return txtReboot_DblClick();
        case Ctl::Frame1:
            return Frame1_DblClick();
        case Ctl::Label1:
            return Label1_DblClick();
        case Ctl::Label2:
            return Label2_DblClick();
        case Ctl::Label17:
            return Label17_DblClick();
        case Ctl::Label19:
            return Label19_DblClick();
        case Ctl::lblInterval:
            return lblInterval_DblClick();
        default:
            return;
    }
}

void TimeSet::KeyUp(Ctl id, int keyCode) {
    switch (id) {
        case Ctl::lstReboot:
            return lstReboot_KeyUp(keyCode);
        case Ctl::txtInterval:
            return txtInterval_KeyUp(keyCode);
        case Ctl::txtUrl:
            return txtUrl_KeyUp(keyCode);
        case Ctl::lstUrls:
            return lstUrls_KeyUp(keyCode);
        default:
            return;
    }
}

bool TimeSet::IsHomePage(const std::string& text) const {
    for (const std::string& home : ctx_.paths.HomePageUrls) {
        if (text == home)
            return true;
    }
    return false;
}

}  // namespace qv
