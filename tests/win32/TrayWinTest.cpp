// Windows-side checks of the tray pictures in Quorvane.exe, the window timers and the popup menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/PopupMenu.h"
#include "app/frmIcon.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/Win32Menu.h"
#include "platform/win32/Win32Sockets.h"
#include "platform/win32/Win32Timers.h"
#include "platform/win32/Win32Tray.h"
#include "res/resource.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

// Quorvane.exe beside this test program, loaded for its resources only.
class ProgramResources : public ::testing::Test {
  protected:
    void SetUp() override {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string exe(path);
        exe = exe.substr(0, exe.find_last_of('\\') + 1) + "Quorvane.exe";
        module_ = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << exe;
    }
    void TearDown() override {
        if (module_ != nullptr)
            FreeLibrary(module_);
    }
    // The image of an icon resource closest to the size, as its BITMAPINFOHEADER and pixels.
    const BITMAPINFOHEADER* Image(int id, int size) {
        HRSRC group = FindResourceA(module_, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));
        if (group == nullptr)
            return nullptr;
        auto* dir = static_cast<PBYTE>(LockResource(LoadResource(module_, group)));
        int image = LookupIconIdFromDirectoryEx(dir, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC icon = FindResourceA(module_, MAKEINTRESOURCEA(image), MAKEINTRESOURCEA(3));
        if (icon == nullptr)
            return nullptr;
        return static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module_, icon)));
    }
    // Colour of a pixel of a 32-bit image, x and y from the top left.
    static COLORREF Pixel(const BITMAPINFOHEADER* h, int x, int y) {
        auto* bgra = reinterpret_cast<const BYTE*>(h + 1);
        const BYTE* p = bgra + ((h->biWidth - 1 - y) * h->biWidth + x) * 4;
        return RGB(p[2], p[1], p[0]);
    }
    HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, EveryPictureHasA16And32PixelImage) {
    for (int id : {IDI_MAIN, IDI_PRED, IDI_PGREEN, IDI_PBLUE, IDI_PYELLOW, IDI_PICTURE1,
                   IDI_PICTURE2, IDI_PICTURE3, IDI_PICTURE4}) {
        for (int size : {16, 32}) {
            const BITMAPINFOHEADER* h = Image(id, size);
            ASSERT_NE(h, nullptr) << id;
            EXPECT_EQ(h->biWidth, size) << id;
            EXPECT_EQ(h->biHeight, 2 * size) << id;
            EXPECT_GE(h->biBitCount, 8) << id;
            HICON icon = static_cast<HICON>(
                LoadImageA(module_, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            EXPECT_NE(icon, nullptr) << id;
            if (icon != nullptr)
                DestroyIcon(icon);
        }
    }
}

TEST_F(ProgramResources, FishesHaveTheirColoursAndFramesDiffer) {
    // The middle of the fish's body, a little behind the eye.
    auto body = [&](int id) { return Pixel(Image(id, 32), 17, 16); };
    COLORREF red = body(IDI_PRED), green = body(IDI_PGREEN), blue = body(IDI_PBLUE),
             yellow = body(IDI_PYELLOW);
    EXPECT_GT(GetRValue(red), 2 * GetGValue(red));
    EXPECT_GT(GetGValue(green), 2 * GetRValue(green));
    EXPECT_GT(GetBValue(blue), 2 * GetRValue(blue));
    EXPECT_GT(GetRValue(yellow), 2 * GetBValue(yellow));
    EXPECT_GT(GetGValue(yellow), 2 * GetBValue(yellow));

    // The ring's pattern moves: the same ring pixel changes from frame to frame, and the
    // middle stays grey.
    std::map<COLORREF, int> seen;
    for (int id : {IDI_PICTURE1, IDI_PICTURE2, IDI_PICTURE3, IDI_PICTURE4}) {
        const BITMAPINFOHEADER* h = Image(id, 32);
        ++seen[Pixel(h, 16, 4)];
        EXPECT_EQ(Pixel(h, 16, 16), RGB(192, 192, 192));
    }
    EXPECT_GE(seen.size(), 3u);
}

// A tray whose requests go to a recorder instead of the shell.
struct RecordingTray {
    struct Sent {
        DWORD message;
        NOTIFYICONDATAA record;
    };
    std::vector<Sent> sent;
    win32::Win32Tray tray{[this](DWORD message, NOTIFYICONDATAA* record) {
        sent.push_back({message, *record});
        return TRUE;
    }};
    std::vector<DWORD> Messages() const {
        std::vector<DWORD> messages;
        for (const Sent& s : sent)
            messages.push_back(s.message);
        return messages;
    }
};

TEST(Win32Tray, SendsTheRecordOfTheFirstLayoutWithThePictureAndTheTip) {
    HWND window = reinterpret_cast<HWND>(0x4242);
    RecordingTray r;
    r.tray.Attach(window, GetModuleHandleA(nullptr));
    const std::string tip = "Quorvane Helper by Dastrel.";
    // A tip longer than the record's 64 bytes keeps 63 of them and its NUL.
    const std::string longTip(80, 'x');
    constexpr DWORD kNothing = ~DWORD{0};  // no request at all (NIM_ADD is 0)
    struct Row {
        std::function<void()> call;
        DWORD message;
        Picture picture;
        std::string tip;
    } rows[] = {
        {[&] { r.tray.Change(Picture::WindowIcon, tip); }, NIM_MODIFY, Picture::WindowIcon, tip},
        {[&] { r.tray.Show(Picture::Green, tip); }, NIM_ADD, Picture::Green, tip},
        {[&] { r.tray.Change(Picture::Frame3, tip); }, NIM_MODIFY, Picture::Frame3, tip},
        {[&] { r.tray.Change(Picture::Yellow, longTip); }, NIM_MODIFY, Picture::Yellow,
         longTip.substr(0, 63)},
        {[&] { r.tray.Readd(); }, NIM_ADD, Picture::Yellow, longTip.substr(0, 63)},
        {[&] { r.tray.Remove(); }, NIM_DELETE, Picture::Yellow, longTip.substr(0, 63)},
        {[&] { r.tray.Readd(); }, kNothing, Picture::Yellow, ""},  // removed: nothing to put back
    };
    std::set<HICON> icons;
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        const size_t before = r.sent.size();
        row.call();
        if (row.message == kNothing) {
            EXPECT_EQ(r.sent.size(), before) << i;
            continue;
        }
        ASSERT_EQ(r.sent.size(), before + 1) << i;
        const NOTIFYICONDATAA& d = r.sent.back().record;
        EXPECT_EQ(r.sent.back().message, row.message) << i;
        EXPECT_EQ(d.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE)) << i;
        EXPECT_EQ(d.hWnd, window) << i;
        EXPECT_EQ(d.uID, 1u) << i;
        EXPECT_EQ(d.uFlags, 7u) << i;
        EXPECT_EQ(d.uCallbackMessage, 0x200u) << i;
        EXPECT_NE(d.hIcon, nullptr) << i;
        EXPECT_EQ(d.hIcon, r.tray.Icon(row.picture)) << i;
        icons.insert(d.hIcon);
        // The tip, its NUL, blanks, and a NUL in the 64th byte; nothing past the first layout.
        std::string expected = row.tip + '\0';
        expected.resize(63, ' ');
        expected += '\0';
        EXPECT_EQ(std::string(d.szTip, 64), expected) << i;
        EXPECT_EQ(std::string(d.szTip + 64, sizeof d.szTip - 64),
                  std::string(sizeof d.szTip - 64, '\0'));
    }
    EXPECT_EQ(icons.size(), 4u);  // every picture an icon of its own
}

