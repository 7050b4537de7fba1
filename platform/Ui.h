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
    // Waits the given time while window messages are served; ends at once when the program was
    // asked to end.
    virtual void Pause(uint32_t milliseconds) = 0;
    // True once the program was asked to end (a close request, the end of the Windows session
    // or a quit message) while an action was under way. From then on every wait of the
    // platform ends at once as failed, and the action stops without a failure line; the
    // program ends as asked when the action has returned.
    virtual bool EndRequested() const = 0;
};

}  // namespace qv
