// The settings dialog's window over its model, driven through real window messages.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/App.h"
#include "platform/win32/Win32SettingsDialog.h"
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

Items ListItems(HWND list) {
    Items items;
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char buffer[512] = {};
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer));
        items.emplace_back(buffer);
    }
    return items;
}

class SettingsDialogWinTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        t.InitPaths();
        GetSettings(t.app.settingsAccess);
        t.actions.calls.clear();
    }
    HWND Control(const char* name) { return dialog.ControlWindow(name); }
    // What the control reports to its dialog when the user acts on it.
    void Notify(const char* name, int code) {
        HWND hwnd = Control(name);
        SendMessageA(GetParent(hwnd), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(hwnd), static_cast<WORD>(code)),
                     reinterpret_cast<LPARAM>(hwnd));
    }
    // A key released; with Alt held Windows reports it as a system key.
    void KeyUp(const char* name, WPARAM key, bool alt = false) {
        SendMessageA(Control(name), alt ? WM_SYSKEYUP : WM_KEYUP, key, alt ? 1 << 29 : 0);
    }

    test::TestApp t;
    win32::Win32SettingsDialog dialog{t.app, GetModuleHandleA(nullptr)};
};

TEST_F(SettingsDialogWinTest, HiddenDialogPresentsItsModel) {
    dialog.LoadHidden();
    ASSERT_TRUE(dialog.IsDialogLoaded());
    HWND window = dialog.Window();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(TextOf(window), kTimeSetTitle);
    HWND tab = FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr);
    ASSERT_NE(tab, nullptr);
    ASSERT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 5);
    for (int i = 0; i < 5; ++i) {
        char caption[32] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = sizeof caption;
        SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(caption, kTimeSetPages[i]);
    }
    EXPECT_EQ(dialog.CurrentPage(), kPageTime);

    t.store.Put("Time", "7,13");
    GetSettings(t.app.settingsAccess);
    dialog.Model()->ControlInit();
    HWND combo1 = Control("Combo1");
    EXPECT_EQ(SendMessageA(combo1, CB_GETCOUNT, 0, 0), 24);
    EXPECT_EQ(SendMessageA(combo1, CB_GETCURSEL, 0, 0), 7);
    EXPECT_EQ(TextOf(combo1), "07");
    EXPECT_EQ(TextOf(Control("Label8")), "13");
    EXPECT_EQ(ListItems(Control("lstReboot")), t.app.settings.RebootTimes);
    EXPECT_EQ(ListItems(Control("lstUrls")).size(), 5u);
    EXPECT_EQ(TextOf(Control("Frame1")), "Network Interface Settings ");

    // The page's own controls only are shown.
    ShowWindow(window, SW_SHOWNA);
    EXPECT_TRUE(IsWindowVisible(Control("Combo1")));
    EXPECT_FALSE(IsWindowVisible(Control("Combo3")));
    dialog.SelectPage(kPageNic);
    EXPECT_FALSE(IsWindowVisible(Control("Combo1")));
    EXPECT_TRUE(IsWindowVisible(Control("Combo3")));
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), kPageNic);
}

