#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

enum class ControlKind {
    Label,
    CheckBox,
    HourPicker,
    MinutePicker,
    ListBox,
    TextBox,
    Button,
    Frame,
    Line
};

// Text colours in the Windows colour form (red in the lowest byte).
inline constexpr uint32_t kBlack = 0;
inline constexpr uint32_t kRed = 255;
inline constexpr uint32_t kBlue = 16711680;

// The pages of the dialog's tab control, left to right.
inline constexpr std::array<const char*, 5> kTimeSetPages = {"TIME", "NIC", "MODEM", "CONNECTIVITY",
                                                             "MISC"};
enum TimeSetPage : int { kPageTime = 0, kPageNic, kPageModem, kPageConnectivity, kPageMisc };

// The dialog's controls, page by page in reading order. The order is the order of the
// description below and of the windows' control ids (the first control id plus the place in
// this list), which test scripts use to reach controls without a caption.
// clang-format off
#define QV_TIMESET_CONTROLS(X)                                                                  \
    X(Label1) X(Combo1) X(Label2) X(Combo2) X(Label3) X(Label6) X(Label7) X(Label4) X(Label8)   \
    X(Label9) X(CmdTimeOK)                                                                      \
    X(Check10) X(Check11)                                                                       \
    X(Frame1) X(Label10) X(Combo3) X(Combo4) X(Label11) X(Combo5) X(Combo6) X(Check3)           \
    X(CmdNICenb) X(CmdNICdis) X(Frame2) X(Check7) X(Check8) X(Label12) X(Label14) X(Label13)    \
    X(Label15) X(CmdNicOK) X(Label16)                                                           \
    X(Label17) X(Label18) X(Combo7) X(Combo8) X(CmdAddRbtTime) X(txtReboot) X(lstReboot)        \
    X(Check4) X(CmdConfigModem) X(CmdRebootNow) X(CmdModemOK) X(Check9) X(Line1) X(Line2)                       \
    X(Label19) X(txtUrl) X(lstUrls) X(Label24) X(txtRebootLimit) X(Label25) X(txtRebootRest)    \
    X(Label26) X(Label27) X(txtRebootGrace) X(Label28) X(Label20) X(txtInterval) X(Label21)     \
    X(lblInterval) X(Check5) X(CmdConnectivityOK)                                               \
    X(Check1) X(Combo9) X(Combo10) X(Check6) X(Combo11) X(Combo12) X(Combo13) X(Combo14)        \
    X(Check2) X(Text2) X(Label23) X(CmdMiscOK)
// clang-format on

#define QV_CTL_ENUMERATOR(name) name,
enum class Ctl : int { QV_TIMESET_CONTROLS(QV_CTL_ENUMERATOR) };
#undef QV_CTL_ENUMERATOR

#define QV_CTL_ONE(name) +1
inline constexpr size_t kCtlCount = 0 QV_TIMESET_CONTROLS(QV_CTL_ONE);
#undef QV_CTL_ONE

// The control's name as the dialog's designer gave it ("Combo1", "lstReboot", ...).
const char* CtlName(Ctl id);
// The control of that name, if there is one.
std::optional<Ctl> CtlNamed(std::string_view name);

// The dialog's client area and every control's place on its page, in pixels at 96 dots per
// inch (the window scales them to the screen's resolution). For a picker `h` is the height
// of its open list.
inline constexpr int kTimeSetClientWidth = 520;
inline constexpr int kTimeSetClientHeight = 362;
struct Place {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

// One control of the settings dialog. `text` is the caption of a label, button, frame or
// check box, the content of a text box and the text field of a picker.
struct Control {
    Ctl id = Ctl::Label1;
    ControlKind kind = ControlKind::Label;
    int page = kPageTime;
    std::optional<Ctl> frame;  // the frame that holds it, if any
    Place place;
    std::string text;
    std::vector<std::string> items;  // picker entries and list entries, in order
    int selected = -1;               // picker and list selection; -1 = none
    int value = 0;                   // check box: 1 ticked, 0 clear
    uint32_t color = kBlack;
    bool fixedPitch = false;  // "Courier New"
    bool multiLine = false;   // text box with several lines
    bool scrollBars = false;  // both scroll bars
    bool readOnly = false;
    bool dialogBackground = false;  // text box drawn in the dialog's own colour
    bool handCursor = false;
    bool IsPicker() const {
        return kind == ControlKind::HourPicker || kind == ControlKind::MinutePicker;
    }
};

// The contact address that the MISC page shows and opens in the mail client.
inline constexpr const char* kContactAddress = "quorvane-help@example.org";

// The description of a newly created dialog: every control in the order of `Ctl`, with its
// page, place, initial caption, contents and look.
std::vector<Control> TimeSetControls();

// What is wrong with a description, or "" when nothing is: every control once and in the
// order of `Ctl`, on one of the pages, with a place inside the client area, and held only by a
// frame of its own page.
std::string DescriptionFault(const std::vector<Control>& controls);

// The sample command file that txtReboot holds until a real one is loaded.
std::string CommandFileSample();

}  // namespace qv