TEST(MainWindow, PutsTheIconBackWhenTheTaskbarIsCreatedAgain) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    win32::MainWindow window;
    ASSERT_TRUE(window.Create(instance));
    test::TestApp t;
    FrmIcon form(t.app);
    RecordingTray r;
    r.tray.Attach(window.Handle(), instance);
    win32::Win32Sockets sockets;
    window.Connect(form, r.tray, sockets);
    UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");

    SendMessageA(window.Handle(), taskbarCreated, 0, 0);  // not added yet: nothing to put back
    EXPECT_TRUE(r.sent.empty());
    r.tray.Show(Picture::Green, "tip");
    SendMessageA(window.Handle(), taskbarCreated, 0, 0);
    EXPECT_EQ(r.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_ADD}));
    EXPECT_EQ(r.sent[1].record.hIcon, r.tray.Icon(Picture::Green));
    r.tray.Remove();
    SendMessageA(window.Handle(), taskbarCreated, 0, 0);
    EXPECT_EQ(r.sent.size(), 3u);

    // A failure in a handler ends at the window's barrier: logged, and the window serves on.
    t.InitPaths();
    t.actions.onCall = [](const std::string& name) {
        if (name == "ShowSettingsDialog")
            throw std::length_error("too long");
    };
    SendMessageA(window.Handle(), 0x200, 0, kTrayLeftDoubleClick);
    SendMessageA(window.Handle(), 0x200, 0, kTrayLeftDoubleClick);
    EXPECT_EQ(t.LogMessages(), (std::vector<std::string>{"Unexpected Error : too long",
                                                         "Unexpected Error : too long"}));
    EXPECT_EQ(t.app.IconState, 5);

    // Closing the window posts the quit message; take it off this thread's queue again so the
    // tests after this one can run their own message loops.
    DestroyWindow(window.Handle());
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// A plain window that counts its timer ticks.
struct TickWindow {
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_TIMER) {
            auto* ticks =
                reinterpret_cast<std::map<int, int>*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
            ++(*ticks)[static_cast<int>(wParam)];
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    TickWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QvTickWindow";
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, "QvTickWindow", "ticks", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                               nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&ticks));
    }
    ~TickWindow() { DestroyWindow(hwnd); }
    void Pump(DWORD ms) {
        DWORD end = GetTickCount() + ms;
        while (static_cast<LONG>(end - GetTickCount()) > 0) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            Sleep(5);
        }
    }
    HWND hwnd = nullptr;
    std::map<int, int> ticks;
};

