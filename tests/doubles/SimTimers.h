#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "platform/Clock.h"
#include "platform/Timers.h"

namespace qv::test {

// Window timers over a simulated clock. Time only moves when the test says so; the clock it
// drives moves with it. A timer that fell due several times while the thread was busy ticks
// once, as window timers do; a period of 0 is taken the way SetTimer takes it, as 10 ms.
class SimTimers : public TimerHost {
  public:
    explicit SimTimers(LocalTime& clock) : clock_(clock) {}

    std::map<int, uint32_t> running;  // timer id -> period
    std::function<void(int)> onTick;  // the window's tick handler
    bool recordTicks = true;
    std::vector<std::pair<int64_t, int>> ticks;  // (simulated ms, timer id) of every tick

    void Start(int timerId, uint32_t periodMs) override;
    void Stop(int timerId) override;

    // The thread is idle for `ms`: every tick that falls due is served at its time.
    void Run(int64_t ms);
    // The thread is busy for `ms`: time passes, nothing is served.
    void Block(int64_t ms);
    // Serves the ticks that are due now, once per timer, as a message pump does.
    void ServeDue();

    int64_t NowMs() const { return nowMs_; }
    // The simulated times of the ticks of one timer.
    std::vector<int64_t> TickTimes(int timerId) const;

  private:
    struct Due {
        int id;
        uint32_t period;
        int64_t at;
    };
    Due* Find(int timerId);
    void AdvanceTo(int64_t ms);
    void Fire(int timerId);

    LocalTime& clock_;
    std::vector<Due> due_;  // the running timers, in order of their ids
    int64_t nowMs_ = 0;
    int64_t clockFractionMs_ = 0;
};

// Adds seconds to a local time, across days, months and years.
LocalTime AddSeconds(const LocalTime& time, int64_t seconds);

}  // namespace qv::test
