#pragma once
#include <functional>

#include "actions/EventLog.h"
#include "actions/ProgramPaths.h"
#include "actions/ShutMod.h"
#include "modem/ModemState.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Hashes.h"
#include "platform/Sockets.h"
#include "platform/Ui.h"
#include "platform/WebRequests.h"
#include "settings/Settings.h"

namespace qv {

// What the modem's command file, its telnet or web conversation and its web-port probe use. Every
// member refers to something the program owns for as long as it runs.
struct ModemContext {
    Sockets& sockets;
    Clock& clock;
    Ui& ui;
    FileSystem& files;
    EventLog& log;
    const ProgramPaths& paths;
    const Settings& settings;
    const DiagnosticSwitches& diag;
    ModemState& modem;
    // A failed reboot shuts the computer down when SrvModemFail is on.
    const ShutdownControl& shutdown;
    // The web mode's requests and the digests of its logins.
    WebRequests& web;
    Hashes& hashes;
    // Runs when the watch over a reboot begins, so that its ticks start.
    std::function<void()> restartWatchBegins;
};

}  // namespace qv
