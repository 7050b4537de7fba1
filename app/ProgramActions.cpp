#include "app/ProgramActions.h"

#include "app/App.h"

namespace qv {

void ProgramActions::SetServiceTimerIntervals() {}
void ProgramActions::ArmServiceTimers() {}
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
void ProgramActions::StartTrayAnimation() {}
bool ProgramActions::ReadCommandFile(const std::string&) {
    return false;
}

}  // namespace qv
