#pragma once
#include <cstdint>

#include "platform/Clock.h"

namespace qv {

struct App;

// What the program has asked of Windows' power management, and what it saw of sleeps.
struct NightKeeperState {
    bool KeepingAwake = false;  // the keep-awake request is made
    bool WakeTimerSet = false;
    LocalTime WakeDue;          // the wake timer's time, while it is set
    bool GoingToSleep = false;  // "Computer Going to Sleep." written, no wake since
    bool TickSeen = false;
    uint64_t LastTickMs = 0;  // the steady clock at the last timer tick
    bool WakeSeen = false;
    uint64_t WokeAtMs = 0;  // the steady clock at the last wake
};

// More than this between two timer ticks and the program was not running: a sleep, a
// hibernation, a paused machine or a process frozen from outside.
inline constexpr uint64_t kTickGapWakeMs = 2 * 60 * 1000;

// The time the wake timer is set to for a window opening at `startHour`: one minute before the
// next opening after `now`.
LocalTime NextWakeTime(const LocalTime& now, int startHour);

// Makes the keep-awake request while the free window is open with the connectivity service
// and the keep-awake box on, and gives it back otherwise; each change is logged once.
void KeepAwakeAsAsked(App& app);
// Gives the keep-awake request back (the program ends).
void GiveBackKeepAwake(App& app);
// Sets the wake timer for the next window when the wake box is on and the window has hours
// of its own; cancels it when the box is off.
void ArmWakeTimer(App& app);

// Windows tells the computer goes to sleep.
void ComputerGoingToSleep(App& app);
// Windows tells the computer resumed; once per resume.
void ComputerResumed(App& app);
// Every timer tick: a gap of more than two minutes since the last one is a wake.
void NoteTimerTick(App& app);

}  // namespace qv