TEST(Win32Timers, ZeroNeverTicksAndABusyThreadGetsOneTick) {
    TickWindow w;
    win32::Win32Timers timers;
    timers.Attach(w.hwnd);
    timers.Start(1, 0);
    timers.Start(2, 30);
    Sleep(400);  // busy: a dozen periods go by
    w.Pump(20);
    EXPECT_EQ(w.ticks[1], 0);
    EXPECT_EQ(w.ticks[2], 1);
    timers.Stop(2);
    w.Pump(150);
    EXPECT_EQ(w.ticks[2], 1);
}

// Finds the open popup menu, checks that it shows mPopupSys and types the "&Exit" mnemonic.
void CALLBACK PressExit(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    HWND popup = FindWindowA("#32768", nullptr);
    if (popup != nullptr) {
        HMENU shown = reinterpret_cast<HMENU>(SendMessageA(popup, 0x01E1, 0, 0));  // MN_GETHMENU
        char text[64] = {};
        GetMenuStringA(shown, 4, text, sizeof text, MF_BYPOSITION);
        if (std::string(text) == "&Exit" && GetMenuItemCount(shown) == 5)
            PostMessageA(popup, WM_CHAR, 'e', 0);
    }
    PostMessageA(hwnd, WM_CANCELMODE, 0, 0);  // closes the menu when nothing was chosen
}

TEST(Win32Menu, ShowsTheEntriesAndReturnsTheChosenCommand) {
    TickWindow w;
    win32::Win32Menu menu;
    menu.Attach(w.hwnd);
    // While the menu is open, press the mnemonic of "&Exit" on it.
    SetTimer(w.hwnd, 77, 300, &PressExit);
    EXPECT_EQ(menu.TrackPopupAtCursor(PopupSysEntries()), kCmdExit);
}

}  // namespace
}  // namespace qv
