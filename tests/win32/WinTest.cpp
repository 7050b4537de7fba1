// The program's windows against the real system, driven by real window messages: the main window
// with the tray's records, its barrier and its waits; the settings dialog against its
// description. WinINet, a close in the middle of a conversation, the shutdown and the digests
// are shown end to end (tests/e2e).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/FreeWindowWatch.h"
#include "app/frmIcon.h"
#include "win32/MainWindow.h"
#include "win32/OffThreadCall.h"
#include "win32/Win32SettingsDialog.h"
#include "win32/Win32Power.h"
#include "win32/Win32Sockets.h"
#include "win32/Win32Ui.h"
#include "win32/Win32Tray.h"
#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

using Items = std::vector<std::string>;

// The words, blank-separated.
template <typename... T>
std::string Words(const T&... words) {
    std::ostringstream out;
    ((out << words << ' '), ...);
    return out.str();
}

std::string TextOf(HWND hwnd) {
    char buffer[512] = {};
    return std::string(buffer, GetWindowTextA(hwnd, buffer, sizeof buffer));
}

// The hidden main window over the doubles, connected to the real tray (each record kept as the
// shell gets it: the message, the first layout's fields and the tip's bytes), Ui and sockets;
// destroyed at the end, its quit message taken off the queue again.
struct Main {
    Main() {
        t.InitPaths();
        EXPECT_TRUE(window.Create(GetModuleHandleA(nullptr)));
        tray.Attach(window.Handle(), GetModuleHandleA(nullptr));
        window.Connect(form, tray, sockets, ui);
    }
    ~Main() {
        DestroyWindow(window.Handle());
        for (MSG msg; PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);) {
        }
    }
    TestApp t;
    FrmIcon form{t.app};
    win32::MainWindow window;
    Items sent;
    win32::Win32Tray tray{[this](DWORD message, NOTIFYICONDATAA* d) {
        sent.push_back(Words(message, d->cbSize, d->hWnd == window.Handle(), d->uID, d->uFlags,
                             d->uCallbackMessage, d->hIcon) +
                       std::string(d->szTip, sizeof d->szTip));
        return TRUE;
    }};
    win32::Win32Ui ui;
    win32::Win32Sockets sockets{ui};
};

