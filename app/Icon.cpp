#include "app/Icon.h"

#include "app/App.h"
#include "settings/FreeTime.h"

namespace qv {

void FillTrayIconRecord(App& app) {
    app.tray.TrayPicture = Picture::WindowIcon;
}

void UpdateTrayIcon(App& app) {
    Picture& picture = app.tray.TrayPicture;
    switch (app.IconState) {
        case 1:
            picture = Picture::Red;
            break;
        case 2:
        case 3:
            picture = Picture::Green;
            break;
        case 4:
            picture = Picture::Blue;
            break;
        case kErrorIconState:
            picture = Picture::Yellow;
            break;
        default:
            break;
    }
    app.os.tray.Change(picture, kTrayTip);
}

int32_t GetCurrentIconNo(App& app) {
    if (app.IconState != kErrorIconState) {
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
    tray.TrayPicture = kFrames[tray.AnimationFrameCount - 1];
    app.os.tray.Change(tray.TrayPicture, kTrayTip);
}

void tmrIconUpdate_Timer(App& app) {
    if (app.tray.AnimationRunning)
        return;
    GetCurrentIconNo(app);
    UpdateTrayIcon(app);
}

}  // namespace qv
