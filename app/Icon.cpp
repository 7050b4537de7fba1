#include "app/Icon.h"

#include <cstring>

#include "app/App.h"
#include "settings/FreeTime.h"

namespace qv {

void FillTrayIconRecord(App& app) {
    NotifyIconData& r = app.tray.TrayIconRecord;
    r.cbSize = app.os.tray.RecordSize();
    r.hWnd = app.os.tray.MainWindow();
    r.uID = 1;
    r.uFlags = 7;
    r.uCallbackMessage = kTrayCallbackMessage;
    r.hIcon = app.os.tray.MainWindowIcon();
    r.szTip.fill(' ');
    std::memcpy(r.szTip.data(), kTrayTip, std::strlen(kTrayTip) + 1);
}

void UpdateTrayIcon(App& app) {
    NotifyIconData& r = app.tray.TrayIconRecord;
    switch (app.IconState) {
        case 1:
            r.hIcon = app.os.tray.PictureIcon(Picture::Red);
            break;
        case 2:
        case 3:
            r.hIcon = app.os.tray.PictureIcon(Picture::Green);
            break;
        case 4:
            r.hIcon = app.os.tray.PictureIcon(Picture::Blue);
            break;
        case 5:
            r.hIcon = app.os.tray.PictureIcon(Picture::Yellow);
            break;
        default:
            break;
    }
    app.os.tray.Notify(TrayMessage::Modify, r);
}

int32_t GetCurrentIconNo(App& app) {
    if (app.IconState != 5) {
        if (IsFreeTime(app.settings, app.os.clock)) {
            app.IconState = app.KeepAliveActive ? 4 : 3;
        } else {
            app.IconState = app.actions().ModemReachable() ? 1 : 2;
        }
    }
    return app.IconState;
}

void TrayAnimate(App& app) {
    app.timers.tmrIconAni.SetEnabled(app.os.timers, true);
}

void tmrIconAni_Timer(App& app) {
    static constexpr Picture kFrames[] = {Picture::Frame1, Picture::Frame2, Picture::Frame3,
                                          Picture::Frame4};
    TrayState& tray = app.tray;
    tray.AnimationRunning = true;
    tray.AnimationFrameCount = (tray.AnimationFrameCount + 1) % 5;
    if (tray.AnimationFrameCount == 0) {
        tray.AnimationRunning = false;
        app.timers.tmrIconAni.SetEnabled(app.os.timers, false);
        UpdateTrayIcon(app);
        return;
    }
    tray.TrayIconRecord.hIcon = app.os.tray.PictureIcon(kFrames[tray.AnimationFrameCount - 1]);
    app.os.tray.Notify(TrayMessage::Modify, tray.TrayIconRecord);
}

void tmrIconUpdate_Timer(App& app) {
    if (app.tray.AnimationRunning)
        return;
    GetCurrentIconNo(app);
    UpdateTrayIcon(app);
}

}  // namespace qv
