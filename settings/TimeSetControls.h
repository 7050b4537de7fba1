#pragma once
#include <array>
#include <cstdint>
#include <string>
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

// One control of the settings dialog as the logic sees it. `text` is the caption of a label,
// button, frame or check box, the content of a text box and the text field of a picker.
struct Control {
    std::string name;
    ControlKind kind = ControlKind::Label;
    int page = kPageTime;
    std::string frame;  // the frame that holds it, if any
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

// The controls of a newly created dialog, page by page in reading order, with their initial
// captions and contents.
std::vector<Control> TimeSetControls();

// The sample command file that txtReboot holds until a real one is loaded.
std::string CommandFileSample();

}  // namespace qv
