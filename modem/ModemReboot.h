#pragma once
#include "modem/ModemContext.h"

namespace qv {

// Reboots the modem by playing the command file's WAIT/SEND pairs over telnet. True when
// every pair was played; false after a failure, which has been logged (and, with SrvModemFail
// on, the computer shut down). A call made while a conversation is already running (from a
// window message handled in the middle of it) is refused: false, nothing logged, nothing else
// touched.
bool RebootModem(const ModemContext& ctx);

}  // namespace qv
