#include "app/ProgramActions.h"

#include "actions/ShutMod.h"
#include "app/App.h"
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
void ProgramActions::WriteNicBatches() {}
bool ProgramActions::ModemReachable() {
    return qv::ModemReachable(app_);
}
void ProgramActions::EnableNIC() {}
void ProgramActions::DisableNIC() {}
bool ProgramActions::RebootModem() {
    return qv::RebootModem(app_);
}
void ProgramActions::CheckConnectivity() {}
void ProgramActions::ShutDownPC() {
    qv::ShutDownPC(app_);
}
void ProgramActions::ShowSettingsDialog() {}
void ProgramActions::UnloadSettingsDialog() {}
void ProgramActions::SetNicFrameCaption(const std::string&) {}
void ProgramActions::StartTrayAnimation() {}

}  // namespace qv
