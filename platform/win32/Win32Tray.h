#pragma once
#include <windows.h>
#include <shellapi.h>

#include <array>

#include "platform/Tray.h"
#include "platform/win32/Handles.h"

namespace qv::win32 {

// The notification area through Shell_NotifyIconA, with the pictures from the resources.
class Win32Tray : public Tray {
  public:
    void Attach(HWND window, HINSTANCE instance);
    void Notify(TrayMessage message, const NotifyIconData& record) override;
    uint32_t RecordSize() override { return NOTIFYICONDATAA_V1_SIZE; }
    WindowHandle MainWindow() override { return reinterpret_cast<WindowHandle>(window_); }
    IconHandle MainWindowIcon() override;
    IconHandle PictureIcon(Picture picture) override;

    // Sends the last record again with NIM_ADD (the shell lost its icons).
    void Readd();

  private:
    HWND window_ = nullptr;
    std::array<UniqueIcon, 9> icons_;  // the main icon, then the eight pictures
    NotifyIconData last_{};
    bool added_ = false;
};

}  // namespace qv::win32
