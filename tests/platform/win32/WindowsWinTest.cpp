// The program's windows driven by real window messages: the main window and its barrier, the
// timers, and the settings dialog against its description.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/frmIcon.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/Win32SettingsDialog.h"
#include "platform/win32/Win32Sockets.h"
#include "platform/win32/Win32Timers.h"
#include "platform/win32/Win32Tray.h"
#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

using Items = std::vector<std::string>;

std::string TextOf(HWND hwnd) {
    char buffer[512] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

TEST(MainWindow, PutsTheIconBackForANewTaskbarAndEndsFailuresAtItsBarrier) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    win32::MainWindow window;
    ASSERT_TRUE(window.Create(instance));
    test::TestApp t;
    t.InitPaths();
    FrmIcon form(t.app);
    std::vector<DWORD> sent;
    win32::Win32Tray tray(
        [&](DWORD message, NOTIFYICONDATAA*) { return sent.push_back(message), TRUE; });
    tray.Attach(window.Handle(), instance);
    win32::Win32Sockets sockets;
    window.Connect(form, tray, sockets);
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    SendMessageA(window.Handle(), taskbarCreated, 0, 0);  // not added yet: nothing to put back
    tray.Show(Picture::Green, "tip");
    SendMessageA(window.Handle(), taskbarCreated, 0, 0);
    tray.Remove();
    SendMessageA(window.Handle(), taskbarCreated, 0, 0);
    EXPECT_EQ(sent, (std::vector<DWORD>{NIM_ADD, NIM_ADD, NIM_DELETE}));

    // A window timer of period 0 is never set; any other is.
    win32::Win32Timers timers;
    timers.Attach(window.Handle());
    timers.Start(1, 0);
    timers.Start(2, 30000);
    EXPECT_FALSE(KillTimer(window.Handle(), 1));
    EXPECT_TRUE(KillTimer(window.Handle(), 2));

    t.actions.onCall = [](const std::string& name) {
        if (name == "ShowSettingsDialog")
            throw std::length_error("too long");
    };
    SendMessageA(window.Handle(), 0x200, 0, kTrayLeftDoubleClick);
    SendMessageA(window.Handle(), 0x200, 0, kTrayLeftDoubleClick);  // and it serves on
    EXPECT_EQ(t.LogMessages(), Items(2, "Unexpected Error : too long"));
    EXPECT_EQ(t.app.IconState, 5);
    // Closing the window posts the quit message; take it off this thread's queue again.
    DestroyWindow(window.Handle());
    for (MSG msg; PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);) {
    }
}

class SettingsDialogWinTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        t.InitPaths();
        GetSettings(t.app.settingsAccess);
        t.actions.calls.clear();
        HDC screen = GetDC(nullptr);
        dpiX = GetDeviceCaps(screen, LOGPIXELSX);
        dpiY = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    HWND Control(Ctl id) { return dialog.ControlWindow(id); }
    // What the control reports to its dialog when the user acts on it.
    void Notify(Ctl id, int code) {
        SendMessageA(GetParent(Control(id)), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(Control(id)), static_cast<WORD>(code)),
                     reinterpret_cast<LPARAM>(Control(id)));
    }
    // A key released; with Alt held Windows reports it as a system key.
    void KeyUp(Ctl id, WPARAM key, bool alt = false) {
        SendMessageA(Control(id), alt ? WM_SYSKEYUP : WM_KEYUP, key, alt ? 1 << 29 : 0);
    }
    test::TestApp t;
    win32::Win32SettingsDialog dialog{t.app, GetModuleHandleA(nullptr)};
    int dpiX = 96, dpiY = 96;
};

