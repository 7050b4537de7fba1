#include "app/ProgramActions.h"

#include "actions/Nic.h"
#include "app/App.h"
#include "connectivity/PingInet.h"

namespace qv {

void ProgramActions::SetServiceTimerIntervals() {}
void ProgramActions::ArmServiceTimers() {}
void ProgramActions::StartSockets() {}
void ProgramActions::StopSockets() {}
void ProgramActions::WriteNicBatches() {
    qv::WriteNicBatches(app_);
}
bool ProgramActions::ModemReachable() {
    return false;
}
void ProgramActions::EnableNIC() {
    qv::EnableNIC(app_);
}
void ProgramActions::DisableNIC() {
    qv::DisableNIC(app_);
}
bool ProgramActions::RebootModem() {
    return false;
}
void ProgramActions::CheckConnectivity() {
    qv::CheckConnectivity(app_);
}
void ProgramActions::ShutDownPC() {}
void ProgramActions::ShowSettingsDialog() {}
void ProgramActions::UnloadSettingsDialog() {}
void ProgramActions::SetNicFrameCaption(const std::string&) {}
void ProgramActions::StartTrayAnimation() {}

}  // namespace qv
