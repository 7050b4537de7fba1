#include "app/ProgramActions.h"

#include "actions/Nic.h"
#include "actions/ShutMod.h"
#include "app/App.h"
#include "app/Icon.h"
#include "app/Scheduler.h"
#include "connectivity/PingInet.h"
#include "modem/ModemReboot.h"
#include "modem/TCPMod.h"
#include "modem/TelNetCmds.h"

namespace qv {

void ProgramActions::SetServiceTimerIntervals() {
    qv::SetServiceTimerIntervals(app_);
}
void ProgramActions::ArmServiceTimers() {
    qv::ArmServiceTimers(app_);
}
void ProgramActions::StartSockets() {
    qv::StartSockets(app_.modemContext);
}
void ProgramActions::StopSockets() {
    qv::StopSockets(app_.modemContext);
}
void ProgramActions::WriteNicBatches() {
    qv::WriteNicBatches(app_.nicControl);
}
bool ProgramActions::ModemReachable() {
    return qv::ModemReachable(app_.modemContext);
}
void ProgramActions::EnableNIC() {
    qv::EnableNIC(app_.nicControl);
}
void ProgramActions::DisableNIC() {
    qv::DisableNIC(app_.nicControl);
}
bool ProgramActions::RebootModem() {
    return qv::RebootModem(app_.modemContext);
}
void ProgramActions::CheckConnectivity() {
    qv::CheckConnectivity(app_.connectivityContext);
}
void ProgramActions::ShutDownPC() {
    qv::ShutDownPC(app_.shutdownControl);
}
}  // namespace qv
