#include "tests/doubles/SimTimers.h"

#include <algorithm>

namespace qv::test {
namespace {

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

}  // namespace

LocalTime AddSeconds(const LocalTime& t, int64_t seconds) {
    int64_t ofDay = t.hour * 3600 + t.minute * 60 + t.second + seconds;
    if (ofDay >= 0 && ofDay < 86400) {
        LocalTime r = t;
        r.hour = static_cast<int>(ofDay / 3600);
        r.minute = static_cast<int>(ofDay / 60 % 60);
        r.second = static_cast<int>(ofDay % 60);
        return r;
    }
    int64_t total = DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 +
                    t.second + seconds;
    int64_t days = total >= 0 ? total / 86400 : (total - 86399) / 86400;
    int64_t rest = total - days * 86400;
    LocalTime r;
    CivilFromDays(days, r.year, r.month, r.day);
    r.hour = static_cast<int>(rest / 3600);
    r.minute = static_cast<int>(rest / 60 % 60);
    r.second = static_cast<int>(rest % 60);
    return r;
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
    starts.emplace_back(timerId, periodMs);
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
