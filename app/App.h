#pragma once
#include <cassert>
#include <cstdint>

#include "app/Actions.h"
#include "app/Globals.h"
#include "app/Scheduler.h"
#include "app/Timer.h"
#include "connectivity/ConnectivityState.h"
#include "connectivity/Traffic.h"
#include "modem/ModemState.h"
#include "platform/Platform.h"
#include "platform/Tray.h"
#include "settings/Settings.h"

namespace qv {

// The tray icon's picture and animation state.
struct TrayState {
    Picture TrayPicture = Picture::WindowIcon;  // what the tray icon shows now
    bool AnimationRunning = false;
    int AnimationFrameCount = 0;
};

// The whole state of the running program. One instance lives as long as the process and is
// handed to every routine.
struct App {
    explicit App(Platform& platform) : os(platform) {}
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    Platform& os;
    ProgramPaths paths;
    Settings settings;
    int32_t IconState = 0;
    DiagnosticSwitches diag;
    TrayState tray;
    bool KeepAliveActive = false;
    ConnectivityState net;
    TrafficCounter traffic;
    ModemState modem;
    int32_t MinuteCount = 0;  // minute-alarm ticks since start
    FormTimers timers;
    SchedulerState sched;

    Actions& actions() {
        assert(actions_ != nullptr);
        return *actions_;
    }
    void SetActions(Actions& actions) { actions_ = &actions; }

  private:
    Actions* actions_ = nullptr;
};

}  // namespace qv
