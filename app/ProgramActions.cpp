#include "app/ProgramActions.h"

#include "actions/Nic.h"
#include "actions/ShutMod.h"
#include "app/App.h"
#include "app/Icon.h"
#include "app/Scheduler.h"
#include "connectivity/PingInet.h"
#include "settings/SettingsDialogHost.h"
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
void ProgramActions::StartTrayAnimation() {
    TrayAnimate(app_);
}
bool ProgramActions::ReadCommandFile(const std::string& path) {
    return qv::ReadCommandFile(app_, path);
}

}  // namespace qv
