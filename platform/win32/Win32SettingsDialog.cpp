#include "platform/win32/Win32SettingsDialog.h"

#include <commctrl.h>

#include "app/App.h"
#include "app/Barrier.h"
#include "settings/Twips.h"
#include "res/resource.h"

namespace qv::win32 {
namespace {

// Client area and control places at 96 dots per inch, scaled to the screen's resolution.
constexpr int kClientWidth = 520;
constexpr int kClientHeight = 362;

struct Place {
    const char* name;
    int x, y, w, h;  // for pickers h is the height of the open list
};

constexpr Place kPlaces[] = {
    // TIME
    {"Label1", 24, 54, 220, 20},
    {"Combo1", 250, 51, 56, 220},
    {"Label2", 24, 88, 220, 20},
    {"Combo2", 250, 85, 56, 220},
    {"Label3", 24, 146, 230, 18},
    {"Label6", 254, 146, 28, 18},
    {"Label7", 286, 146, 60, 18},
    {"Label4", 24, 170, 230, 18},
    {"Label8", 254, 170, 28, 18},
    {"Label9", 286, 170, 60, 18},
    {"CmdTimeOK", 420, 312, 84, 28},
    // NIC
    {"Frame1", 16, 40, 300, 150},
    {"Label10", 30, 68, 110, 20},
    {"Combo3", 144, 65, 56, 220},
    {"Combo4", 206, 65, 56, 220},
    {"Label11", 30, 102, 110, 20},
    {"Combo5", 144, 99, 56, 220},
    {"Combo6", 206, 99, 56, 220},
    {"Check3", 30, 146, 270, 22},
    {"CmdNICenb", 332, 56, 172, 28},
    {"CmdNICdis", 332, 92, 172, 28},
    {"Frame2", 16, 192, 300, 68},
    {"Check7", 30, 206, 270, 22},
    {"Check8", 30, 232, 270, 22},
    {"Label12", 24, 270, 250, 18},
    {"Label14", 276, 270, 50, 18},
    {"Label13", 24, 290, 250, 18},
    {"Label15", 276, 290, 50, 18},
    {"CmdNicOK", 420, 312, 84, 28},
    {"Label16", 24, 322, 390, 18},
    // MODEM
    {"Label17", 24, 44, 50, 18},
    {"Label18", 84, 44, 50, 18},
    {"Combo7", 24, 64, 54, 220},
    {"Combo8", 84, 64, 54, 220},
    {"CmdAddRbtTime", 146, 62, 80, 26},
    {"txtReboot", 240, 44, 264, 206},
    {"lstReboot", 24, 98, 202, 152},
    {"Check4", 24, 264, 210, 22},
    {"CmdConfigModem", 240, 262, 104, 26},
    {"CmdModemOK", 420, 312, 84, 28},
    {"Check9", 24, 292, 210, 22},
    {"Line1", 16, 256, 488, 2},
    {"Line2", 16, 322, 390, 2},
    // CONNECTIVITY
    {"Label19", 24, 52, 70, 20},
    {"txtUrl", 98, 48, 406, 24},
    {"lstUrls", 24, 80, 480, 156},
    {"Label20", 24, 250, 160, 20},
    {"txtInterval", 186, 246, 50, 24},
    {"Label21", 242, 250, 262, 20},
    {"lblInterval", 24, 278, 300, 20},
    {"Check5", 24, 304, 340, 22},
    {"CmdConnectivityOK", 420, 312, 84, 28},
    // MISC
    {"Check1", 24, 52, 170, 22},
    {"Combo9", 200, 51, 54, 220},
    {"Combo10", 260, 51, 54, 220},
    {"Check6", 24, 88, 170, 22},
    {"Combo11", 200, 87, 54, 220},
    {"Combo12", 260, 87, 54, 220},
    {"Combo13", 330, 87, 54, 220},
    {"Combo14", 390, 87, 54, 220},
    {"Check2", 24, 124, 250, 22},
    {"Text2", 24, 160, 480, 76},
    {"Label23", 24, 250, 300, 20},
    {"CmdMiscOK", 420, 312, 84, 28},
};

const Place* PlaceOf(const std::string& name) {
    for (const Place& p : kPlaces) {
        if (name == p.name)
            return &p;
    }
    return nullptr;
}

std::string WindowText(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

COLORREF ColorOf(uint32_t color) {
    return static_cast<COLORREF>(color);  // both keep red in the lowest byte
}

// Themed tab controls paint their pages in a colour the labels do not share; the pages are
// drawn plainly instead, when the theme library is there.
void PlainTheme(HWND hwnd) {
    HMODULE uxtheme = GetModuleHandleA("uxtheme.dll");
    if (uxtheme == nullptr)
        return;
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    auto fn = reinterpret_cast<SetWindowThemeFn>(
        reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetWindowTheme")));
    if (fn != nullptr)
        fn(hwnd, L"", L"");
}

bool WatchesMessages(const std::string& name) {
    return name == "Frame1" || name == "txtReboot" || name == "lstReboot" || name == "lstUrls" ||
           name == "txtInterval" || name == "txtUrl" || name == "Label23";
}

}  // namespace

Win32SettingsDialog::Win32SettingsDialog(App& app, HINSTANCE instance)
    : app_(app), instance_(instance) {
    faceBrush_ = UniqueGdiObject(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    windowBrush_ = UniqueGdiObject(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
}

Win32SettingsDialog::~Win32SettingsDialog() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        if (model_)
            model_->AttachView(nullptr);
        DestroyWindow(hwnd_);
    }
}

template <typename F>
void Win32SettingsDialog::Guarded(F&& f) {
    // No failure may travel out through a window procedure.
    Barrier(app_, std::forward<F>(f));
}

bool Win32SettingsDialog::IsDialogLoaded() const {
    return hwnd_ != nullptr && model_ && model_->Loaded();
}

void Win32SettingsDialog::LoadHidden() {
    if (IsDialogLoaded())
        return;
    if (hwnd_ != nullptr && IsWindow(hwnd_))
        DestroyWindow(hwnd_);  // a window left from a model that was closed elsewhere
    hwnd_ = nullptr;
    // The TimeSet of an earlier opening is only dropped here, never inside its own handlers.
    model_ = std::make_unique<TimeSet>(app_);
    controlsInitialised_ = false;
    model_->Form_Load();
    if (!CreateWindowFor(*model_)) {
        model_.reset();
        return;
    }
    model_->AttachView(this);
}

void Win32SettingsDialog::ShowDialog() {
    LoadHidden();
    if (!IsDialogLoaded())
        return;
    ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd_);
    if (!controlsInitialised_) {
        controlsInitialised_ = true;
        Guarded([&] { model_->ControlInit(); });
    }
}

void Win32SettingsDialog::UnloadDialog() {
    if (model_ && model_->Loaded())
        Guarded([&] { model_->Form_Unload(); });
}

void Win32SettingsDialog::SetFrame1Caption(const std::string& caption) {
    LoadHidden();
    if (IsDialogLoaded())
        model_->SetText("Frame1", caption);
}

bool Win32SettingsDialog::PreTranslate(MSG& msg) {
    if (hwnd_ == nullptr || !IsWindow(hwnd_))
        return false;
    if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))
        return false;
    return IsDialogMessageA(hwnd_, &msg) != FALSE;
}

