// Keyboard and mouse hooks on single controls of the settings dialog: the released keys the
// lists and boxes act on, double-clicks on the frame and the command file, Enter in the
// one-line boxes and the contact label's hand cursor.
#include "win32/Win32SettingsDialog.h"

namespace qv::win32 {
namespace {

// The controls whose own messages are watched.
constexpr Ctl kHooked[] = {Ctl::Frame1, Ctl::txtReboot,   Ctl::lstReboot, Ctl::lstUrls,
                           Ctl::txtUrl, Ctl::txtInterval, Ctl::Label23};

}  // namespace

void Win32SettingsDialog::HookControls() {
    for (Ctl id : kHooked) {
        HWND hwnd = ControlWindow(id);
        if (hwnd == nullptr)
            continue;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        hooks_[hwnd] =
            Hook{id, reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                         hwnd, GWLP_WNDPROC,
                         reinterpret_cast<LONG_PTR>(&Win32SettingsDialog::ControlProc)))};
    }
}

LRESULT CALLBACK Win32SettingsDialog::ControlProc(HWND hwnd, UINT msg, WPARAM wParam,
                                                  LPARAM lParam) {
    auto* self = reinterpret_cast<Win32SettingsDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    auto it = self->hooks_.find(hwnd);
    if (it == self->hooks_.end() || it->second.oldProc == nullptr)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    const Hook hook = it->second;
    LRESULT result = 0;
    self->Guarded([&] { result = self->HandleControl(hwnd, hook, msg, wParam, lParam); });
    return result;
}

LRESULT Win32SettingsDialog::HandleControl(HWND hwnd, const Hook& hook, UINT msg, WPARAM wParam,
                                           LPARAM lParam) {
    const Ctl id = hook.id;
    WNDPROC oldProc = hook.oldProc;
    const bool enterBox = id == Ctl::txtInterval || id == Ctl::txtUrl;
    switch (msg) {
        case WM_NCHITTEST:
            if (id == Ctl::Frame1)
                return HTCLIENT;  // a group box lets clicks through otherwise
            break;
        case WM_LBUTTONDBLCLK:
            if (id == Ctl::Frame1 || id == Ctl::txtReboot) {
                LRESULT result = CallWindowProcA(oldProc, hwnd, msg, wParam, lParam);
                if (model_)
                    Guarded([&] { model_->DblClick(id); });
                return result;
            }
            break;
        case WM_SETCURSOR:
            if (layout_.Described(id).handCursor) {
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
                Guarded([&] { model_->KeyUp(id, static_cast<int>(wParam)); });
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
