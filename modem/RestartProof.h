#pragma once
#include <cstdint>

#include "modem/ModemContext.h"

namespace qv {

// Whether a reboot that the script reported as done really restarted the modem, as its web
// port tells: a probe just before the reboot, then one every few seconds for five minutes.
// A modem that answered before and stops answering has restarted once it answers again; one
// that never stops did not restart; one that stops and stays silent did not come back. A modem
// that was not answering before proves nothing either way, and nothing is logged.
inline constexpr uint64_t kRestartWatchMs = 5 * 60 * 1000;

// Before the conversation: asks the modem's web port whether it answers now. A watch of an
// earlier reboot still under way first logs its verdict as it stands.
void ProbeBeforeReboot(const ModemContext& ctx);

// After the conversation: true when the watch begins (the reboot was done and the modem had
// answered before); the caller then calls RestartProofTick every few seconds.
bool WatchRestart(const ModemContext& ctx, bool rebooted);

// A probe's answer, as the watch sees it.
void RestartProofAnswer(const ModemContext& ctx, bool connected);

// One tick of the watch: starts the next probe, or ends the watch once its five minutes are
// over. False when no watch is under way any more.
bool RestartProofTick(const ModemContext& ctx);

}  // namespace qv
