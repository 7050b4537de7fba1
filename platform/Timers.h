#pragma once
#include <cstdint>

namespace qv {

// Window timers of the main window, addressed by a small number. A started timer ticks
// through the owner's tick handler until it is stopped; starting it again restarts its
// period.
class TimerHost {
  public:
    virtual ~TimerHost() = default;
    virtual void Start(int timerId, uint32_t periodMs) = 0;
    virtual void Stop(int timerId) = 0;
};

}  // namespace qv
