#include "settings/TimeSet.h"

#include <stdexcept>

#include "actions/FileHelpers.h"
#include "app/App.h"
#include "settings/GetSettings.h"
#include "actions/NumberText.h"

namespace qv {

TimeSet::TimeSet(App& app) : app_(app), controls_(TimeSetControls()) {
    for (size_t i = 0; i < controls_.size(); ++i)
        index_[controls_[i].name] = i;
}

const Control& TimeSet::Get(const std::string& name) const {
    auto it = index_.find(name);
    if (it == index_.end())
        throw std::out_of_range("no control " + name);
    return controls_[it->second];
}

Control& TimeSet::At(const std::string& name) {
    return const_cast<Control&>(static_cast<const TimeSet&>(*this).Get(name));
}

void TimeSet::Notify(const Control& control) {
    if (view_ != nullptr)
        view_->ControlChanged(control);
}

void TimeSet::ChangeText(const std::string& name, const std::string& text, bool fromProgram) {
    Control& c = At(name);
    if (c.text == text)
        return;
    c.text = text;
    if (c.IsPicker())
        c.selected = -1;
    if (fromProgram)
        Notify(c);  // the window already shows what the user typed
    if (name == "txtInterval")
        txtInterval_Change();
}

void TimeSet::SetText(const std::string& name, const std::string& text) {
    ChangeText(name, text, true);
}

void TimeSet::SetColor(const std::string& name, uint32_t color) {
    Control& c = At(name);
    c.color = color;
    Notify(c);
}

void TimeSet::SetValue(const std::string& name, int value) {
    Control& c = At(name);
    c.value = value;
    Notify(c);
}

void TimeSet::AddItem(const std::string& name, const std::string& item) {
    Control& c = At(name);
    c.items.push_back(item);
    Notify(c);
}

void TimeSet::RemoveItem(const std::string& name, int index) {
    Control& c = At(name);
    if (index < 0 || index >= static_cast<int>(c.items.size()))
        return;
    c.items.erase(c.items.begin() + index);
    c.selected = -1;
    Notify(c);
}

void TimeSet::ClearItems(const std::string& name) {
    Control& c = At(name);
    c.items.clear();
    c.selected = -1;
    Notify(c);
}

void TimeSet::PickerSelect(const std::string& name, int32_t v) {
    Control& c = At(name);
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
    At("txtUrl").text = app_.paths.HomePageUrls[0];
    const Settings& s = app_.settings;
    if (s.DialogTop != 0 && s.DialogLeft != 0) {
        position = {s.DialogTop, s.DialogLeft};
        placeAtSavedPosition = true;
    }
    ComboInit();
    const std::string& path = app_.paths.CommandFilePath;
    if (FileExists(app_.os.files, path)) {
        std::string text = ReadTextFile(app_.os.files, path);
        if (!text.empty()) {
            SetText("txtReboot", text);
            SetColor("txtReboot", kBlue);
            app_.actions().ReadCommandFile(path);
        }
    }
    loaded_ = true;
}

void TimeSet::ComboInit() {
    static const char* const hours[] = {"Combo1", "Combo2", "Combo3",  "Combo5",
                                        "Combo7", "Combo9", "Combo11", "Combo13"};
    static const char* const minutes[] = {"Combo4",  "Combo6",  "Combo8",
                                          "Combo10", "Combo12", "Combo14"};
    for (int n = 0; n <= 23; ++n) {
        for (const char* name : hours)
            AddItem(name, TwoDigits(n));
    }
    for (int n = 0; n <= 59; ++n) {
        for (const char* name : minutes)
            AddItem(name, TwoDigits(n));
    }
}

void TimeSet::ControlInit() {
    const Settings& s = app_.settings;
    PickerSelect("Combo1", s.FreeStartHour);
    PickerSelect("Combo2", s.FreeEndHour);
    SetText("Label6", TwoDigits(s.FreeStartHour));
    SetText("Label8", TwoDigits(s.FreeEndHour));
    PickerSelect("Combo3", s.NicOnHour);
    PickerSelect("Combo4", s.NicOnMinute);
    PickerSelect("Combo5", s.NicOffHour);
    PickerSelect("Combo6", s.NicOffMinute);
    SetText("Label14", TimeText(s.NicOnHour, s.NicOnMinute));
    SetText("Label15", TimeText(s.NicOffHour, s.NicOffMinute));
    PickerSelect("Combo7", s.FreeStartHour);
    PickerSelect("Combo8", 0);
    // Emptied first, so that filling the lists again never doubles their entries.
    ClearItems("lstReboot");
    for (const std::string& time : s.RebootTimes)
        AddItem("lstReboot", time);
    // lblInterval shows the stored number even when the range check has replaced the text.
    const std::string interval = std::to_string(s.PingInterval);
    SetText("txtInterval", interval);
    SetText("lblInterval", "Current Setting is " + interval + " Seconds.");
    ClearItems("lstUrls");
    for (const std::string& url : s.PingUrlList)
        AddItem("lstUrls", url);
    PickerSelect("Combo9", s.ShutAtHour);
    PickerSelect("Combo10", s.ShutAtMinute);
    PickerSelect("Combo11", s.ShutFromHour);
    PickerSelect("Combo12", s.ShutFromMinute);
    PickerSelect("Combo13", s.ShutToHour);
    PickerSelect("Combo14", s.ShutToMinute);
    const std::pair<const char*, bool> boxes[] = {
        {"Check1", s.SrvShutAt},     {"Check2", s.SrvStartup},    {"Check3", s.SrvNicAt},
        {"Check4", s.SrvModem},      {"Check5", s.SrvPing},       {"Check6", s.SrvShutDuring},
        {"Check7", s.SrvNicDuringN}, {"Check8", s.SrvNicDuringD}, {"Check9", s.SrvModemFail}};
    for (const auto& [name, on] : boxes) {
        if (on)
            SetValue(name, 1);
    }
}

void TimeSet::Form_Unload() {
    if (!loaded_)
        return;
    if (saving_) {
        closeAfterSave_ = true;
        return;
    }
    loaded_ = false;
    GetSettings(app_.settingsAccess);
    app_.actions().ArmServiceTimers();
    if (view_ != nullptr)
        view_->CloseWindow();
}

void TimeSet::ShowMessage(const std::string& text) {
    if (view_ != nullptr)
        view_->EnableInput(false);
    app_.os.ui.ShowMessage(text, kAppTitle);
    if (view_ != nullptr)
        view_->EnableInput(true);
}

void TimeSet::UserText(const std::string& name, const std::string& text) {
    ChangeText(name, text, false);
}

void TimeSet::UserSelect(const std::string& name, int index) {
    Control& c = At(name);
    if (index < 0 || index >= static_cast<int>(c.items.size())) {
        c.selected = -1;
        return;
    }
    c.selected = index;
    if (c.IsPicker())
        c.text = c.items[index];
}

void TimeSet::UserCheck(const std::string& name, int value) {
    At(name).value = value;
}

void TimeSet::Click(const std::string& name) {
    static const std::map<std::string, void (TimeSet::*)()> handlers = {
        {"CmdTimeOK", &TimeSet::CmdOK_Click},
        {"CmdNicOK", &TimeSet::CmdOK_Click},
        {"CmdModemOK", &TimeSet::CmdOK_Click},
        {"CmdConnectivityOK", &TimeSet::CmdOK_Click},
        {"CmdMiscOK", &TimeSet::CmdOK_Click},
        {"CmdAddRbtTime", &TimeSet::CmdAddRbtTime_Click},
        {"CmdConfigModem", &TimeSet::CmdConfigModem_Click},
        {"CmdNICenb", &TimeSet::CmdNICenb_Click},
        {"CmdNICdis", &TimeSet::CmdNICdis_Click},
        {"Label23", &TimeSet::Label23_Click},
    };
    auto it = handlers.find(name);
    if (it != handlers.end())
        (this->*it->second)();
}

void TimeSet::DblClick(const std::string& name) {
    static const std::map<std::string, void (TimeSet::*)()> handlers = {
        {"txtReboot", &TimeSet::txtReboot_DblClick},     {"Frame1", &TimeSet::Frame1_DblClick},
        {"Label1", &TimeSet::Label1_DblClick},           {"Label2", &TimeSet::Label2_DblClick},
        {"Label17", &TimeSet::Label17_DblClick},         {"Label19", &TimeSet::Label19_DblClick},
        {"lblInterval", &TimeSet::lblInterval_DblClick},
    };
    auto it = handlers.find(name);
    if (it != handlers.end())
        (this->*it->second)();
}

void TimeSet::KeyUp(const std::string& name, int keyCode) {
    static const std::map<std::string, void (TimeSet::*)(int)> handlers = {
        {"lstReboot", &TimeSet::lstReboot_KeyUp},
        {"txtInterval", &TimeSet::txtInterval_KeyUp},
        {"txtUrl", &TimeSet::txtUrl_KeyUp},
        {"lstUrls", &TimeSet::lstUrls_KeyUp},
    };
    auto it = handlers.find(name);
    if (it != handlers.end())
        (this->*it->second)(keyCode);
}

bool TimeSet::IsHomePage(const std::string& text) const {
    for (const std::string& home : app_.paths.HomePageUrls) {
        if (text == home)
            return true;
    }
    return false;
}

}  // namespace qv
