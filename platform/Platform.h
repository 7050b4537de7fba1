#pragma once
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Hashes.h"
#include "platform/Internet.h"
#include "platform/Power.h"
#include "platform/Menu.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/SettingsStore.h"
#include "platform/Sockets.h"
#include "platform/Timers.h"
#include "platform/Tray.h"
#include "platform/Ui.h"
#include "platform/WebRequests.h"

namespace qv {

// Everything the program's logic asks of the operating system, one interface per concern.
// The Win32 build fills it with the real implementations, the tests with doubles.
struct Platform {
    Clock& clock;
    FileSystem& files;
    SettingsStore& store;
    Process& process;
    Ui& ui;
    TimerHost& timers;
    Tray& tray;
    Internet& internet;
    Registry& registry;
    Sockets& sockets;
    Power& power;
    Menu& menu;
    Hashes& hashes;
    WebRequests& web;
};

}  // namespace qv
