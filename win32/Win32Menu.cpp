#include "win32/Win32Menu.h"

#include "win32/Handles.h"

namespace qv::win32 {

int Win32Menu::TrackPopupAtCursor(const std::vector<MenuEntry>& entries) {
    if (window_ == nullptr)
        return 0;
    UniqueMenu menu(CreatePopupMenu());
    if (menu.Get() == nullptr)
        return 0;
    for (const MenuEntry& e : entries) {
        if (e.IsSeparator())
            AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu.Get(), MF_STRING, static_cast<UINT_PTR>(e.command), e.caption.c_str());
    }
    POINT at{};
    GetCursorPos(&at);
    // A tray program's menu only closes on a click elsewhere when its window is in front.
    SetForegroundWindow(window_);
    int command =
        static_cast<int>(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                        at.x, at.y, 0, window_, nullptr));
    // Lets the menu close properly the next time it is opened.
    PostMessageA(window_, WM_NULL, 0, 0);
    return command;
}

}  // namespace qv::win32
