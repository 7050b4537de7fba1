#include "win32/Win32Ui.h"

#include <algorithm>

namespace qv::win32 {

// Marks the program as being inside one of its waits for as long as it lives.
class Win32Ui::WaitScope {
  public:
    explicit WaitScope(Win32Ui& ui) : ui_(ui) { ++ui_.waits_; }
    ~WaitScope() { --ui_.waits_; }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

  private:
    Win32Ui& ui_;
};

void Win32Ui::ShowMessage(const std::string& text, const std::string& caption) {
    WaitScope waiting(*this);
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}

void Win32Ui::Dispatch(MSG& msg) {
    if (dialogFilter_ && dialogFilter_(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void Win32Ui::PumpMessages() {
    WaitScope waiting(*this);
    MSG msg;
    while (!EndRequested() && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Carried out by the main loop once the action around this pump has returned.
            RequestEnd(EndRequest::Quit, static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

void Win32Ui::Pause(uint32_t milliseconds) {
    WaitServing(nullptr, milliseconds);
}

WaitOutcome Win32Ui::WaitServing(HANDLE event, uint32_t timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    const DWORD handles = event != nullptr ? 1 : 0;
    for (;;) {
        if (EndRequested())
            return WaitOutcome::Ended;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) {
            const bool set = event != nullptr && WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
            return set ? WaitOutcome::Signalled : WaitOutcome::TimedOut;
        }
        const DWORD left = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, INFINITE - 1));
        const DWORD woke = MsgWaitForMultipleObjectsEx(handles, handles ? &event : nullptr, left,
                                                       QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (handles && woke == WAIT_OBJECT_0)
            return WaitOutcome::Signalled;
        if (woke == WAIT_OBJECT_0 + handles)
            PumpMessages();
        else if (woke == WAIT_FAILED)
            return WaitOutcome::TimedOut;
    }
}

void Win32Ui::RequestEnd(EndRequest request, int exitCode) {
    if (endRequest_ != EndRequest::None || request == EndRequest::None)
        return;
    endRequest_ = request;
    exitCode_ = exitCode;
}

EndRequest Win32Ui::TakeEndRequest() {
    if (endTaken_)
        return EndRequest::None;
    endTaken_ = endRequest_ != EndRequest::None;
    return endRequest_;
}

}  // namespace qv::win32
