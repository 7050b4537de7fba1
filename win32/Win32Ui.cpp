#include "win32/Win32Ui.h"

namespace qv::win32 {

void Win32Ui::ShowMessage(const std::string& text, const std::string& caption) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}

void Win32Ui::Dispatch(MSG& msg) {
    if (dialogFilter_ && dialogFilter_(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void Win32Ui::PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit request for the main loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

void Win32Ui::Sleep(uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

}  // namespace qv::win32