HWND Win32SettingsDialog::ControlWindow(const std::string& name) const {
    for (const Slot& slot : slots_) {
        if (slot.name == name)
            return slot.hwnd;
    }
    return nullptr;
}

const Win32SettingsDialog::Slot* Win32SettingsDialog::SlotOf(HWND control) const {
    auto it = slotOf_.find(control);
    return it == slotOf_.end() ? nullptr : &slots_[it->second];
}

bool Win32SettingsDialog::CreateWindowFor(TimeSet& model) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Win32SettingsDialog::Proc;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_MAIN));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    WNDCLASSEXA page = wc;
    page.lpfnWndProc = &Win32SettingsDialog::PageProc;
    page.hIcon = nullptr;
    page.lpszClassName = kPageClassName;
    if (!RegisterClassExA(&page) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;

    HDC screen = GetDC(nullptr);
    dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
    dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpiX_ <= 0 || dpiY_ <= 0)
        dpiX_ = dpiY_ = 96;

    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, MulDiv(kClientWidth, dpiX_, 96), MulDiv(kClientHeight, dpiY_, 96)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;

    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    if (model.placeAtSavedPosition) {
        RECT saved{TwipsToPixels(model.position.left, dpiX_),
                   TwipsToPixels(model.position.top, dpiY_), 0, 0};
        saved.right = saved.left + width;
        saved.bottom = saved.top + height;
        // A place on a screen that is no longer attached would hide the dialog for good.
        if (MonitorFromRect(&saved, MONITOR_DEFAULTTONULL) != nullptr) {
            x = saved.left;
            y = saved.top;
        }
    }

    hwnd_ = nullptr;
    HWND created = CreateWindowExA(exStyle, kClassName, kTimeSetTitle, style, x, y, width, height,
                                   nullptr, nullptr, instance_, this);
    hwnd_ = created;
    if (hwnd_ == nullptr)
        return false;

    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTA face{};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        face = metrics.lfMessageFont;
    } else {
        face.lfHeight = -MulDiv(8, dpiY_, 72);
        lstrcpynA(face.lfFaceName, "MS Shell Dlg", LF_FACESIZE);
    }
    font_ = UniqueGdiObject(CreateFontIndirectA(&face));
    LOGFONTA fixed{};
    fixed.lfHeight = -MulDiv(9, dpiY_, 72);
    fixed.lfWeight = FW_NORMAL;
    fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynA(fixed.lfFaceName, "Courier New", LF_FACESIZE);
    fixedFont_ = UniqueGdiObject(CreateFontIndirectA(&fixed));

    CreateControls(model);
    SelectPage(kPageTime);
    ReportPosition();
    return true;
}