TEST_F(SettingsDialogWinTest, UserEditsReachTheModelAndItsAnswersTheWindow) {
    dialog.LoadHidden();
    dialog.Model()->ControlInit();
    TimeSet& model = *dialog.Model();

    SetWindowTextA(Control("txtInterval"), "100");  // refused: message, then "10"
    EXPECT_EQ(t.ui.messages, Items{kIntervalRangeMessage});
    EXPECT_EQ(TextOf(Control("txtInterval")), "10");
    EXPECT_TRUE(IsWindowEnabled(dialog.Window()));
    SetWindowTextA(Control("txtInterval"), "45");
    KeyUp("txtInterval", VK_RETURN, true);
    EXPECT_EQ(t.store.Get("PingInterval"), "45");
    EXPECT_EQ(TextOf(Control("lblInterval")), "Current Setting is 45 Seconds.");

    SendMessageA(Control("Combo7"), CB_SETCURSEL, 9, 0);
    Notify("Combo7", CBN_SELCHANGE);
    EXPECT_EQ(model.Text("Combo7"), "09");
    SendMessageA(Control("CmdAddRbtTime"), BM_CLICK, 0, 0);
    EXPECT_EQ(ListItems(Control("lstReboot")).back(), "09:00");

    SendMessageA(Control("lstReboot"), LB_SETCURSEL, 0, 0);
    Notify("lstReboot", LBN_SELCHANGE);
    KeyUp("lstReboot", VK_DELETE);
    EXPECT_EQ(ListItems(Control("lstReboot")).front(), "02:03");
    SendMessageA(Control("lstReboot"), LB_SETCURSEL, 0, 0);
    Notify("lstReboot", LBN_SELCHANGE);
    KeyUp("lstReboot", VK_DELETE, true);
    EXPECT_EQ(ListItems(Control("lstReboot")).front(), "02:05");

    SendMessageA(Control("Check5"), BM_CLICK, 0, 0);
    EXPECT_EQ(model.Get("Check5").value, 1);

    SendMessageA(Control("Frame1"), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(t.app.diag.MinuteCountDisplay);
    SendMessageA(Control("Label19"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(Control("Label19"), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    SendMessageA(Control("Label19"), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_TRUE(t.app.diag.FetchLog);
    EXPECT_EQ(model.Get("Label19").color, kRed);

    // OK stores all pages and closes the window.
    SendMessageA(Control("CmdModemOK"), BM_CLICK, 0, 0);
    EXPECT_FALSE(dialog.IsDialogLoaded());
    EXPECT_EQ(dialog.Window(), nullptr);
    EXPECT_EQ(t.store.Get("SrvPing"), "1");
    EXPECT_EQ(t.store.Get("Reboot"), "02:05,07:53,07:55,07:57,09:00");
    EXPECT_EQ(t.actions.calls, Items{"ArmServiceTimers"});
}

TEST_F(SettingsDialogWinTest, CloseBoxClosesWithoutSaving) {
    dialog.ShowDialog();
    HWND window = dialog.Window();
    ASSERT_TRUE(IsWindowVisible(window));
    dialog.ShowDialog();  // opening again shows the same dialog
    EXPECT_EQ(dialog.Window(), window);
    SendMessageA(Control("Check1"), BM_CLICK, 0, 0);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(dialog.IsDialogLoaded());
    EXPECT_TRUE(t.store.writtenKeys.empty());
    EXPECT_EQ(t.actions.calls, Items{"ArmServiceTimers"});

    // The next opening starts afresh.
    dialog.ShowDialog();
    EXPECT_NE(dialog.Window(), nullptr);
    EXPECT_EQ(dialog.Model()->Get("Check1").value, 0);
    dialog.UnloadDialog();
    EXPECT_FALSE(dialog.IsDialogLoaded());
}

TEST_F(SettingsDialogWinTest, SavedPositionInTwipsAndFrameCaptionFromOutside) {
    t.store.Put("frmTop", "1500");
    t.store.Put("frmLeft", "3000");
    GetSettings(t.app.settingsAccess);
    dialog.SetFrame1Caption("Network Interface Settings 7");  // loads it hidden
    ASSERT_TRUE(dialog.IsDialogLoaded());
    EXPECT_FALSE(IsWindowVisible(dialog.Window()));
    EXPECT_EQ(TextOf(Control("Frame1")), "Network Interface Settings 7");

    HDC screen = GetDC(nullptr);
    int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT r{};
    GetWindowRect(dialog.Window(), &r);
    EXPECT_EQ(r.left, MulDiv(3000, dpiX, 1440));
    EXPECT_EQ(r.top, MulDiv(1500, dpiY, 1440));

    SetWindowPos(dialog.Window(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dialog.ShowDialog();
    SendMessageA(Control("CmdTimeOK"), BM_CLICK, 0, 0);
    EXPECT_EQ(t.store.Get("frmTop"), std::to_string(MulDiv(30, 1440, dpiY)));
    EXPECT_EQ(t.store.Get("frmLeft"), std::to_string(MulDiv(40, 1440, dpiX)));
}

}  // namespace
}  // namespace qv
