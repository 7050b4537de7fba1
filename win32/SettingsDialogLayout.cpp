#include "win32/SettingsDialogLayout.h"

#include <commctrl.h>

#include <stdexcept>

namespace qv::win32 {
namespace {

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

// The window class and styles that present a control of this kind.
const char* ClassAndStyles(const Control& c, DWORD& style, DWORD& exStyle) {
    const char* cls = "STATIC";
    style = WS_CHILD | WS_CLIPSIBLINGS;
    exStyle = 0;
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
    return cls;
}

}  // namespace

SettingsDialogLayout::SettingsDialogLayout(std::vector<Control> description)
    : description_(std::move(description)) {
    const std::string fault = DescriptionFault(description_);
    if (!fault.empty())
        throw std::invalid_argument("settings dialog: " + fault);
}

HWND SettingsDialogLayout::Window(Ctl id) const {
    const auto i = static_cast<size_t>(id);
    return i < windows_.size() ? windows_[i] : nullptr;
}

std::optional<Ctl> SettingsDialogLayout::IdOf(HWND control) const {
    auto it = idOf_.find(control);
    if (it == idOf_.end())
        return std::nullopt;
    return it->second;
}

void SettingsDialogLayout::Create(HWND dialog, HINSTANCE instance, const char* pageClass,
                                  void* pageParam, int dpiX, int dpiY,
                                  const SettingsDialogLook& look) {
    windows_.assign(description_.size(), nullptr);
    idOf_.clear();
    auto scaleX = [&](int v) { return MulDiv(v, dpiX, 96); };
    auto scaleY = [&](int v) { return MulDiv(v, dpiY, 96); };

    tab_ = CreateWindowExA(
        0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, scaleX(6),
        scaleY(6), scaleX(kTimeSetClientWidth - 12), scaleY(kTimeSetClientHeight - 12), dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabId)), instance, nullptr);
    PlainTheme(tab_);
    SendMessageA(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(look.Font()), FALSE);
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
    MapWindowPoints(tab_, dialog, reinterpret_cast<POINT*>(&display), 2);
    pages_.clear();
    for (size_t i = 0; i < kTimeSetPages.size(); ++i) {
        HWND pageWindow =
            CreateWindowExA(WS_EX_CONTROLPARENT, pageClass, "", WS_CHILD | WS_CLIPSIBLINGS,
                            display.left, display.top, display.right - display.left,
                            display.bottom - display.top, dialog, nullptr, instance, pageParam);
        pages_.push_back(pageWindow);
    }

    for (size_t i = 0; i < description_.size(); ++i) {
        const Control& c = description_[i];
        DWORD style = 0;
        DWORD exStyle = 0;
        const char* cls = ClassAndStyles(c, style, exStyle);
        if (pages_[c.page] == nullptr)
            continue;
        style |= WS_VISIBLE;  // shown with its page
        const Place& place = c.place;
        HWND hwnd = CreateWindowExA(
            exStyle, cls, "", style, scaleX(place.x) - display.left, scaleY(place.y) - display.top,
            scaleX(place.w), scaleY(place.h), pages_[c.page],
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), instance, nullptr);
        if (hwnd == nullptr)
            continue;
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(look.FontFor(c)), FALSE);
        windows_[i] = hwnd;
        idOf_[hwnd] = c.id;
    }
    // Frames lie under the controls they hold, and the tab control under the pages, so each
    // control gets its own clicks and a frame only those on its empty parts.
    for (size_t i = 0; i < description_.size(); ++i) {
        if (windows_[i] != nullptr && description_[i].kind == ControlKind::Frame)
            SetWindowPos(windows_[i], HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SetWindowPos(tab_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SettingsDialogLayout::SelectPage(int page) {
    if (page < 0 || page >= static_cast<int>(kTimeSetPages.size()))
        return;
    page_ = page;
    if (tab_ != nullptr && SendMessageA(tab_, TCM_GETCURSEL, 0, 0) != page)
        SendMessageA(tab_, TCM_SETCURSEL, page, 0);
    for (size_t i = 0; i < pages_.size(); ++i)
        ShowWindow(pages_[i], static_cast<int>(i) == page ? SW_SHOWNA : SW_HIDE);
}

}  // namespace qv::win32
