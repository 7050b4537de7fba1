#include "win32/MainWindow.h"

#include "app/Barrier.h"
#include "app/Icon.h"
#include "app/frmIcon.h"
#include "win32/Win32Sockets.h"
#include "win32/Win32Tray.h"
#include "win32/Win32Ui.h"
#include "res/resource.h"

namespace qv::win32 {

bool MainWindow::Create(HINSTANCE instance) {
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &MainWindow::Proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kClassName;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    hwnd_ =
        CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, kMainWindowCaption, WS_OVERLAPPEDWINDOW,
                        CW_USEDEFAULT, CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance, this);
    return hwnd_ != nullptr;
}

MainWindow::~MainWindow() {
    if (hwnd_ != nullptr && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
}

LRESULT CALLBACK MainWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr || self->form_ == nullptr)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    self->hwnd_ = hwnd;
    LRESULT result = 0;
    Barrier(self->form_->app(), [&] { result = self->Handle(msg, wParam, lParam); });
    return result;
}

void MainWindow::EndAsRequested(EndRequest request) {
    if (form_ == nullptr || hwnd_ == nullptr || !IsWindow(hwnd_))
        return;
    if (request == EndRequest::Close) {
        SendMessageA(hwnd_, WM_CLOSE, 0, 0);
    } else if (request == EndRequest::EndSession) {
        // Windows ends the process once the session's end was answered; should it still run,
        // it ends as a close would end it.
        Barrier(form_->app(), [&] { form_->Form_Unload(); });
        DestroyWindow(hwnd_);
    }
}

LRESULT MainWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (taskbarCreated_ != 0 && msg == taskbarCreated_) {
        if (tray_ != nullptr)
            tray_->Readd();
        return 0;
    }
    // The outcome and the time-out of a modem probe.
    if (sockets_ != nullptr && sockets_->HandleMessage(msg, wParam, lParam))
        return 0;
    switch (msg) {
        case WM_TIMER:
            form_->OnTimer(static_cast<int>(wParam));
            return 0;
        case kTrayCallbackMessage:
            form_->OnTrayCallback(static_cast<uint32_t>(lParam));
            return 0;
        case WM_COMMAND:
            form_->OnMenuCommand(LOWORD(wParam));
            return 0;
        case WM_POWERBROADCAST:
            form_->OnPowerBroadcast(static_cast<uint32_t>(wParam));
            return TRUE;
        case WM_ENDSESSION:
            // In the middle of an action (a conversation, a fetch, a save) the action stops at
            // its wait first; the main loop unloads once it has returned. Windows may end the
            // process as soon as this message returns: the unload's lines are written now.
            if (wParam && ui_ != nullptr && ui_->Waiting()) {
                ui_->RequestEnd(EndRequest::EndSession);
                form_->WriteEndLines();
            } else if (wParam) {
                form_->Form_Unload();
            }
            return 0;
        case WM_CLOSE:
            if (ui_ != nullptr && ui_->Waiting()) {
                ui_->RequestEnd(EndRequest::Close);
                return 0;
            }
            form_->Form_Unload();
            DestroyWindow(hwnd_);
            return 0;
        case WM_DESTROY:
            form_->Form_Unload();
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd_, msg, wParam, lParam);
    }
}

}  // namespace qv::win32
