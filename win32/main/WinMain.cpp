// Quorvane Helper: the Windows program. Builds the platform layer, the program state and the
// hidden main window, runs start-up and then the message loop.
#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "app/App.h"
#include "app/Barrier.h"
#include "app/ProgramActions.h"
#include "app/frmIcon.h"
#include "platform/Platform.h"
#include "win32/MainWindow.h"
#include "win32/Win32Clock.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32Hashes.h"
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
#include "win32/Win32WebRequests.h"

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
    Win32Internet internet(ui);
    Win32Registry registry;
    Win32Sockets sockets(ui);
    Win32Power power;
    Win32Menu menu;
    Win32Hashes hashes;
    Win32WebRequests web(ui);

    MainWindow window;
    if (!window.Create(instance))
        return 1;
    timers.Attach(window.Handle());
    tray.Attach(window.Handle(), instance);
    menu.Attach(window.Handle());

    Platform platform{clock,    files,    store,   process, ui,   timers, tray,
                      internet, registry, sockets, power,   menu, hashes, web};
    App app(platform);
    ProgramActions actions(app);
    app.SetActions(actions);
    FrmIcon form(app);
    std::optional<Win32SettingsDialog> dialog;
    sockets.Attach(window.Handle());
    window.Connect(form, tray, sockets, ui);
    // The window was made before the program it calls into and goes after it: it is cut off
    // first, so that no message of its last moments reaches an object that has gone.
    struct Disconnect {
        MainWindow& window;
        ~Disconnect() { window.Disconnect(); }
    } disconnect{window};

    // Start-up has its own barrier: a failure there is logged and shown, and the program ends.
    const bool started = StartupBarrier(app, [&] {
        form.Form_Load();
        dialog.emplace(app, instance);
        app.SetDialogHost(*dialog);
        ui.SetDialogFilter([&dialog](MSG& msg) { return dialog->PreTranslate(msg); });
        form.Form_Activate();
    });
    if (!started) {
        ui.SetDialogFilter(nullptr);
        Barrier(app, [&] { form.Form_Unload(); });
        return 1;
    }
    ShowWindow(window.Handle(), SW_HIDE);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ui.Dispatch(msg);
        // A request to end that came in the middle of an action is carried out now that the
        // action has returned.
        const EndRequest request = ui.TakeEndRequest();
        if (request == EndRequest::Quit)
            PostQuitMessage(ui.ExitCode());
        else if (request != EndRequest::None)
            window.EndAsRequested(request);
    }
    // The loop ends when the window has gone (a close, the end of the session), or on a quit
    // message while it lives (one posted from outside, or kept from the middle of an action):
    // that one ends the program as "&Exit" does.
    if (IsWindow(window.Handle()))
        Barrier(app, [&] { form.mExit_Click(); });
    return 0;
}