// Every described control has its window with its id, on its own page, at its place, showing
// what the model holds; the title and the tabs are the description's.
TEST_F(SettingsDialogWinTest, EveryDescribedControlIsLaidOut) {
    dialog.LoadHidden();
    ASSERT_TRUE(dialog.IsDialogLoaded());
    EXPECT_FALSE(IsWindowVisible(dialog.Window()));
    EXPECT_EQ(TextOf(dialog.Window()), kTimeSetTitle);
    HWND tab = FindWindowExA(dialog.Window(), nullptr, WC_TABCONTROLA, nullptr);
    ASSERT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 5);
    for (int i = 0; i < 5; ++i) {
        char caption[32] = {};
        TCITEMA item{TCIF_TEXT, 0, 0, caption, sizeof caption, 0, 0};
        SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(caption, kTimeSetPages[i]);
    }
    std::vector<HWND> pages(kTimeSetPages.size(), nullptr);
    for (const qv::Control& c : TimeSetControls()) {
        SCOPED_TRACE(CtlName(c.id));
        HWND hwnd = Control(c.id);
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(GetDlgCtrlID(hwnd), 1000 + static_cast<int>(c.id));
        EXPECT_EQ(GetParent(GetParent(hwnd)), dialog.Window());
        if (pages[c.page] == nullptr)
            pages[c.page] = GetParent(hwnd);
        EXPECT_EQ(GetParent(hwnd), pages[c.page]);
        RECT r{};
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, dialog.Window(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, MulDiv(c.place.x, dpiX, 96));
        EXPECT_EQ(r.top, MulDiv(c.place.y, dpiY, 96));
        // A picker's window is as high as its text field; an etched line sizes itself.
        const bool line = c.kind == ControlKind::Line, list = c.kind == ControlKind::ListBox;
        EXPECT_EQ(r.right - r.left, line ? r.right - r.left : MulDiv(c.place.w, dpiX, 96));
        EXPECT_EQ(r.bottom - r.top,
                  line || c.IsPicker() ? r.bottom - r.top : MulDiv(c.place.h, dpiY, 96));
        EXPECT_EQ(TextOf(hwnd), list ? TextOf(hwnd) : dialog.Model()->Text(c.id));
    }
    std::sort(pages.begin(), pages.end());
    EXPECT_EQ(std::unique(pages.begin(), pages.end()), pages.end());  // five pages

    // The window cannot be built from a description with a control it cannot place.
    std::vector<qv::Control> description = TimeSetControls();
    description[static_cast<size_t>(Ctl::Combo7)].place = {};
    try {
        win32::SettingsDialogLayout layout(description);
        ADD_FAILURE() << "laid out without a place for Combo7";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "settings dialog: Combo7 has no place");
    }
}

