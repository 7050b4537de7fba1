#include "tests/doubles/SimTimers.h"

#include <algorithm>
#include <chrono>

namespace qv::test {
LocalTime AddSeconds(const LocalTime& t, int64_t seconds) {
    using namespace std::chrono;
    const sys_seconds at = sys_days{year{t.year} / t.month / t.day} + hours{t.hour} +
                           minutes{t.minute} + std::chrono::seconds{t.second + seconds};
    const sys_days day = floor<days>(at);
    const year_month_day date{day};
    const hh_mm_ss time{at - day};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count()),
            static_cast<int>(time.seconds().count())};
}

SimTimers::Due* SimTimers::Find(int timerId) {
    for (Due& d : due_) {
        if (d.id == timerId)
            return &d;
    }
    return nullptr;
}

void SimTimers::Start(int timerId, uint32_t periodMs) {
    running[timerId] = periodMs;
    uint32_t period = periodMs < 10 ? 10 : periodMs;
    if (Due* d = Find(timerId)) {
        *d = {timerId, period, nowMs_ + period};
        return;
    }
    auto at = std::find_if(due_.begin(), due_.end(), [&](const Due& d) { return d.id > timerId; });
    due_.insert(at, {timerId, period, nowMs_ + period});
}

void SimTimers::Stop(int timerId) {
    running.erase(timerId);
    std::erase_if(due_, [&](const Due& d) { return d.id == timerId; });
}

void SimTimers::AdvanceTo(int64_t ms) {
    if (ms <= nowMs_)
        return;
    int64_t total = clockFractionMs_ + (ms - nowMs_);
    nowMs_ = ms;
    clockFractionMs_ = total % 1000;
    if (total >= 1000)
        clock_ = AddSeconds(clock_, total / 1000);
}

void SimTimers::Fire(int timerId) {
    Due& d = *Find(timerId);
    // Every period that went by while the tick waited is folded into this one tick.
    int64_t missed = (nowMs_ - d.at) / d.period;
    d.at += (missed + 1) * d.period;
    if (recordTicks)
        ticks.emplace_back(nowMs_, timerId);
    if (onTick)
        onTick(timerId);
}

void SimTimers::Run(int64_t ms) {
    int64_t end = nowMs_ + ms;
    for (;;) {
        const Due* next = nullptr;
        for (const Due& d : due_) {
            if (next == nullptr || d.at < next->at)
                next = &d;
        }
        if (next == nullptr || next->at > end)
            break;
        int id = next->id;
        AdvanceTo(next->at);
        Fire(id);
    }
    AdvanceTo(end);
}

void SimTimers::Block(int64_t ms) {
    AdvanceTo(nowMs_ + ms);
}

void SimTimers::ServeDue() {
    std::vector<int> dueNow;
    for (const Due& d : due_) {
        if (d.at <= nowMs_)
            dueNow.push_back(d.id);
    }
    for (int id : dueNow) {
        const Due* d = Find(id);
        if (d != nullptr && d->at <= nowMs_)
            Fire(id);
    }
}

std::vector<int64_t> SimTimers::TickTimes(int timerId) const {
    std::vector<int64_t> times;
    for (const auto& [at, id] : ticks) {
        if (id == timerId)
            times.push_back(at);
    }
    return times;
}

}  // namespace qv::test
