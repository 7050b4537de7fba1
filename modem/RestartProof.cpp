#include "modem/RestartProof.h"

#include <string>

#include "modem/TCPMod.h"

namespace qv {
namespace {

// What a watch that saw no restart tells.
const char* Verdict(const RestartWatch& watch) {
    return watch.wentDown ? "Modem did not Come Back." : "Modem did not Restart.";
}

}  // namespace

void ProbeBeforeReboot(const ModemContext& ctx) {
    RestartWatch& watch = ctx.modem.Restart;
    // A watch still under way ends with its verdict as it stands.
    if (watch.stage == RestartWatch::Stage::Watching)
        ctx.log.WriteLog(Verdict(watch));
    watch = RestartWatch{};
    watch.stage = RestartWatch::Stage::Before;
    StartModemProbe(ctx);
}

bool WatchRestart(const ModemContext& ctx, bool rebooted) {
    RestartWatch& watch = ctx.modem.Restart;
    const bool begins =
        rebooted && watch.stage == RestartWatch::Stage::Before && watch.answeredBefore;
    watch.stage = begins ? RestartWatch::Stage::Watching : RestartWatch::Stage::Idle;
    watch.sinceMs = ctx.clock.SteadyMs();
    return begins;
}

void RestartProofAnswer(const ModemContext& ctx, bool connected) {
    RestartWatch& watch = ctx.modem.Restart;
    switch (watch.stage) {
        case RestartWatch::Stage::Before:
            watch.answeredBefore = connected;
            break;
        case RestartWatch::Stage::Watching:
            if (!connected) {
                watch.wentDown = true;
            } else if (watch.wentDown) {
                watch.stage = RestartWatch::Stage::Idle;
                ctx.log.WriteLog("Modem Restarted in " +
                                 std::to_string((ctx.clock.SteadyMs() - watch.sinceMs) / 1000) +
                                 " Seconds.");
            }
            break;
        case RestartWatch::Stage::Idle:
            break;
    }
}

bool RestartProofTick(const ModemContext& ctx) {
    RestartWatch& watch = ctx.modem.Restart;
    if (watch.stage != RestartWatch::Stage::Watching)
        return false;
    if (ctx.clock.SteadyMs() - watch.sinceMs < kRestartWatchMs) {
        StartModemProbe(ctx);
        return true;
    }
    watch.stage = RestartWatch::Stage::Idle;
    ctx.log.WriteLog(Verdict(watch));
    return false;
}

}  // namespace qv