void Win32SettingsDialog::CreateControls(TimeSet& model) {
    slots_.clear();
    slotOf_.clear();
    auto scaleX = [&](int v) { return MulDiv(v, dpiX_, 96); };
    auto scaleY = [&](int v) { return MulDiv(v, dpiY_, 96); };

    tab_ = CreateWindowExA(
        0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, scaleX(6),
        scaleY(6), scaleX(kClientWidth - 12), scaleY(kClientHeight - 12), hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabId)), instance_, nullptr);
    PlainTheme(tab_);
    SendMessageA(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    for (size_t i = 0; i < kTimeSetPages.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kTimeSetPages[i]);
        SendMessageA(tab_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }

    // The pages fill the tab control's display area, in the dialog's own colour.
    RECT display{};
    GetClientRect(tab_, &display);
    SendMessageA(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    MapWindowPoints(tab_, hwnd_, reinterpret_cast<POINT*>(&display), 2);
    pages_.clear();
    for (size_t i = 0; i < kTimeSetPages.size(); ++i) {
        HWND pageWindow =
            CreateWindowExA(WS_EX_CONTROLPARENT, kPageClassName, "", WS_CHILD | WS_CLIPSIBLINGS,
                            display.left, display.top, display.right - display.left,
                            display.bottom - display.top, hwnd_, nullptr, instance_, this);
        pages_.push_back(pageWindow);
    }

    const std::vector<Control>& controls = model.Controls();
    slots_.reserve(controls.size());
    for (size_t i = 0; i < controls.size(); ++i) {
        const Control& c = controls[i];
        const Place* place = PlaceOf(c.name);
        if (place == nullptr)
            continue;
        const char* cls = "STATIC";
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
        DWORD exStyle = 0;
        switch (c.kind) {
            case ControlKind::Label:
                style |= SS_LEFT | SS_NOTIFY;
                break;
            case ControlKind::Line:
                style |= SS_ETCHEDHORZ;
                break;
            case ControlKind::CheckBox:
                cls = "BUTTON";
                style |= BS_AUTOCHECKBOX | WS_TABSTOP;
                break;
            case ControlKind::Button:
                cls = "BUTTON";
                style |= BS_PUSHBUTTON | WS_TABSTOP;
                break;
            case ControlKind::Frame:
                cls = "BUTTON";
                style |= BS_GROUPBOX;
                break;
            case ControlKind::HourPicker:
            case ControlKind::MinutePicker:
                cls = "COMBOBOX";
                style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
                break;
            case ControlKind::ListBox:
                cls = "LISTBOX";
                style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
                exStyle |= WS_EX_CLIENTEDGE;
                break;
            case ControlKind::TextBox:
                cls = "EDIT";
                style |= ES_AUTOHSCROLL | WS_TABSTOP;
                if (c.multiLine)
                    style |= ES_MULTILINE | ES_AUTOVSCROLL;
                if (c.scrollBars)
                    style |= WS_VSCROLL | WS_HSCROLL;
                if (c.readOnly)
                    style |= ES_READONLY;
                if (!c.dialogBackground)
                    exStyle |= WS_EX_CLIENTEDGE;
                break;
        }
        if (c.page < 0 || c.page >= static_cast<int>(pages_.size()) || pages_[c.page] == nullptr)
            continue;
        style |= WS_VISIBLE;  // shown with its page
        HWND hwnd = CreateWindowExA(
            exStyle, cls, "", style, scaleX(place->x) - display.left,
            scaleY(place->y) - display.top, scaleX(place->w), scaleY(place->h), pages_[c.page],
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), instance_, nullptr);
        if (hwnd == nullptr)
            continue;
        SendMessageA(hwnd, WM_SETFONT,
                     reinterpret_cast<WPARAM>(c.fixedPitch ? fixedFont_.Get() : font_.Get()),
                     FALSE);
        slotOf_[hwnd] = slots_.size();
        slots_.push_back(Slot{c.name, hwnd, c.page, nullptr});
        Apply(c);
    }
    for (Slot& slot : slots_) {
        if (WatchesMessages(slot.name))
            Subclass(slot);
    }
    // Frames lie under the controls they hold, and the tab control under the pages, so each
    // control gets its own clicks and a frame only those on its empty parts.
    for (const Slot& slot : slots_) {
        if (model.Get(slot.name).kind == ControlKind::Frame)
            SetWindowPos(slot.hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SetWindowPos(tab_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32SettingsDialog::Subclass(Slot& slot) {
    SetWindowLongPtrA(slot.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    slot.oldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        slot.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32SettingsDialog::ControlProc)));
}

void Win32SettingsDialog::SelectPage(int page) {
    if (page < 0 || page >= static_cast<int>(kTimeSetPages.size()))
        return;
    page_ = page;
    if (tab_ != nullptr && SendMessageA(tab_, TCM_GETCURSEL, 0, 0) != page)
        SendMessageA(tab_, TCM_SETCURSEL, page, 0);
    for (size_t i = 0; i < pages_.size(); ++i)
        ShowWindow(pages_[i], static_cast<int>(i) == page ? SW_SHOWNA : SW_HIDE);
}

void Win32SettingsDialog::Apply(const Control& c) {
    HWND hwnd = ControlWindow(c.name);
    if (hwnd == nullptr)
        return;
    const bool wasApplying = applying_;
    applying_ = true;
    switch (c.kind) {
        case ControlKind::HourPicker:
        case ControlKind::MinutePicker:
            if (SendMessageA(hwnd, CB_GETCOUNT, 0, 0) != static_cast<LRESULT>(c.items.size())) {
                SendMessageA(hwnd, CB_RESETCONTENT, 0, 0);
                for (const std::string& item : c.items)
                    SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
            }
            SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(c.selected), 0);
            if (c.selected < 0 || WindowText(hwnd) != c.text)
                SetWindowTextA(hwnd, c.text.c_str());
            break;
        case ControlKind::ListBox:
            SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
            SendMessageA(hwnd, LB_RESETCONTENT, 0, 0);
            for (const std::string& item : c.items)
                SendMessageA(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
            SendMessageA(hwnd, LB_SETCURSEL, static_cast<WPARAM>(c.selected), 0);
            SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case ControlKind::CheckBox:
            SetWindowTextA(hwnd, c.text.c_str());
            SendMessageA(hwnd, BM_SETCHECK, c.value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case ControlKind::Line:
            break;
        default:
            if (WindowText(hwnd) != c.text)
                SetWindowTextA(hwnd, c.text.c_str());
            InvalidateRect(hwnd, nullptr, TRUE);  // the colour may have changed
            break;
    }
    applying_ = wasApplying;
}

void Win32SettingsDialog::ControlChanged(const Control& control) {
    Apply(control);
}

void Win32SettingsDialog::EnableInput(bool enabled) {
    if (hwnd_ != nullptr)
        EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void Win32SettingsDialog::CloseWindow() {
    HWND hwnd = hwnd_;
    if (model_)
        model_->AttachView(nullptr);
    hwnd_ = nullptr;
    if (hwnd != nullptr && IsWindow(hwnd))
        DestroyWindow(hwnd);
}

void Win32SettingsDialog::ReportPosition() {
    if (hwnd_ == nullptr || !model_ || IsIconic(hwnd_))
        return;
    RECT r{};
    if (!GetWindowRect(hwnd_, &r))
        return;
    model_->MovedTo(PixelsToTwips(r.top, dpiY_), PixelsToTwips(r.left, dpiX_));
}

void Win32SettingsDialog::OnCommand(int id, int code, HWND control) {
    const Slot* slot = SlotOf(control);
    if (slot == nullptr || id < kFirstControlId || !model_ || applying_)
        return;
    const std::string name = slot->name;  // the handler may close the window
    TimeSet& model = *model_;
    const Control& c = model.Get(name);
    Guarded([&] {
        switch (c.kind) {
            case ControlKind::Button:
                if (code == BN_CLICKED)
                    model.Click(name);
                break;
            case ControlKind::CheckBox:
                if (code == BN_CLICKED)
                    model.UserCheck(
                        name, SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
                break;
            case ControlKind::Label:
                if (code == STN_CLICKED)
                    model.Click(name);
                else if (code == STN_DBLCLK)
                    model.DblClick(name);
                break;
            case ControlKind::TextBox:
                if (code == EN_CHANGE)
                    model.UserText(name, WindowText(control));
                break;
            case ControlKind::ListBox:
                if (code == LBN_SELCHANGE)
                    model.UserSelect(name,
                                     static_cast<int>(SendMessageA(control, LB_GETCURSEL, 0, 0)));
                break;
            case ControlKind::HourPicker:
            case ControlKind::MinutePicker:
                if (code == CBN_EDITCHANGE)
                    model.UserText(name, WindowText(control));
                else if (code == CBN_SELCHANGE)
                    model.UserSelect(name,
                                     static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)));
                break;
            default:
                break;
        }
    });
}

HBRUSH Win32SettingsDialog::OnColor(HDC dc, HWND control, bool editLike) {
    const Slot* slot = SlotOf(control);
    if (slot == nullptr && model_) {
        // The edit field inside a picker reports for itself.
        slot = SlotOf(GetParent(control));
    }
    uint32_t color = kBlack;
    bool windowBackground = editLike;
    if (slot != nullptr && model_) {
        const Control& c = model_->Get(slot->name);
        color = c.color;
        if (c.kind == ControlKind::TextBox)
            windowBackground = !c.dialogBackground;
    }
    SetTextColor(dc, ColorOf(color));
    if (windowBackground) {
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return static_cast<HBRUSH>(windowBrush_.Get());
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return static_cast<HBRUSH>(faceBrush_.Get());
}

LRESULT CALLBACK Win32SettingsDialog::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* creator = static_cast<Win32SettingsDialog*>(create->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creator));
        creator->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<Win32SettingsDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    // A window that is being closed, or one of an earlier creation, is no longer served.
    if (self == nullptr || self->hwnd_ != hwnd)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    self->Guarded([&] { result = self->Handle(msg, wParam, lParam); });
    return result;
}

LRESULT Win32SettingsDialog::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;  // also swallows IDOK and IDCANCEL from Enter and Esc
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->hwndFrom == tab_ && header->code == TCN_SELCHANGE)
                SelectPage(static_cast<int>(SendMessageA(tab_, TCM_GETCURSEL, 0, 0)));
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<LRESULT>(
                OnColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), false));
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            return reinterpret_cast<LRESULT>(
                OnColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), true));
        case WM_MOVE:
            ReportPosition();
            return 0;
        case WM_CLOSE:
            // The close box: close steps without saving.
            UnloadDialog();
            return 0;
        case WM_DESTROY:
            if (hwnd_ != nullptr && model_) {
                // Destroyed from outside: this creation is over.
                model_->AttachView(nullptr);
                hwnd_ = nullptr;
            }
            return 0;
        default:
            return DefWindowProcA(hwnd_, msg, wParam, lParam);
    }
}

