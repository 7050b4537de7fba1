#include "app/ProgramActions.h"

#include "app/App.h"
#include "app/Icon.h"
#include "app/Scheduler.h"

namespace qv {

void ProgramActions::SetServiceTimerIntervals() {
    qv::SetServiceTimerIntervals(app_);
}
void ProgramActions::ArmServiceTimers() {
    qv::ArmServiceTimers(app_);
}
void ProgramActions::StartSockets() {}
void ProgramActions::StopSockets() {}
void ProgramActions::WriteNicBatches() {}
bool ProgramActions::ModemReachable() {
    return false;
}
void ProgramActions::EnableNIC() {}
void ProgramActions::DisableNIC() {}
bool ProgramActions::RebootModem() {
    return false;
}
void ProgramActions::CheckConnectivity() {}
void ProgramActions::ShutDownPC() {}
void ProgramActions::ShowSettingsDialog() {}
void ProgramActions::UnloadSettingsDialog() {}
void ProgramActions::SetNicFrameCaption(const std::string&) {}
void ProgramActions::StartTrayAnimation() {
    TrayAnimate(app_);
}

}  // namespace qv
