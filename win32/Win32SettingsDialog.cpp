#include "win32/Win32SettingsDialog.h"

#include "app/App.h"
#include "res/resource.h"
#include "settings/Twips.h"

namespace qv::win32 {

Win32SettingsDialog::Win32SettingsDialog(App& app, HINSTANCE instance)
    : app_(app), instance_(instance), layout_(TimeSetControls()) {}

Win32SettingsDialog::~Win32SettingsDialog() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        if (model_)
            model_->AttachView(nullptr);
        DestroyWindow(hwnd_);
    }
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
    model_ = std::make_unique<TimeSet>(app_.dialogContext);
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
    else
        CloseWindow();  // the window came up after its model was unloaded: nothing to save
}

void Win32SettingsDialog::SetFrame1Caption(const std::string& caption) {
    LoadHidden();
    if (IsDialogLoaded())
        model_->SetText(Ctl::Frame1, caption);
}

bool Win32SettingsDialog::PreTranslate(MSG& msg) {
    if (hwnd_ == nullptr || !IsWindow(hwnd_))
        return false;
    if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))
        return false;
    return IsDialogMessageA(hwnd_, &msg) != FALSE;
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
    RECT frame{0, 0, MulDiv(kTimeSetClientWidth, dpiX_, 96),
               MulDiv(kTimeSetClientHeight, dpiY_, 96)};
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

    look_.CreateFonts(dpiY_);
    hooks_.clear();
    layout_.Create(hwnd_, instance_, kPageClassName, this, dpiX_, dpiY_, look_);
    for (const Control& c : model.Controls())
        Apply(c);
    HookControls();
    SelectPage(kPageTime);
    ReportPosition();
    return true;
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

}  // namespace qv::win32
