#pragma once
#include <cstdint>

namespace qv {

class TimerHost;

// The main window's timers, by the identifiers the platform layer starts them with.
enum TimerId : int {
    kTmrMinuteAlarm = 1,
    kTmrShut = 2,
    kTmrModem = 3,
    kTmrPing = 4,
    kTmrNIC = 5,
    kTmrIconUpdate = 6,
    kTmrIconAni = 7,
    kTmrModemProof = 8,
};

// The longest period a window timer accepts (USER_TIMER_MAXIMUM).
inline constexpr uint32_t kMaxTimerPeriod = 0x7FFFFFFF;

// A window timer as the program sees it: a period and an on switch. It ticks only while it is
// on with a period above 0; a period of 0 is never handed to the platform, where it would mean
// "as fast as possible". Changing the period of a running timer re-arms it, so the new period
// counts from then on. Switching on a timer that is already on changes nothing, so a running
// period is not restarted.
class FormTimer {
  public:
    explicit FormTimer(int id) : id_(id) {}

    int Id() const { return id_; }
    uint32_t Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    // True when the timer is on and has a period, that is when ticks can arrive.
    bool Ticking() const { return enabled_ && interval_ > 0; }

    void SetInterval(TimerHost& host, uint32_t periodMs);
    void SetEnabled(TimerHost& host, bool on);

  private:
    void Apply(TimerHost& host);

    int id_;
    uint32_t interval_ = 0;
    bool enabled_ = false;
};

// The eight timers of frmIcon.
struct FormTimers {
    FormTimer tmrMinuteAlarm{kTmrMinuteAlarm};
    FormTimer tmrShut{kTmrShut};
    FormTimer tmrModem{kTmrModem};
    FormTimer tmrPing{kTmrPing};
    FormTimer tmrNIC{kTmrNIC};
    FormTimer tmrIconUpdate{kTmrIconUpdate};
    FormTimer tmrIconAni{kTmrIconAni};
    // Probes the modem's web port while the watch over a reboot is under way.
    FormTimer tmrModemProof{kTmrModemProof};

    // The timer with this identifier, or nullptr.
    FormTimer* Find(int timerId);
};

struct App;

// Gives the timers the periods they have when the window is created and starts the two that
// are always on: the minute alarm (60 s) and the tray refresh (30 s).
void CreateFormTimers(App& app);

}  // namespace qv
