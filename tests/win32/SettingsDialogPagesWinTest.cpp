// Pictures of the five pages of the settings dialog as it is shown on the screen. With
// QV_SCREENSHOT_DIR set, each page is also written there as page-N-NAME.bmp.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/App.h"
#include "platform/win32/Win32SettingsDialog.h"
#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

struct WindowDc {
    HWND hwnd;
    HDC dc;
    explicit WindowDc(HWND w) : hwnd(w), dc(GetDC(w)) {}
    ~WindowDc() { ReleaseDC(hwnd, dc); }
};
struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDc() { DeleteDC(dc); }
};
struct Bitmap {
    HBITMAP bitmap;
    Bitmap(HDC like, int w, int h) : bitmap(CreateCompatibleBitmap(like, w, h)) {}
    ~Bitmap() { DeleteObject(bitmap); }
};

// The client area's pixels as 32-bit rows (0x00RRGGBB), top row first.
std::vector<uint32_t> Capture(HWND hwnd, int& width, int& height) {
    RECT r{};
    GetClientRect(hwnd, &r);
    width = r.right - r.left;
    height = r.bottom - r.top;
    WindowDc window(hwnd);
    MemoryDc memory(window.dc);
    Bitmap bitmap(window.dc, width, height);
    HGDIOBJ old = SelectObject(memory.dc, bitmap.bitmap);
    BitBlt(memory.dc, 0, 0, width, height, window.dc, 0, 0, SRCCOPY);
    SelectObject(memory.dc, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    GetDIBits(memory.dc, bitmap.bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    for (uint32_t& p : pixels)
        p &= 0x00FFFFFFu;
    return pixels;
}

void WriteBmp(const std::string& path, const std::vector<uint32_t>& pixels, int width, int height) {
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    const DWORD bytes = static_cast<DWORD>(pixels.size() * sizeof(uint32_t));
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + bytes;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(pixels.data()), bytes);
}

void Settle(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    for (int i = 0; i < 20; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

TEST(SettingsDialogPages, EachPageShowsItsOwnControls) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    test::TestApp t;
    t.InitPaths();
    t.files.files[t.app.paths.CommandFilePath] =
        "127.0.0.1 2323\r\nWAIT \"ogin:\"\r\nSEND \"admin\\m\"\r\nWAIT \"#\"\r\nSEND "
        "\"reboot\\m\"\r\n";
    t.store.Put("SrvModem", "1");
    t.store.Put("SrvPing", "1");
    GetSettings(t.app.settingsAccess);
    win32::Win32SettingsDialog dialog(t.app, GetModuleHandleA(nullptr));
    dialog.ShowDialog();
    HWND hwnd = dialog.Window();
    ASSERT_NE(hwnd, nullptr);
    SetWindowPos(hwnd, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);

    const char* folder = std::getenv("QV_SCREENSHOT_DIR");
    std::vector<std::vector<uint32_t>> pages;
    for (int page = 0; page < 5; ++page) {
        dialog.SelectPage(page);
        Settle(hwnd);
        int width = 0;
        int height = 0;
        pages.push_back(Capture(hwnd, width, height));
        ASSERT_GT(width, 0);
        if (folder != nullptr) {
            std::string name = std::string(folder) + "\\page-" + std::to_string(page + 1) + "-" +
                               kTimeSetPages[page] + ".bmp";
            WriteBmp(name, pages.back(), width, height);
        }
    }
    auto has = [&](int page, uint32_t rgb) {
        return std::find(pages[page].begin(), pages[page].end(), rgb) != pages[page].end();
    };
    // Red summary times on TIME and NIC, blue command file, addresses and contact.
    EXPECT_TRUE(has(kPageTime, 0xFF0000));
    EXPECT_TRUE(has(kPageNic, 0xFF0000));
    EXPECT_TRUE(has(kPageModem, 0x0000FF));
    EXPECT_TRUE(has(kPageConnectivity, 0x0000FF));
    EXPECT_TRUE(has(kPageMisc, 0x0000FF));
    EXPECT_FALSE(has(kPageMisc, 0xFF0000));
    // Switching pages repaints the dialog: no two pages look alike.
    for (size_t a = 0; a < pages.size(); ++a) {
        for (size_t b = a + 1; b < pages.size(); ++b)
            EXPECT_NE(pages[a], pages[b]) << kTimeSetPages[a] << " " << kTimeSetPages[b];
    }
    dialog.UnloadDialog();
}

}  // namespace
}  // namespace qv
