#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

#include "platform/Ui.h"

namespace qv::win32 {

// What the program was asked to do while one of its waits was under way, kept until the
// action around that wait has returned.
enum class EndRequest { None, Close, EndSession, Quit };

// How a wait that serves the window ended.
enum class WaitOutcome { Signalled, TimedOut, Ended };

class Win32Ui : public Ui {
  public:
    void ShowMessage(const std::string& text, const std::string& caption) override;
    void PumpMessages() override;
    // Serves the window until the time has passed.
    void Pause(uint32_t milliseconds) override;
    bool EndRequested() const override { return endRequest_ != EndRequest::None; }

    // Waits for `event` (nothing but the time when it is null) at most timeoutMs, serving the
    // window meanwhile. Ended at once, and whenever the program is asked to end meanwhile.
    WaitOutcome WaitServing(HANDLE event, uint32_t timeoutMs);

    // True while a wait, a pump or a message box of the program is under way: a message
    // handled now comes in the middle of an action.
    bool Waiting() const { return waits_ > 0; }
    // Keeps a request to end that came in the middle of an action, for TakeEndRequest. The
    // first request stays; a quit message's exit code goes with it.
    void RequestEnd(EndRequest request, int exitCode = 0);
    // The request kept, once; the main loop carries it out when the action has returned.
    EndRequest TakeEndRequest();
    int ExitCode() const { return exitCode_; }

    // Lets a modeless dialog take its keyboard messages first (IsDialogMessage).
    void SetDialogFilter(std::function<bool(MSG&)> filter) { dialogFilter_ = std::move(filter); }
    // Dispatches one message the way the main loop and the pump both do.
    void Dispatch(MSG& msg);

  private:
    class WaitScope;

    std::function<bool(MSG&)> dialogFilter_;
    int waits_ = 0;
    EndRequest endRequest_ = EndRequest::None;
    bool endTaken_ = false;
    int exitCode_ = 0;
};

}  // namespace qv::win32
