#pragma once
#include <cstdint>

#include "actions/EventLog.h"
#include "actions/Traffic.h"
#include "platform/Clock.h"
#include "platform/Power.h"

namespace qv {

// What shutting the computer down uses.
struct ShutdownControl {
    Power& power;
    Clock& clock;
    EventLog& log;
    const TrafficCounter& traffic;
    int32_t& IsWinNT;  // 1 on a Windows NT-family system, set by CheckWinNT
};

// Logs the traffic total when bytes were fetched, then has Windows shut down at once.
void ShutDownPC(const ShutdownControl& shut);

// A forced shutdown request, with the shutdown privilege enabled first on the NT family.
void ShutDownWindows(const ShutdownControl& shut);

// Enables the shutdown privilege in the process's token.
void EnableShutdownPrivilege(const ShutdownControl& shut);

// Sets IsWinNT: 1 on an NT-family system, 0 otherwise.
void CheckWinNT(const ShutdownControl& shut);

}  // namespace qv
