#pragma once
#include <functional>
#include <string>

#include "actions/EventLog.h"
#include "actions/Nic.h"
#include "actions/ProgramPaths.h"
#include "actions/Traffic.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Ui.h"
#include "settings/GetSettings.h"
#include "settings/Settings.h"

namespace qv {

// What the settings dialog uses. Every member refers to something the program owns for as long
// as it runs; the three calls reach the parts of the program above the settings.
struct DialogContext {
    Ui& ui;
    Clock& clock;
    Process& process;
    FileSystem& files;
    Registry& registry;
    EventLog& log;
    const ProgramPaths& paths;
    DiagnosticSwitches& diag;
    const TrafficCounter& traffic;
    const SettingsAccess& access;  // the Settings record and its store
    const NicControl& nic;
    // Reads the modem's command file (the dialog shows the file it read).
    std::function<bool(const std::string& path)> readCommandFile;
    // Plays the command file at once, as a listed reboot time would, and returns what the user
    // is shown: the outcome's line, a refusal, or "" when the program is ending.
    std::function<std::string()> rebootNow;
    // Switches the service timers as the settings now ask.
    std::function<void()> armServiceTimers;
    // Runs the tray's animation once.
    std::function<void()> startTrayAnimation;
};

}  // namespace qv
