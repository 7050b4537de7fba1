#pragma once
#include <windows.h>

#include "platform/Menu.h"

namespace qv::win32 {

// Popup menus of the main window, built for each showing and destroyed after it.
class Win32Menu : public Menu {
  public:
    void Attach(HWND window) { window_ = window; }
    int TrackPopupAtCursor(const std::vector<MenuEntry>& entries) override;

  private:
    HWND window_ = nullptr;
};

}  // namespace qv::win32
