// The settings dialog's window over its model, driven through real window messages.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
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
    HWND Control(Ctl id) { return dialog.ControlWindow(id); }
    // What the control reports to its dialog when the user acts on it.
    void Notify(Ctl id, int code) {
        HWND hwnd = Control(id);
        SendMessageA(GetParent(hwnd), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(hwnd), static_cast<WORD>(code)),
                     reinterpret_cast<LPARAM>(hwnd));
    }
    // A key released; with Alt held Windows reports it as a system key.
    void KeyUp(Ctl id, WPARAM key, bool alt = false) {
        SendMessageA(Control(id), alt ? WM_SYSKEYUP : WM_KEYUP, key, alt ? 1 << 29 : 0);
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
    HWND combo1 = Control(Ctl::Combo1);
    EXPECT_EQ(SendMessageA(combo1, CB_GETCOUNT, 0, 0), 24);
    EXPECT_EQ(SendMessageA(combo1, CB_GETCURSEL, 0, 0), 7);
    EXPECT_EQ(TextOf(combo1), "07");
    EXPECT_EQ(TextOf(Control(Ctl::Label8)), "13");
    EXPECT_EQ(ListItems(Control(Ctl::lstReboot)), t.app.settings.RebootTimes);
    EXPECT_EQ(ListItems(Control(Ctl::lstUrls)).size(), 5u);

    // The page's own controls only are shown.
    ShowWindow(window, SW_SHOWNA);
    EXPECT_TRUE(IsWindowVisible(Control(Ctl::Combo1)));
    EXPECT_FALSE(IsWindowVisible(Control(Ctl::Combo3)));
    dialog.SelectPage(kPageNic);
    EXPECT_FALSE(IsWindowVisible(Control(Ctl::Combo1)));
    EXPECT_TRUE(IsWindowVisible(Control(Ctl::Combo3)));
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), kPageNic);
}

// Every described control has its window, with its control id, on its own page, at its
// place and showing what the model holds.
TEST_F(SettingsDialogWinTest, EveryDescribedControlIsLaidOut) {
    dialog.LoadHidden();
    ASSERT_TRUE(dialog.IsDialogLoaded());
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    std::vector<HWND> pages(kTimeSetPages.size(), nullptr);
    for (const qv::Control& c : TimeSetControls()) {
        SCOPED_TRACE(CtlName(c.id));
        HWND hwnd = Control(c.id);
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(GetDlgCtrlID(hwnd), 1000 + static_cast<int>(c.id));
        HWND page = GetParent(hwnd);
        EXPECT_EQ(GetParent(page), dialog.Window());
        if (pages[c.page] == nullptr)
            pages[c.page] = page;
        EXPECT_EQ(page, pages[c.page]);
        RECT r{};
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, dialog.Window(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, MulDiv(c.place.x, dpiX, 96));
        EXPECT_EQ(r.top, MulDiv(c.place.y, dpiY, 96));
        // A picker's window is as high as its text field; an etched line sizes itself.
        if (c.kind != ControlKind::Line) {
            EXPECT_EQ(r.right - r.left, MulDiv(c.place.w, dpiX, 96));
        }
        if (!c.IsPicker() && c.kind != ControlKind::Line) {
            EXPECT_EQ(r.bottom - r.top, MulDiv(c.place.h, dpiY, 96));
        }
        if (c.kind != ControlKind::ListBox) {
            EXPECT_EQ(TextOf(hwnd), dialog.Model()->Text(c.id));
        }
    }
    std::sort(pages.begin(), pages.end());
    EXPECT_EQ(std::unique(pages.begin(), pages.end()), pages.end());  // five pages
}

// The window cannot be built from a description with a control it cannot place.
TEST(SettingsDialogLayout, RefusesAControlWithoutAPlace) {
    std::vector<Control> description = TimeSetControls();
    description[static_cast<size_t>(Ctl::Combo7)].place = {};
    try {
        win32::SettingsDialogLayout layout(description);
        ADD_FAILURE() << "laid out without a place for Combo7";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "settings dialog: Combo7 has no place");
    }
    EXPECT_NO_THROW(win32::SettingsDialogLayout{TimeSetControls()});
}

