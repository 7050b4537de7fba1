#pragma once
#include <windows.h>

namespace qv {
class FrmIcon;
}

namespace qv::win32 {

class Win32Sockets;
class Win32Tray;
class Win32Ui;
enum class EndRequest;

// The hidden top-level window "Icon Form" that owns the timers and receives the tray's
// callbacks. Its events go to the FrmIcon logic.
class MainWindow {
  public:
    static constexpr const char* kClassName = "QuorvaneIconForm";

    bool Create(HINSTANCE instance);
    void Connect(FrmIcon& form, Win32Tray& tray, Win32Sockets& sockets, Win32Ui& ui) {
        form_ = &form;
        tray_ = &tray;
        sockets_ = &sockets;
        ui_ = &ui;
    }
    // From now on the window's messages go to the default procedure: what it was connected to
    // is going away.
    void Disconnect() {
        form_ = nullptr;
        tray_ = nullptr;
        sockets_ = nullptr;
        ui_ = nullptr;
    }
    // Carries out a close request or the end of the session that came in the middle of an
    // action, now that the action has returned: as it would have been carried out at once.
    // A quit message's request is the main loop's.
    void EndAsRequested(EndRequest request);
    HWND Handle() const { return hwnd_; }
    ~MainWindow();

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    FrmIcon* form_ = nullptr;
    Win32Tray* tray_ = nullptr;
    Win32Sockets* sockets_ = nullptr;
    Win32Ui* ui_ = nullptr;
    UINT taskbarCreated_ = 0;
};

}  // namespace qv::win32
