#include "app/frmIcon.h"

#include "actions/EventLog.h"
#include "app/App.h"
#include "app/Icon.h"
#include "settings/GetSettings.h"

namespace qv {

void RaiseThreadPriority(App& app) {
    app.os.process.RaiseThreadPriority();
}

void FrmIcon::Form_Load() {
    if (!app_.os.process.ClaimSingleInstance()) {
        app_.os.ui.ShowMessage(kAlreadyRunning, kAppTitle);
        app_.os.process.EndProcess();
    }
    RaiseThreadPriority(app_);
    app_.IconState = 1;
    GetCurrentIconNo(app_);
    FillTrayIconRecord(app_);
    InitGlobals(app_);
    GetSettings(app_);
    app_.actions().ArmServiceTimers();
    UpdateTrayIcon(app_);
    WriteLog(app_, app_.os.process.CommandLineArguments().empty() ? kStartedLine
                                                                  : kStartedWithWindowsLine);
}

void FrmIcon::Form_Activate() {
    app_.os.tray.Notify(TrayMessage::Add, app_.tray.TrayIconRecord);
}

void FrmIcon::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    app_.os.tray.Notify(TrayMessage::Delete, app_.tray.TrayIconRecord);
    app_.actions().StopSockets();
}

void FrmIcon::mExit_Click() {
    if (dialogCloser_)
        dialogCloser_();
    app_.os.tray.Notify(TrayMessage::Delete, app_.tray.TrayIconRecord);
    WriteLog(app_, kQuittingLine);
    Form_Unload();
    app_.os.process.EndProcess();
}

}  // namespace qv

namespace qv {

void FrmIcon::OnTimer(int) {}
void FrmIcon::OnTrayCallback(uint32_t) {}
void FrmIcon::OnMenuCommand(int) {}

}  // namespace qv
