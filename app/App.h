#pragma once
#include <cassert>
#include <cstdint>

#include "actions/EventLog.h"
#include "actions/Nic.h"
#include "actions/ProgramPaths.h"
#include "actions/ShutMod.h"
#include "actions/Traffic.h"
#include "app/Actions.h"
#include "app/FreeWindowWatch.h"
#include "app/Globals.h"
#include "app/Icon.h"
#include "app/NightKeeper.h"
#include "app/Scheduler.h"
#include "app/Timer.h"
#include "connectivity/ConnectivityState.h"
#include "connectivity/PingInet.h"
#include "modem/ModemContext.h"
#include "modem/ModemState.h"
#include "modem/TelNetCmds.h"
#include "platform/Platform.h"
#include "platform/Tray.h"
#include "settings/DialogContext.h"
#include "settings/GetSettings.h"
#include "settings/Settings.h"
#include "settings/SettingsDialogHost.h"

namespace qv {

// The tray icon's picture and animation state.
struct TrayState {
    Picture TrayPicture = Picture::WindowIcon;  // what the tray icon shows now
    bool AnimationRunning = false;
    int AnimationFrameCount = 0;
};

// The running program put together: its state, and each module wired to the parts of it that
// the module uses. One instance lives as long as the process; the main window's routines take it.
struct App {
    explicit App(Platform& platform);
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
    FreeWindowState freeWindow;
    NightKeeperState keeper;
    ActionRunning nightReport;  // "&NightReport" serves window messages while it reads

    // The modules, each with what it uses.
    EventLog log{os.files, os.clock, paths.LogPath, IconState};
    SettingsAccess settingsAccess{os.store, paths, log, settings};
    NicControl nicControl{os.files, os.process, paths, log};
    ShutdownControl shutdownControl{os.power, os.clock, log, traffic,
                                    [this] { EndFreeWindow(*this); }};
    ModemContext modemContext{os.sockets,
                              os.clock,
                              os.ui,
                              os.files,
                              log,
                              paths,
                              settings,
                              diag,
                              modem,
                              shutdownControl,
                              os.web,
                              os.hashes,
                              [this] { timers.tmrModemProof.SetEnabled(os.timers, true); }};
    ConnectivityContext connectivityContext{
        os.internet, os.clock, os.ui, os.files, log,          paths,
        settings,    diag,     net,   traffic,  modemContext, [this] { TrayAnimate(*this); }};
    DialogContext dialogContext{
        os.ui,
        os.clock,
        os.process,
        os.files,
        os.registry,
        log,
        paths,
        diag,
        traffic,
        settingsAccess,
        nicControl,
        [this](const std::string& path) { return ReadCommandFile(modemContext, path); },
        [this] { return RebootNow(*this); },
        [this] { actions().ArmServiceTimers(); },
        [this] { TrayAnimate(*this); }};

    Actions& actions() {
        assert(actions_ != nullptr);
        return *actions_;
    }
    void SetActions(Actions& actions) { actions_ = &actions; }

    // The window that presents the settings dialog; none until the main window made it.
    SettingsDialogHost* dialogHost() { return dialogHost_; }
    void SetDialogHost(SettingsDialogHost& host) { dialogHost_ = &host; }

  private:
    Actions* actions_ = nullptr;
    SettingsDialogHost* dialogHost_ = nullptr;
};

}  // namespace qv
