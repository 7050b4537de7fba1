#pragma once
#include <functional>

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
    // Runs first (the free window's end line).
    std::function<void()> beforeShutdown;
};

// Runs `beforeShutdown`, logs the traffic total when bytes were fetched, then has Windows shut
// down at once.
void ShutDownPC(const ShutdownControl& shut);

}  // namespace qv
