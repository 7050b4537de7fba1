#include "app/frmIcon.h"

#include "actions/FileHelpers.h"
#include "app/App.h"
#include "app/Barrier.h"
#include "app/FreeWindowWatch.h"
#include "app/Icon.h"
#include "app/NightKeeper.h"
#include "app/NightReport.h"
#include "app/PopupMenu.h"
#include "app/Scheduler.h"
#include "app/Timer.h"
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
    CreateFormTimers(app_);
    RaiseThreadPriority(app_);
    app_.IconState = 1;
    GetCurrentIconNo(app_);
    FillTrayIconRecord(app_);
    InitGlobals(app_);
    GetSettings(app_.settingsAccess);
    app_.actions().ArmServiceTimers();
    UpdateTrayIcon(app_);
    app_.log.WriteLog(app_.os.process.CommandLineArguments().empty() ? kStartedLine
                                                                     : kStartedWithWindowsLine);
    WatchFreeWindow(app_);
}

void FrmIcon::Form_Activate() {
    app_.os.tray.Show(app_.tray.TrayPicture, kTrayTip);
}

void FrmIcon::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    WriteEndLines();
    app_.os.tray.Remove();
    app_.actions().StopSockets();
}

void FrmIcon::WriteEndLines() {
    EndFreeWindow(app_);
    GiveBackKeepAwake(app_);
}

void FrmIcon::mExit_Click() {
    if (app_.dialogHost() != nullptr)
        app_.dialogHost()->UnloadDialog();
    app_.os.tray.Remove();
    WriteEndLines();
    app_.log.WriteLog(kQuittingLine);
    Form_Unload();
    app_.os.process.EndProcess();
}

}  // namespace qv

namespace qv {

void FrmIcon::mLog_Click() {
    std::string commandLine =
        WindowsDirectory(app_.os.files) + "\\Notepad.exe " + app_.paths.LogPath;
    if (!app_.os.process.StartProgram(commandLine, ShowCommand::Normal))
        app_.os.ui.ShowMessage(kNotepadFailed + app_.paths.LogPath, kAppTitle);
    app_.IconState = 1;
    GetCurrentIconNo(app_);
    UpdateTrayIcon(app_);
}

void FrmIcon::mSettings_Click() {
    if (app_.dialogHost() != nullptr)
        app_.dialogHost()->ShowDialog();
}

void FrmIcon::Form_MouseMove(uint32_t mouseMessage) {
    if (mouseMessage == kTrayLeftDoubleClick) {
        mSettings_Click();
    } else if (mouseMessage == kTrayRightButtonUp) {
        int command = app_.os.menu.TrackPopupAtCursor(PopupSysEntries());
        if (command != 0)
            ServeMenuCommand(command);
    }
}

void FrmIcon::OnTimer(int timerId) {
    Barrier(app_, [&] { ServeTimer(timerId); });
}

void FrmIcon::ServeTimer(int timerId) {
    NoteTimerTick(app_);
    // A tick queued before its timer was switched off is dropped.
    FormTimer* timer = app_.timers.Find(timerId);
    if (timer == nullptr || !timer->Ticking())
        return;
    switch (timerId) {
        case kTmrMinuteAlarm:
            tmrMinuteAlarm_Timer(app_);
            break;
        case kTmrShut:
            tmrShut_Timer(app_);
            break;
        case kTmrModem:
            tmrModem_Timer(app_);
            break;
        case kTmrPing:
            tmrPing_Timer(app_);
            break;
        case kTmrNIC:
            tmrNIC_Timer(app_);
            break;
        case kTmrIconUpdate:
            tmrIconUpdate_Timer(app_);
            break;
        case kTmrIconAni:
            tmrIconAni_Timer(app_);
            break;
        case kTmrModemProof:
            tmrModemProof_Timer(app_);
            break;
        default:
            break;
    }
}

void FrmIcon::OnPowerBroadcast(uint32_t event) {
    Barrier(app_, [&] {
        if (event == kPowerSuspend)
            ComputerGoingToSleep(app_);
        else if (event == kPowerResumeAutomatic)
            ComputerResumed(app_);
    });
}

void FrmIcon::OnTrayCallback(uint32_t mouseMessage) {
    Barrier(app_, [&] { Form_MouseMove(mouseMessage); });
}

void FrmIcon::OnMenuCommand(int commandId) {
    Barrier(app_, [&] { ServeMenuCommand(commandId); });
}

void FrmIcon::ServeMenuCommand(int commandId) {
    switch (commandId) {
        case kCmdLog:
            mLog_Click();
            break;
        case kCmdNightReport:
            MakeNightReport(app_);
            break;
        case kCmdSettings:
            mSettings_Click();
            break;
        case kCmdExit:
            mExit_Click();
            break;
        default:
            break;
    }
}

}  // namespace qv
