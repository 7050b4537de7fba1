#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "actions/Running.h"
#include "settings/DialogContext.h"
#include "settings/TimeSetControls.h"

namespace qv {

// QV_VERSION_SHORT ("major.minor") comes from the project's version (settings/CMakeLists.txt).
inline constexpr const char* kTimeSetTitle =
    "Quorvane Helper Utility by Dastrel (v" QV_VERSION_SHORT ").";
inline constexpr const char* kIntervalRangeMessage = "Sorry the permittable range is 1-60 only.";
inline constexpr const char* kIntervalReplacement = "10";
inline constexpr const char* kRebootLimitRangeMessage = "Sorry the permittable range is 0-99 only.";
inline constexpr const char* kRebootRestRangeMessage = "Sorry the permittable range is 1-24 only.";
inline constexpr const char* kRebootGraceRangeMessage = "Sorry the permittable range is 0-60 only.";
// Label25 while the count is 0: "Reboot at most 0 times: no limit. A limit rests 4 Hours."
inline constexpr const char* kNoRebootLimitCaption = "times: no limit. A limit rests";

// A text box of the CONNECTIVITY page whose whole number is checked on every change: outside
// its range the message is shown and the replacement put in.
struct RangedBox {
    Ctl id;
    int32_t low, high;
    const char* message;
    const char* replacement;
};
inline constexpr RangedBox kRangedBoxes[] = {
    {Ctl::txtInterval, 1, 60, kIntervalRangeMessage, kIntervalReplacement},
    {Ctl::txtRebootLimit, 0, 99, kRebootLimitRangeMessage, "0"},
    {Ctl::txtRebootRest, 1, 24, kRebootRestRangeMessage, "4"},
    {Ctl::txtRebootGrace, 0, 60, kRebootGraceRangeMessage, "0"},
};
inline constexpr const char* kInvalidUrlMessage = "The Url you Inputted is not valid.";
inline constexpr const char* kFatalSaveMessage = "Fatal Error : Cannot Save the Settings.";
inline constexpr const char* kConfigProgramName = "Wirecall.exe";

// Key codes of the released keys the dialog acts on.
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyDelete = 46;

// What the window that presents the dialog is told by the logic.
class TimeSetView {
  public:
    virtual ~TimeSetView() = default;
    // The program changed a control (text, entries, selection, tick or colour).
    virtual void ControlChanged(const Control& control) = 0;
    // Off while one of the dialog's message boxes is open: the dialog takes no input then.
    virtual void EnableInput(bool enabled) = 0;
    // The close steps have run; the window goes away.
    virtual void CloseWindow() = 0;
};

// The dialog's edges on the screen, in twips.
struct WindowPosition {
    int32_t top = 0;
    int32_t left = 0;
};

// The settings dialog: its named controls, which are the working copy of the Settings
// record, its life from loading to closing, and the handlers of its events. The window that
// shows it reports the user's edits and events here and presents what the logic changes.
class TimeSet {
  public:
    explicit TimeSet(const DialogContext& context);
    TimeSet(const TimeSet&) = delete;
    TimeSet& operator=(const TimeSet&) = delete;

    // Load steps: saved position, ComboInit, the command file.
    void Form_Load();
    void ComboInit();
    // Puts the Settings record into the controls; runs once per opening.
    void ControlInit();
    // Close steps (GetSettings, ArmServiceTimers), then the window closes. A close asked for
    // while a save is running happens when the save has finished.
    void Form_Unload();
    bool Loaded() const { return loaded_; }

    void AttachView(TimeSetView* view) { view_ = view; }

    // The controls.
    const std::vector<Control>& Controls() const { return controls_; }
    const Control& Get(Ctl id) const { return controls_.at(static_cast<size_t>(id)); }
    const std::string& Text(Ctl id) const { return Get(id).text; }
    // Sets a text or caption; a change of a ranged box's text runs its range check.
    void SetText(Ctl id, const std::string& text);
    void SetColor(Ctl id, uint32_t color);
    void SetValue(Ctl id, int value);
    void AddItem(Ctl id, const std::string& item);
    void RemoveItem(Ctl id, int index);
    void ClearItems(Ctl id);
    // Lets a picker select v: entry v and its text, or, for a value without an entry, no
    // entry and the number itself as the text.
    void PickerSelect(Ctl id, int32_t v);

    // Where the window is, and whether the load steps placed it at the saved position.
    WindowPosition position;
    bool placeAtSavedPosition = false;

    // What the window reports.
    void UserText(Ctl id, const std::string& text);
    void UserSelect(Ctl id, int index);
    void UserCheck(Ctl id, int value);
    void MovedTo(int32_t topTwips, int32_t leftTwips) { position = {topTwips, leftTwips}; }
    void Click(Ctl id);
    void DblClick(Ctl id);
    void KeyUp(Ctl id, int keyCode);

    // Event handlers.
    void CmdAddRbtTime_Click();
    void lstReboot_KeyUp(int keyCode);
    void RangedBox_Change(const RangedBox& box);
    // Label25 tells whether the count sets a limit.
    void ShowRebootLimit();
    void txtInterval_KeyUp(int keyCode);
    void txtUrl_KeyUp(int keyCode);
    void lstUrls_KeyUp(int keyCode);
    void txtReboot_DblClick();
    void CmdConfigModem_Click();
    void CmdRebootNow_Click();
    void CmdNICenb_Click();
    void CmdNICdis_Click();
    void Label23_Click();
    void Frame1_DblClick();
    void Label1_DblClick();
    void Label2_DblClick();
    void Label17_DblClick();
    void Label19_DblClick();
    void lblInterval_DblClick();
    // The five OK buttons.
    void CmdOK_Click();

    // True for an address that starts with "http://" in any case; otherwise shows the
    // refusal message.
    bool IsValidUrl(const std::string& text);

    // Modal message box with the program's title, the dialog held still while it is open.
    void ShowMessage(const std::string& text);

    bool Saving() const { return saving_.Running(); }

  private:
    // Stores a control's new text; the program's own changes are shown in the window too.
    void ChangeText(Ctl id, const std::string& text, bool fromProgram);
    friend void SaveSettings(const DialogContext& context, TimeSet& dialog);

    Control& At(Ctl id) { return controls_.at(static_cast<size_t>(id)); }
    void Notify(const Control& control);
    bool IsHomePage(const std::string& text) const;

    DialogContext ctx_;
    std::vector<Control> controls_;
    TimeSetView* view_ = nullptr;
    bool loaded_ = false;
    ActionRunning saving_;
    bool closeAfterSave_ = false;
    const std::string limitCaption_;  // Label25 as described, for a count above 0
};

}  // namespace qv
