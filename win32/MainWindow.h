#pragma once
#include <windows.h>

namespace qv {
class FrmIcon;
}

namespace qv::win32 {

class Win32Sockets;
class Win32Tray;

// The hidden top-level window "Icon Form" that owns the timers and receives the tray's
// callbacks. Its events go to the FrmIcon logic.
class MainWindow {
  public:
    static constexpr const char* kClassName = "QuorvaneIconForm";

    bool Create(HINSTANCE instance);
    void Connect(FrmIcon& form, Win32Tray& tray, Win32Sockets& sockets) {
        form_ = &form;
        tray_ = &tray;
        sockets_ = &sockets;
    }
    HWND Handle() const { return hwnd_; }
    ~MainWindow();

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    FrmIcon* form_ = nullptr;
    Win32Tray* tray_ = nullptr;
    Win32Sockets* sockets_ = nullptr;
    UINT taskbarCreated_ = 0;
};

}  // namespace qv::win32
