#pragma once
#include <windows.h>

#include "platform/Timers.h"

namespace qv::win32 {

// Window timers on the main window; WM_TIMER carries the timer's number.
class Win32Timers : public TimerHost {
  public:
    void Attach(HWND window) { window_ = window; }
    void Start(int timerId, uint32_t periodMs) override;
    void Stop(int timerId) override;

  private:
    HWND window_ = nullptr;
};

}  // namespace qv::win32
