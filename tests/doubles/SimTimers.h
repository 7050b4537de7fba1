#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>

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
    uint64_t* steadyMs = nullptr;     // a steady clock that moves with this one, if any

    void Start(int timerId, uint32_t periodMs) override {
        running[timerId] = periodMs;
        due_[timerId] = nowMs_ + std::max<uint32_t>(periodMs, 10);
    }
    void Stop(int timerId) override {
        running.erase(timerId);
        due_.erase(timerId);
    }
    // The thread is idle for `ms`: every tick that falls due is served at its time, the lower
    // timer id first among equal times.
    void Run(int64_t ms) {
        const int64_t end = nowMs_ + ms;
        for (;;) {
            auto next = std::min_element(due_.begin(), due_.end(),
                                         [](auto& a, auto& b) { return a.second < b.second; });
            if (next == due_.end() || next->second > end)
                break;
            Block(std::max<int64_t>(next->second - nowMs_, 0));  // overdue after a Block
            Fire(next->first);
        }
        Block(end - nowMs_);
    }
    // The thread is busy for `ms`: time passes, nothing is served.
    void Block(int64_t ms) {
        nowMs_ += ms;
        if (steadyMs != nullptr)
            *steadyMs += static_cast<uint64_t>(ms);
        fractionMs_ += ms;
        clock_ = AddSeconds(clock_, fractionMs_ / 1000);
        fractionMs_ %= 1000;
    }
    // Adds seconds to a local time, across days, months and years.
    static LocalTime AddSeconds(const LocalTime& t, int64_t seconds) {
        using namespace std::chrono;
        const sys_seconds at = sys_days{year{t.year} / t.month / t.day} + hours{t.hour} +
                               minutes{t.minute} + std::chrono::seconds{t.second + seconds};
        const sys_days day = floor<days>(at);
        const year_month_day date{day};
        const hh_mm_ss time{at - day};
        return {
            int{date.year()},          int(unsigned{date.month()}), int(unsigned{date.day()}),
            int(time.hours().count()), int(time.minutes().count()), int(time.seconds().count())};
    }

  private:
    void Fire(int timerId) {
        // Every period that went by while the tick waited is folded into this one tick.
        const int64_t period = std::max<uint32_t>(running[timerId], 10);
        due_[timerId] += ((nowMs_ - due_[timerId]) / period + 1) * period;
        if (onTick)
            onTick(timerId);
    }

    LocalTime& clock_;
    std::map<int, int64_t> due_;  // timer id -> when it falls due next
    int64_t nowMs_ = 0, fractionMs_ = 0;
};

}  // namespace qv::test
