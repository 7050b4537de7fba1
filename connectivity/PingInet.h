#pragma once
#include <cstddef>
#include <string>

#include <functional>

#include "actions/EventLog.h"
#include "actions/ProgramPaths.h"
#include "actions/Traffic.h"
#include "connectivity/ConnectivityState.h"
#include "modem/ModemContext.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Internet.h"
#include "platform/Ui.h"
#include "settings/Settings.h"

namespace qv {

// What the connectivity watch uses. Every member refers to something the program owns for as
// long as it runs.
struct ConnectivityContext {
    Internet& internet;
    Clock& clock;
    Ui& ui;
    FileSystem& files;
    EventLog& log;
    const ProgramPaths& paths;
    const Settings& settings;
    const DiagnosticSwitches& diag;
    ConnectivityState& net;
    TrafficCounter& traffic;
    // The modem that three minutes without a page reboot.
    const ModemContext& modem;
    // Runs after every page that came (the tray's animation).
    std::function<void()> pageFetched;
};

// Size of the one read buffer a fetch uses.
inline constexpr size_t kPageReadSize = 20480;
// The most of a page's text that a saved page keeps: its start.
inline constexpr size_t kSavedPageLimit = 1 << 20;

// Fetches the next page of the page list; after three failures in a row and three minutes
// without a success it reboots the modem. A call made while a check is still under way (from
// the window messages it lets run) does nothing.
void CheckConnectivity(const ConnectivityContext& ctx);

// Downloads one entry of the page list (a built-in home page through its search page) and
// adds its bytes to the traffic total. True when at least one byte was received. Writes the
// diagnostic files when their switches are on.
bool FetchPage(const ConnectivityContext& ctx, const std::string& url);

}  // namespace qv
