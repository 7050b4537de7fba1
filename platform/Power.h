#pragma once
#include "platform/Clock.h"

namespace qv {

// Switching the computer off, keeping it awake and waking it.
class Power {
  public:
    virtual ~Power() = default;
    // Has Windows shut the computer down at once, closing the running programs without asking
    // them, with the shutdown privilege enabled first where the system has privileges.
    // Returns at once; whether Windows went along is not reported.
    virtual void ShutDownWindows() = 0;
    // On: asks Windows to keep the computer running (never the display) until the request is
    // given back; off: gives it back.
    virtual void KeepSystemAwake(bool on) = 0;
    // Holds one timer that resumes the computer from sleep at the local time `due`, replacing
    // the time it held before.
    virtual void SetWakeTimer(const LocalTime& due) = 0;
    // Cancels the wake timer, if one is set.
    virtual void CancelWakeTimer() = 0;
};

}  // namespace qv
