#include "connectivity/RebootPacing.h"

#include "actions/NumberText.h"
#include "connectivity/DateTime.h"

namespace qv {

void PageOpened(const ConnectivityContext& ctx) {
    ConnectivityState& net = ctx.net;
    net.RuleReboots = 0;
    net.LimitReached = false;
    net.GraceRunning = false;
}

bool FailureCounts(const ConnectivityContext& ctx) {
    ConnectivityState& net = ctx.net;
    const LocalTime now = ctx.clock.Now();
    if (net.GraceRunning &&
        MinutesBetween(net.LastRuleReboot, now) >= ctx.settings.RebootGraceMinutes) {
        // The rule starts again as after a reboot made now: three failures and three minutes.
        net.GraceRunning = false;
        net.LastPageOK = now;
    }
    return !net.GraceRunning;
}

bool RuleMayReboot(const ConnectivityContext& ctx) {
    ConnectivityState& net = ctx.net;
    const Settings& s = ctx.settings;
    if (s.RebootLimitCount <= 0 || net.RuleReboots < s.RebootLimitCount)
        return true;
    const LocalTime now = ctx.clock.Now();
    if (!net.LimitReached) {
        net.LimitReached = true;
        net.LimitReachedAt = now;
        ctx.log.WriteLog("No Connectivity - Reboot Limit Reached, Next Reboot after " +
                         TimeText(((now.hour + s.RebootLimitHours) % 24 + 24) % 24, now.minute) +
                         ".");
        return false;
    }
    if (MinutesBetween(net.LimitReachedAt, now) < int64_t{s.RebootLimitHours} * 60)
        return false;
    net.RuleReboots = 0;
    net.LimitReached = false;
    return true;
}

void RuleRebooted(const ConnectivityContext& ctx) {
    ConnectivityState& net = ctx.net;
    ++net.RuleReboots;
    net.LastRuleReboot = ctx.clock.Now();
    net.GraceRunning = ctx.settings.RebootGraceMinutes > 0;
}

}  // namespace qv
