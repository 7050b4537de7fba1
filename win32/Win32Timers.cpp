#include "win32/Win32Timers.h"

namespace qv::win32 {

void Win32Timers::Start(int timerId, uint32_t periodMs) {
    if (window_ == nullptr || periodMs == 0)
        return;  // a zero period would fire every 10 ms
    SetTimer(window_, static_cast<UINT_PTR>(timerId), periodMs, nullptr);
}

void Win32Timers::Stop(int timerId) {
    if (window_ == nullptr)
        return;
    KillTimer(window_, static_cast<UINT_PTR>(timerId));
}

}  // namespace qv::win32
