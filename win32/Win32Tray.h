#pragma once
#include <windows.h>
#include <shellapi.h>

#include <array>
#include <functional>
#include <string>
#include <utility>

#include "platform/Tray.h"
#include "win32/Handles.h"

namespace qv::win32 {

// The notification area through Shell_NotifyIconA, with the pictures from the resources. It
// keeps the one record it sends: the first layout's size, the main window, id 1, message, icon
// and tip flags, the window's mouse-move message as the callback, the picture's icon and the
// tip in the first layout's 64 bytes.
class Win32Tray : public Tray {
  public:
    // Shell_NotifyIconA, or a test's stand-in.
    using NotifyCall = std::function<BOOL(DWORD message, NOTIFYICONDATAA* record)>;

    explicit Win32Tray(NotifyCall notify = &::Shell_NotifyIconA) : notify_(std::move(notify)) {}

    void Attach(HWND window, HINSTANCE instance);
    // NIM_ADD, NIM_MODIFY and NIM_DELETE; the shell's result is not looked at.
    void Show(Picture picture, const std::string& tip) override;
    void Change(Picture picture, const std::string& tip) override;
    void Remove() override;

    // Sends the last record again with NIM_ADD (the shell lost its icons).
    void Readd();
    // The icon a picture is shown with.
    HICON Icon(Picture picture) const;

  private:
    void Send(DWORD message);
    void Take(Picture picture, const std::string& tip);

    NotifyCall notify_;
    std::array<UniqueIcon, 9> icons_;  // in the order of Picture
    NOTIFYICONDATAA record_{};
    bool added_ = false;
};

}  // namespace qv::win32
