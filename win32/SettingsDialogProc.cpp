// The settings dialog's window and page procedures: what the controls report goes to the
// model, and what the model changes is written back into the controls.
#include "win32/Win32SettingsDialog.h"

#include <commctrl.h>

namespace qv::win32 {
namespace {

std::string WindowText(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

}  // namespace

void Win32SettingsDialog::Apply(const Control& c) {
    HWND hwnd = ControlWindow(c.id);
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

void Win32SettingsDialog::OnCommand(int id, int code, HWND control) {
    const std::optional<Ctl> which = layout_.IdOf(control);
    if (!which || id < kFirstControlId || !model_ || applying_)
        return;
    const Ctl ctl = *which;  // the handler may close the window
    TimeSet& model = *model_;
    const Control& c = model.Get(ctl);
    Guarded([&] {
        switch (c.kind) {
            case ControlKind::Button:
                if (code == BN_CLICKED)
                    model.Click(ctl);
                break;
            case ControlKind::CheckBox:
                if (code == BN_CLICKED)
                    model.UserCheck(
                        ctl, SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
                break;
            case ControlKind::Label:
                if (code == STN_CLICKED)
                    model.Click(ctl);
                else if (code == STN_DBLCLK)
                    model.DblClick(ctl);
                break;
            case ControlKind::TextBox:
                if (code == EN_CHANGE)
                    model.UserText(ctl, WindowText(control));
                break;
            case ControlKind::ListBox:
                if (code == LBN_SELCHANGE)
                    model.UserSelect(ctl,
                                     static_cast<int>(SendMessageA(control, LB_GETCURSEL, 0, 0)));
                break;
            case ControlKind::HourPicker:
            case ControlKind::MinutePicker:
                if (code == CBN_EDITCHANGE)
                    model.UserText(ctl, WindowText(control));
                else if (code == CBN_SELCHANGE)
                    model.UserSelect(ctl,
                                     static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)));
                break;
            default:
                break;
        }
    });
}

HBRUSH Win32SettingsDialog::OnColor(HDC dc, HWND control, bool editLike) {
    std::optional<Ctl> which = layout_.IdOf(control);
    if (!which && model_) {
        // The edit field inside a picker reports for itself.
        which = layout_.IdOf(GetParent(control));
    }
    const Control* c = which && model_ ? &model_->Get(*which) : nullptr;
    return look_.Paint(dc, c, editLike);
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
            HWND tab = layout_.Tab();
            if (header->hwndFrom == tab && header->code == TCN_SELCHANGE)
                SelectPage(static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0)));
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

}  // namespace qv::win32
