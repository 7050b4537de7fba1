#pragma once
#include "modem/ModemContext.h"

namespace qv {

// Whether a failed reboot may shut the computer down: as SrvModemFail says, or never (a trial).
enum class FailureShutdown { AsSet, Never };

// Reboots the modem by playing the command file's WAIT/SEND pairs over telnet, or its web steps
// as web requests. True when every step was played; false after a failure, which has been logged
// (and, with SrvModemFail on and `shutdown` AsSet, the computer shut down). A call made while a
// conversation is already running (from a window message handled in the middle of it) is refused:
// false, nothing logged, nothing else touched.
bool RebootModem(const ModemContext& ctx, FailureShutdown shutdown = FailureShutdown::AsSet);

}  // namespace qv