// What the window's hooks on single controls see (keys released, double-clicks), and the
// barrier in the dialog's procedures.
TEST_F(SettingsDialogWinTest, HooksReachTheModelAndItsAnswersTheWindow) {
    dialog.LoadHidden();
    dialog.Model()->ControlInit();
    ShowWindow(dialog.Window(), SW_SHOWNA);  // the page's own controls only are shown
    dialog.SelectPage(kPageNic);
    EXPECT_FALSE(IsWindowVisible(Control(Ctl::Combo1)));
    EXPECT_TRUE(IsWindowVisible(Control(Ctl::Combo3)));
    SetWindowTextA(Control(Ctl::txtInterval), "100");  // refused: message, then "10"
    EXPECT_EQ(t.ui.messages, Items{kIntervalRangeMessage});
    EXPECT_EQ(TextOf(Control(Ctl::txtInterval)), "10");
    SetWindowTextA(Control(Ctl::txtInterval), "45");
    KeyUp(Ctl::txtInterval, VK_RETURN, true);
    EXPECT_EQ(t.store.Get("PingInterval"), "45");
    EXPECT_EQ(TextOf(Control(Ctl::lblInterval)), "Current Setting is 45 Seconds.");
    for (bool alt : {false, true}) {  // Delete takes the chosen entry, with or without Alt
        SendMessageA(Control(Ctl::lstReboot), LB_SETCURSEL, 0, 0);
        Notify(Ctl::lstReboot, LBN_SELCHANGE);
        KeyUp(Ctl::lstReboot, VK_DELETE, alt);
    }
    SendMessageA(Control(Ctl::Frame1), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(t.app.diag.MinuteCountDisplay);
    SendMessageA(Control(Ctl::Label19), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_TRUE(t.app.diag.FetchLog);
    EXPECT_EQ(dialog.Model()->Get(Ctl::Label19).color, kRed);

    t.actions.onCall = [](const std::string&) { throw std::runtime_error("no timers"); };
    SendMessageA(Control(Ctl::CmdModemOK), BM_CLICK, 0, 0);
    EXPECT_EQ(t.LogMessages(), Items{"Unexpected Error : no timers"});
    t.actions.onCall = nullptr;
    SendMessageA(Control(Ctl::CmdModemOK), BM_CLICK, 0, 0);  // OK stores all pages and closes
    EXPECT_FALSE(dialog.IsDialogLoaded());
    EXPECT_EQ(t.store.Get("Reboot"), "02:05,07:53,07:55,07:57");
}

TEST_F(SettingsDialogWinTest, KeepsItsPlaceInTwipsAndOpensOnce) {
    t.store.Put("frmTop", "1500");
    t.store.Put("frmLeft", "3000");
    GetSettings(t.app.settingsAccess);
    dialog.SetFrame1Caption("Network Interface Settings 7");  // loads it hidden
    EXPECT_FALSE(IsWindowVisible(dialog.Window()));
    EXPECT_EQ(TextOf(Control(Ctl::Frame1)), "Network Interface Settings 7");
    RECT r{};
    GetWindowRect(dialog.Window(), &r);
    EXPECT_EQ(r.left, MulDiv(3000, dpiX, 1440));
    EXPECT_EQ(r.top, MulDiv(1500, dpiY, 1440));
    SetWindowPos(dialog.Window(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dialog.ShowDialog();
    SendMessageA(Control(Ctl::CmdTimeOK), BM_CLICK, 0, 0);
    EXPECT_EQ(t.store.Get("frmTop"), std::to_string(MulDiv(30, 1440, dpiY)));
    EXPECT_EQ(t.store.Get("frmLeft"), std::to_string(MulDiv(40, 1440, dpiX)));

    dialog.ShowDialog();
    HWND window = dialog.Window();
    dialog.ShowDialog();  // opening again shows the same dialog
    EXPECT_EQ(dialog.Window(), window);
    dialog.UnloadDialog();
}

// The client area's pixels as 0x00RRGGBB, top row first.
std::vector<uint32_t> Capture(HWND hwnd, BITMAPINFO& info) {
    RECT r{};
    GetClientRect(hwnd, &r);
    info.bmiHeader = {sizeof info.bmiHeader, r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> pixels(static_cast<size_t>(r.right) * r.bottom);
    HDC window = GetDC(hwnd), memory = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(window, r.right, r.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, r.right, r.bottom, window, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, r.bottom, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, window);
    for (uint32_t& p : pixels)
        p &= 0x00FFFFFFu;
    return pixels;
}

// Pictures of the five pages as shown; with QV_SCREENSHOT_DIR set, each is also written there
// as page-N-NAME.bmp.
TEST_F(SettingsDialogWinTest, EachPageShowsItsOwnControlsInTheirColours) {
    t.files.files[t.app.paths.CommandFilePath] =
        "127.0.0.1 2323\r\nWAIT \"ogin:\"\r\nSEND \"admin\\m\"\r\nWAIT \"#\"\r\nSEND "
        "\"reboot\\m\"\r\n";
    t.store.Put("SrvModem", "1");
    t.store.Put("SrvPing", "1");
    GetSettings(t.app.settingsAccess);
    dialog.ShowDialog();
    SetWindowPos(dialog.Window(), HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
    std::vector<std::vector<uint32_t>> pages;
    for (int page = 0; page < 5; ++page) {
        dialog.SelectPage(page);
        RedrawWindow(dialog.Window(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageA(&msg);
        BITMAPINFO info{};
        pages.push_back(Capture(dialog.Window(), info));
        if (const char* folder = std::getenv("QV_SCREENSHOT_DIR")) {
            const DWORD bytes = static_cast<DWORD>(pages.back().size() * 4);
            const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info.bmiHeader;
            BITMAPFILEHEADER file{0x4D42, offset + bytes, 0, 0, offset};
            std::ofstream out(std::string(folder) + "\\page-" + std::to_string(page + 1) + "-" +
                                  kTimeSetPages[page] + ".bmp",
                              std::ios::binary);
            out.write(reinterpret_cast<const char*>(&file), sizeof file);
            out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
            out.write(reinterpret_cast<const char*>(pages.back().data()), bytes);
        }
    }
    // Red summary times on TIME and NIC, blue command file, addresses and contact.
    for (const auto& [page, rgb, shown] :
         std::vector<std::tuple<int, uint32_t, bool>>{{kPageTime, 0xFF0000, true},
                                                      {kPageNic, 0xFF0000, true},
                                                      {kPageModem, 0x0000FF, true},
                                                      {kPageConnectivity, 0x0000FF, true},
                                                      {kPageMisc, 0x0000FF, true},
                                                      {kPageMisc, 0xFF0000, false}})
        EXPECT_EQ(std::count(pages[page].begin(), pages[page].end(), rgb) > 0, shown)
            << kTimeSetPages[page] << " " << std::hex << rgb;
    // Switching pages repaints the dialog: no two pages look alike.
    for (size_t a = 0; a < pages.size(); ++a)
        for (size_t b = a + 1; b < pages.size(); ++b)
            EXPECT_NE(pages[a], pages[b]) << kTimeSetPages[a] << " " << kTimeSetPages[b];
    dialog.UnloadDialog();
}

}  // namespace
}  // namespace qv