LRESULT CALLBACK Win32SettingsDialog::PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32SettingsDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr || self->hwnd_ == nullptr || GetParent(hwnd) != self->hwnd_)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
        // What the controls tell their page goes to the dialog.
        case WM_COMMAND:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: {
            LRESULT result = 0;
            self->Guarded([&] { result = self->Handle(msg, wParam, lParam); });
            return result;
        }
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK Win32SettingsDialog::ControlProc(HWND hwnd, UINT msg, WPARAM wParam,
                                                  LPARAM lParam) {
    auto* self = reinterpret_cast<Win32SettingsDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    const Slot* slot = self != nullptr ? self->SlotOf(hwnd) : nullptr;
    if (slot == nullptr || slot->oldProc == nullptr)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    self->Guarded([&] { result = self->HandleControl(*slot, msg, wParam, lParam); });
    return result;
}

LRESULT Win32SettingsDialog::HandleControl(const Slot& slot, UINT msg, WPARAM wParam,
                                           LPARAM lParam) {
    const std::string name = slot.name;
    HWND hwnd = slot.hwnd;
    WNDPROC oldProc = slot.oldProc;
    const bool enterBox = name == "txtInterval" || name == "txtUrl";
    switch (msg) {
        case WM_NCHITTEST:
            if (name == "Frame1")
                return HTCLIENT;  // a group box lets clicks through otherwise
            break;
        case WM_LBUTTONDBLCLK:
            if (name == "Frame1" || name == "txtReboot") {
                LRESULT result = CallWindowProcA(oldProc, hwnd, msg, wParam, lParam);
                if (model_)
                    Guarded([&] { model_->DblClick(name); });
                return result;
            }
            break;
        case WM_SETCURSOR:
            if (name == "Label23") {
                SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
                return TRUE;
            }
            break;
        case WM_GETDLGCODE:
            // Enter goes to the box itself, not to the dialog's keyboard handling.
            if (enterBox && lParam != 0 &&
                reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
                return CallWindowProcA(oldProc, hwnd, msg, wParam, lParam) | DLGC_WANTALLKEYS;
            break;
        case WM_CHAR:
            if (enterBox && wParam == VK_RETURN)
                return 0;  // no beep from a one-line box
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP: {  // with Alt held, Windows reports the key as a system key
            LRESULT result = CallWindowProcA(oldProc, hwnd, msg, wParam, lParam);
            if (model_)
                Guarded([&] { model_->KeyUp(name, static_cast<int>(wParam)); });
            return result;
        }
        case WM_NCDESTROY:
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc));
            return CallWindowProcA(oldProc, hwnd, msg, wParam, lParam);
        default:
            break;
    }
    return CallWindowProcA(oldProc, hwnd, msg, wParam, lParam);
}

}  // namespace qv::win32
