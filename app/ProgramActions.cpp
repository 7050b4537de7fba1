#include "app/ProgramActions.h"

#include "actions/Nic.h"
#include "actions/ShutMod.h"
#include "app/App.h"
#include "connectivity/PingInet.h"
#include "modem/ModemReboot.h"
#include "modem/TCPMod.h"

namespace qv {

void ProgramActions::SetServiceTimerIntervals() {}
void ProgramActions::ArmServiceTimers() {}
void ProgramActions::StartSockets() {
    qv::StartSockets(app_);
}
void ProgramActions::StopSockets() {
    qv::StopSockets(app_);
}
void ProgramActions::WriteNicBatches() {
    qv::WriteNicBatches(app_);
}
bool ProgramActions::ModemReachable() {
    return qv::ModemReachable(app_);
}
void ProgramActions::EnableNIC() {
    qv::EnableNIC(app_);
}
void ProgramActions::DisableNIC() {
    qv::DisableNIC(app_);
}
bool ProgramActions::RebootModem() {
    return qv::RebootModem(app_);
}
void ProgramActions::CheckConnectivity() {
    qv::CheckConnectivity(app_);
}
void ProgramActions::ShutDownPC() {
    qv::ShutDownPC(app_);
}
void ProgramActions::ShowSettingsDialog() {}
void ProgramActions::UnloadSettingsDialog() {}
void ProgramActions::SetNicFrameCaption(const std::string&) {}
void ProgramActions::StartTrayAnimation() {}

}  // namespace qv
