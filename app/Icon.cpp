#include "app/Icon.h"

#include <cstring>

#include "app/App.h"
#include "app/FreeTime.h"

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
        if (IsFreeTime(app)) {
            app.IconState = app.KeepAliveActive ? 4 : 3;
        } else {
            app.IconState = app.actions().ModemReachable() ? 1 : 2;
        }
    }
    return app.IconState;
}

}  // namespace qv