// The tray's records, the barrier and Windows' power messages posted to the window: the sleep and
// one wake, whatever other resume message comes with it. Then real loopback sockets, to a listener
// that never accepts and whose queue is full once one connection is in: a wait serves the
// window; a call on a helper thread ends at its bound; a probe's outcome is its own socket's, so
// a late message of a closed probe whose socket value the next probe got is dropped.
TEST(MainWindow, SendsTheTraysRecordsEndsFailuresAtItsBarrierTellsSleepAndWakeAndServesWaits) {
    Main m;
    // The tip's bytes: its NUL, blanks, a NUL in the 64th; nothing past the first layout.
    auto record = [&](int message, Picture picture, std::string tip) {
        tip = (tip + '\0').substr(0, 63);
        tip.resize(63, ' ');
        return Words(message, NOTIFYICONDATAA_V1_SIZE, 1, 1, 7, 512, m.tray.Icon(picture)) + tip +
               std::string(65, '\0');
    };
    const std::string tip = "Quorvane Helper by Dastrel.", x80(80, 'x');
    m.tray.Change(Picture::Red, tip);  // nothing added: nothing to change
    m.tray.Show(Picture::Green, tip);
    m.tray.Change(Picture::Yellow, x80);
    SendMessageA(m.window.Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    m.tray.Remove();
    EXPECT_EQ(
        m.sent,
        (Items{record(NIM_ADD, Picture::Green, tip), record(NIM_MODIFY, Picture::Yellow, x80),
               record(NIM_ADD, Picture::Yellow, x80), record(NIM_DELETE, Picture::Yellow, x80)}));

    m.t.actions.onCall = [](const std::string&) { throw std::length_error("too long"); };
    SendMessageA(m.window.Handle(), 0x200, 0, kTrayLeftDoubleClick);  // it serves on (below)
    m.t.actions.onCall = nullptr;
    for (WPARAM event : {PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND})
        PostMessageA(m.window.Handle(), WM_POWERBROADCAST, event, 0);
    for (MSG msg; PeekMessageA(&msg, m.window.Handle(), 0, 0, PM_REMOVE);)
        DispatchMessageA(&msg);
    EXPECT_EQ(m.t.LogMessages(), (Items{"Unexpected Error : too long", "Computer Going to Sleep.",
                                        "Computer Woke Up."}));

    ASSERT_TRUE(m.sockets.Start());
    m.sockets.Attach(m.window.Handle());
    win32::UniqueSocket peer(socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in a{AF_INET, 0, {{{127, 0, 0, 1}}}, {}};
    int size = sizeof a;
    bind(peer.Get(), reinterpret_cast<sockaddr*>(&a), size);
    listen(peer.Get(), 0);
    getsockname(peer.Get(), reinterpret_cast<sockaddr*>(&a), &size);
    SocketId c = kNoSocket;
    ASSERT_TRUE(m.sockets.Connect(c, "127.0.0.1", ntohs(a.sin_port), 5000));
    PostMessageA(m.window.Handle(), kTrayCallbackMessage, 0, kTrayRightButtonUp);
    EXPECT_EQ(m.sockets.Receive(c, 100, 300), "");
    EXPECT_EQ(m.t.menu.shown.size(), 1u);  // the menu opened during the wait
    // A call on a helper thread that takes too long is abandoned at its bound.
    EXPECT_FALSE(win32::OffThreadCall::Run(m.ui, 300, [] { Sleep(60000); }));

    SocketId closed = kNoSocket;
    std::string answers;
    auto answer = [&](SocketId probe, bool connected) {
        answers += std::to_string(probe == closed) + std::to_string(connected) + " ";
        m.sockets.Close(probe);
    };
    ASSERT_TRUE(m.sockets.StartConnect(closed, "127.0.0.1", ntohs(a.sin_port), 1000, answer));
    // As a late "connected" of an earlier probe with the same socket value would come.
    PostMessageA(m.window.Handle(), win32::Win32Sockets::kConnectMessage,
                 static_cast<WPARAM>(m.sockets.Handle(closed)), WSAMAKESELECTREPLY(FD_CONNECT, 0));
    for (MSG msg; answers.empty() && GetMessageA(&msg, nullptr, 0, 0) > 0;)
        m.ui.Dispatch(msg);
    EXPECT_EQ(answers, "10 ");
}

// The keep-awake request and the wake timer as the system gets them: the flags, the due time
// (UTC, absolute: the local time as the stand-in converter leaves it) and the resume flag.
TEST(Win32Power, AsksForTheSystemNotTheDisplayAndSetsATimerThatResumes) {
    Items calls;
    win32::AwakeCalls awake = win32::AwakeCalls::System();  // a real timer
    awake.SetThreadExecutionState = [&](EXECUTION_STATE flags) {
        calls.push_back(Words(std::hex, flags));  // the manipulator, a word of no text
        return EXECUTION_STATE{ES_CONTINUOUS};
    };
    awake.SetWaitableTimer = [&](HANDLE timer, const LARGE_INTEGER* due, BOOL resume) {
        calls.push_back(Words(timer != nullptr, due->QuadPart, resume));
        return TRUE;
    };
    awake.CancelWaitableTimer = [&](HANDLE) { return calls.push_back("cancel"), TRUE; };
    awake.LocalFileTimeToFileTime = [](const FILETIME* local, FILETIME* utc) {
        return *utc = *local, TRUE;
    };
    win32::Win32Power power(win32::ShutdownCalls::System(), awake);
    power.KeepSystemAwake(true);
    power.KeepSystemAwake(false);
    power.SetWakeTimer({2026, 12, 8, 1, 59, 0});
    power.SetWakeTimer({2027, 1, 1, 23, 59, 0});
    power.CancelWakeTimer();
    EXPECT_EQ(calls, (Items{" 80000001 ", " 80000000 ", "1 134411687400000000 1 ",
                            "1 134433215400000000 1 ", "cancel"}));
}

// The end of the session in the middle of a wait ends the wait and is kept until the action is
// over, then carried out as a close is; but the window's end line is written before the message
// returns (Windows may end the process then). Seen during the action and after it: the window,
// the actions, whether the icon was removed and the log. (A close request in the middle is shown
// end to end: the installer closes the program in the middle of a modem conversation.)
TEST(MainWindow, AnEndOfTheSessionInTheMiddleWaitsForTheActionButNotItsLines) {
    Main m;
    WatchFreeWindow(m.t.app);  // always free: the window opens
    m.t.actions.calls.clear();
    Items seen;
    auto look = [&] {
        const bool removed = !m.t.tray.calls.empty() && m.t.tray.calls.back() == "remove";
        seen.push_back(Words(IsWindow(m.window.Handle()), Join(m.t.actions.calls), removed) +
                       Join(m.t.LogMessages(), ";"));
    };
    PostMessageA(m.window.Handle(), WM_ENDSESSION, TRUE, 0);
    m.ui.Pause(30000);  // the action's wait, which the request ends
    look();
    m.window.EndAsRequested(m.ui.TakeEndRequest());
    look();
    const std::string lines =
        "Free Usage Time Started.;Free Usage Time Ended : 0 KB in 0 Pages, 0 Failed.";
    EXPECT_EQ(seen, (Items{"1  0 " + lines, "0 StopSockets 1 " + lines}));
}

// The settings dialog over the model. Every described control has its window with its id, on
// its page, at its place, showing what the model holds; the tabs are the description's pages.
// Then what the window's hooks on single controls see (keys released, double-clicks), the barrier
// in the dialog's procedures, and its place, kept in twips.
TEST(SettingsDialog, IsLaidOutAsDescribedAndItsHooksReachTheModel) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    TestApp t;
    t.InitPaths();
    t.store.Put("frmTop", "1500");
    t.store.Put("frmLeft", "3000");
    GetSettings(t.app.settingsAccess);
    win32::Win32SettingsDialog dialog{t.app, GetModuleHandleA(nullptr)};
    auto control = [&](Ctl id) { return dialog.ControlWindow(id); };
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    dialog.SetFrame1Caption("Network Interface Settings 7");  // loads it hidden
    EXPECT_FALSE(IsWindowVisible(dialog.Window()));
    HWND tab = FindWindowExA(dialog.Window(), nullptr, WC_TABCONTROLA, nullptr);
    Items seen, described(kTimeSetPages.begin(), kTimeSetPages.end());
    char caption[32] = {};
    TCITEMA item{TCIF_TEXT, 0, 0, caption, sizeof caption, 0, 0};
    for (int i = 0; SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item)); ++i)
        seen.push_back(caption);
    std::map<HWND, int> pages;  // the window of each page, holding the page's controls only
    for (const qv::Control& c : TimeSetControls()) {
        HWND hwnd = control(c.id), page = GetParent(hwnd);
        RECT r{};
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, dialog.Window(), reinterpret_cast<POINT*>(&r), 2);
        // A picker's window is as high as its text field; an etched line sizes itself.
        const bool wide = c.kind != ControlKind::Line, high = wide && !c.IsPicker();
        const bool list = c.kind == ControlKind::ListBox;
        seen.push_back(Words(CtlName(c.id), GetDlgCtrlID(hwnd), GetParent(page) == dialog.Window(),
                             pages.emplace(page, c.page).first->second, r.left, r.top,
                             wide ? r.right - r.left : 0, high ? r.bottom - r.top : 0,
                             list ? "" : TextOf(hwnd)));
        described.push_back(Words(
            CtlName(c.id), 1000 + static_cast<int>(c.id), true, c.page, MulDiv(c.place.x, dpiX, 96),
            MulDiv(c.place.y, dpiY, 96), wide ? MulDiv(c.place.w, dpiX, 96) : 0,
            high ? MulDiv(c.place.h, dpiY, 96) : 0, list ? "" : dialog.Model()->Text(c.id)));
    }
    EXPECT_EQ(seen, described);
    RECT r{};
    GetWindowRect(dialog.Window(), &r);
    EXPECT_EQ(Words(r.left, r.top), Words(MulDiv(3000, dpiX, 1440), MulDiv(1500, dpiY, 1440)));
    SetWindowPos(dialog.Window(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dialog.ShowDialog();
    dialog.SelectPage(kPageNic);                       // the page's own controls only are shown
    SetWindowTextA(control(Ctl::txtInterval), "100");  // refused: "10" again
    seen = {TextOf(control(Ctl::Frame1)), TextOf(control(Ctl::txtInterval))};
    SetWindowTextA(control(Ctl::txtInterval), "45");
    SendMessageA(control(Ctl::txtInterval), WM_SYSKEYUP, VK_RETURN, 1 << 29);  // Alt+Enter
    HWND list = control(Ctl::lstReboot);
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 LPARAM(list));
    SendMessageA(list, WM_KEYUP, VK_DELETE, 0);  // takes the chosen entry
    SendMessageA(control(Ctl::Frame1), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    SendMessageA(control(Ctl::Label19), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    seen.push_back(TextOf(control(Ctl::lblInterval)));
    seen.push_back(Words(IsWindowVisible(control(Ctl::Combo1)),
                         IsWindowVisible(control(Ctl::Combo3)), t.app.diag.FetchLog,
                         t.app.diag.MinuteCountDisplay));
    t.actions.onCall = [](const std::string&) { throw std::runtime_error("no timers"); };
    SendMessageA(control(Ctl::CmdModemOK), BM_CLICK, 0, 0);
    t.actions.onCall = nullptr;
    SendMessageA(control(Ctl::CmdModemOK), BM_CLICK, 0, 0);  // OK stores all pages and closes
    EXPECT_EQ(seen, (Items{"Network Interface Settings 7", "10", "Current Setting is 45 Seconds.",
                           "0 1 1 1 "}));
    EXPECT_EQ(Words(Join(t.LogMessages()), dialog.IsDialogLoaded(), *t.store.Get("Reboot"),
                    *t.store.Get("PingInterval"), *t.store.Get("frmTop"), *t.store.Get("frmLeft")),
              Words("Unexpected Error : no timers", false, "02:03,02:05,07:53,07:55,07:57", 45,
                    MulDiv(30, 1440, dpiY), MulDiv(40, 1440, dpiX)));
}

}  // namespace
}  // namespace qv::test
