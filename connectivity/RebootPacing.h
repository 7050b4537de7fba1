#pragma once
#include "connectivity/PingInet.h"

namespace qv {

// The pacing of the three-minute rule, as the settings ask for it: a limit on reboots without
// a page in between, then a rest of some hours; and a grace after each of its reboots in which
// failures are not counted. With both settings at 0 the rule reboots whenever it falls due.

// A page opened: the count of reboots starts again and any rest or grace ends.
void PageOpened(const ConnectivityContext& ctx);

// True when a failed page counts towards the rule: not during the grace after its reboot. Once
// the grace is over the rule starts again as after a reboot made then.
bool FailureCounts(const ConnectivityContext& ctx);

// The rule is due: true when it may reboot now. When its reboots are spent it says so once,
// with the time its rest ends, and rests until then.
bool RuleMayReboot(const ConnectivityContext& ctx);

// The rule rebooted the modem: one more reboot counted, and the grace begins.
void RuleRebooted(const ConnectivityContext& ctx);

}  // namespace qv
