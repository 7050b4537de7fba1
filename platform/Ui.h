#pragma once
#include <cstdint>
#include <string>

namespace qv {

// The window-system services the logic needs beyond its own windows.
class Ui {
  public:
    virtual ~Ui() = default;
    // Modal message box with an OK button only; returns when it is closed.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // Processes the window messages that are pending now, timer ticks included.
    virtual void PumpMessages() = 0;
    // Blocks the thread; no messages are processed meanwhile.
    virtual void Sleep(uint32_t milliseconds) = 0;
};

}  // namespace qv