TEST_F(SettingsDialogWinTest, UserEditsReachTheModelAndItsAnswersTheWindow) {
    dialog.LoadHidden();
    dialog.Model()->ControlInit();
    TimeSet& model = *dialog.Model();

    SetWindowTextA(Control(Ctl::txtInterval), "100");  // refused: message, then "10"
    EXPECT_EQ(t.ui.messages, Items{kIntervalRangeMessage});
    EXPECT_EQ(TextOf(Control(Ctl::txtInterval)), "10");
    EXPECT_TRUE(IsWindowEnabled(dialog.Window()));
    SetWindowTextA(Control(Ctl::txtInterval), "45");
    KeyUp(Ctl::txtInterval, VK_RETURN, true);
    EXPECT_EQ(t.store.Get("PingInterval"), "45");
    EXPECT_EQ(TextOf(Control(Ctl::lblInterval)), "Current Setting is 45 Seconds.");

    SendMessageA(Control(Ctl::Combo7), CB_SETCURSEL, 9, 0);
    Notify(Ctl::Combo7, CBN_SELCHANGE);
    EXPECT_EQ(model.Text(Ctl::Combo7), "09");
    SendMessageA(Control(Ctl::CmdAddRbtTime), BM_CLICK, 0, 0);
    EXPECT_EQ(ListItems(Control(Ctl::lstReboot)).back(), "09:00");

    SendMessageA(Control(Ctl::lstReboot), LB_SETCURSEL, 0, 0);
    Notify(Ctl::lstReboot, LBN_SELCHANGE);
    KeyUp(Ctl::lstReboot, VK_DELETE);
    EXPECT_EQ(ListItems(Control(Ctl::lstReboot)).front(), "02:03");
    SendMessageA(Control(Ctl::lstReboot), LB_SETCURSEL, 0, 0);
    Notify(Ctl::lstReboot, LBN_SELCHANGE);
    KeyUp(Ctl::lstReboot, VK_DELETE, true);
    EXPECT_EQ(ListItems(Control(Ctl::lstReboot)).front(), "02:05");

    SendMessageA(Control(Ctl::Check5), BM_CLICK, 0, 0);
    EXPECT_EQ(model.Get(Ctl::Check5).value, 1);

    SendMessageA(Control(Ctl::Frame1), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(t.app.diag.MinuteCountDisplay);
    SendMessageA(Control(Ctl::Label19), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(Control(Ctl::Label19), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    SendMessageA(Control(Ctl::Label19), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_TRUE(t.app.diag.FetchLog);
    EXPECT_EQ(model.Get(Ctl::Label19).color, kRed);

    // OK stores all pages and closes the window.
    SendMessageA(Control(Ctl::CmdModemOK), BM_CLICK, 0, 0);
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
    SendMessageA(Control(Ctl::Check1), BM_CLICK, 0, 0);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(dialog.IsDialogLoaded());
    EXPECT_TRUE(t.store.writtenKeys.empty());
    EXPECT_EQ(t.actions.calls, Items{"ArmServiceTimers"});

    // The next opening starts afresh.
    dialog.ShowDialog();
    EXPECT_NE(dialog.Window(), nullptr);
    EXPECT_EQ(dialog.Model()->Get(Ctl::Check1).value, 0);
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
    EXPECT_EQ(TextOf(Control(Ctl::Frame1)), "Network Interface Settings 7");

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
    SendMessageA(Control(Ctl::CmdTimeOK), BM_CLICK, 0, 0);
    EXPECT_EQ(t.store.Get("frmTop"), std::to_string(MulDiv(30, 1440, dpiY)));
    EXPECT_EQ(t.store.Get("frmLeft"), std::to_string(MulDiv(40, 1440, dpiX)));
}

}  // namespace
}  // namespace qv
