#include "app/ProgramActions.h"

#include "actions/Nic.h"
#include "app/App.h"
#include "connectivity/PingInet.h"
#include "settings/SettingsDialogHost.h"

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
void ProgramActions::ShowSettingsDialog() {
    if (dialog_ != nullptr)
        dialog_->ShowDialog();
}
void ProgramActions::UnloadSettingsDialog() {
    if (dialog_ != nullptr)
        dialog_->UnloadDialog();
}
void ProgramActions::SetNicFrameCaption(const std::string& caption) {
    if (dialog_ != nullptr)
        dialog_->SetFrame1Caption(caption);
}
void ProgramActions::StartTrayAnimation() {}
bool ProgramActions::ReadCommandFile(const std::string&) {
    return false;
}

}  // namespace qv
