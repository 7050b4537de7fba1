#include "app/Timer.h"

#include "app/App.h"
#include "platform/Timers.h"

namespace qv {

void FormTimer::SetInterval(TimerHost& host, uint32_t periodMs) {
    if (periodMs > kMaxTimerPeriod)
        periodMs = kMaxTimerPeriod;
    if (periodMs == interval_)
        return;
    interval_ = periodMs;
    if (enabled_)
        Apply(host);
}

void FormTimer::SetEnabled(TimerHost& host, bool on) {
    if (on == enabled_)
        return;
    enabled_ = on;
    Apply(host);
}

void FormTimer::Apply(TimerHost& host) {
    if (Ticking())
        host.Start(id_, interval_);
    else
        host.Stop(id_);
}

FormTimer* FormTimers::Find(int timerId) {
    for (FormTimer* t : {&tmrMinuteAlarm, &tmrShut, &tmrModem, &tmrPing, &tmrNIC, &tmrIconUpdate,
                         &tmrIconAni, &tmrModemProof}) {
        if (t->Id() == timerId)
            return t;
    }
    return nullptr;
}

void CreateFormTimers(App& app) {
    TimerHost& host = app.os.timers;
    FormTimers& t = app.timers;
    t.tmrIconAni.SetInterval(host, 200);
    t.tmrMinuteAlarm.SetInterval(host, 60000);
    t.tmrIconUpdate.SetInterval(host, 30000);
    t.tmrModemProof.SetInterval(host, 5000);
    t.tmrMinuteAlarm.SetEnabled(host, true);
    t.tmrIconUpdate.SetEnabled(host, true);
}

}  // namespace qv
