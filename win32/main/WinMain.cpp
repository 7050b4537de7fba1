// Quorvane Helper: the Windows program. Builds the platform layer, the program state and the
// hidden main window, runs start-up and then the message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/App.h"
#include "app/ProgramActions.h"
#include "app/frmIcon.h"
#include "platform/Platform.h"
#include "win32/MainWindow.h"
#include "win32/Win32Clock.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32Menu.h"
#include "win32/Win32Internet.h"
#include "win32/Win32Power.h"
#include "win32/Win32Process.h"
#include "win32/Win32Registry.h"
#include "win32/Win32SettingsDialog.h"
#include "win32/Win32SettingsStore.h"
#include "win32/Win32Sockets.h"
#include "win32/Win32Timers.h"
#include "win32/Win32Tray.h"
#include "win32/Win32Ui.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace qv;
    using namespace qv::win32;

    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Clock clock;
    Win32FileSystem files;
    Win32SettingsStore store;
    Win32Process process;
    Win32Ui ui;
    Win32Timers timers;
    Win32Tray tray;
    Win32Internet internet;
    Win32Registry registry;
    Win32Sockets sockets;
    Win32Power power;
    Win32Menu menu;

    MainWindow window;
    if (!window.Create(instance))
        return 1;
    timers.Attach(window.Handle());
    tray.Attach(window.Handle(), instance);
    menu.Attach(window.Handle());

    Platform platform{clock, files,    store,    process, ui,    timers,
                      tray,  internet, registry, sockets, power, menu};
    App app(platform);
    ProgramActions actions(app);
    app.SetActions(actions);
    FrmIcon form(app);
    Win32SettingsDialog dialog(app, instance);
    app.SetDialogHost(dialog);
    ui.SetDialogFilter([&dialog](MSG& msg) { return dialog.PreTranslate(msg); });
    sockets.Attach(window.Handle());
    window.Connect(form, tray, sockets);

    form.Form_Load();
    form.Form_Activate();
    ShowWindow(window.Handle(), SW_HIDE);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        ui.Dispatch(msg);
    return 0;
}
