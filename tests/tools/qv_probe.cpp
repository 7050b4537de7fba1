// qv_probe: reads and drives Quorvane's windows from a test script running under Wine.
//
//   qv_probe msgbox CAPTION TIMEOUT_MS     print a message box's text, then press its OK button
//   qv_probe wait-window CAPTION TIMEOUT_MS   wait until a top-level window has the caption
//   qv_probe post CAPTION MSG WPARAM LPARAM   post a message to the window with the caption
//   qv_probe send CAPTION MSG WPARAM LPARAM   send it and wait for the answer
//   qv_probe count CAPTION                print how many top-level windows have the caption
//   qv_probe ready-ms CAPTION TIMEOUT_MS  wait until the window with the caption serves its
//                                         messages; print the milliseconds since its process
//                                         was created
//   qv_probe menu-key KEY TIMEOUT_MS      wait for an open popup menu, print the entries it
//                                         can read, then type KEY (a mnemonic letter, or esc)
//
// Numbers may be written in decimal or as 0x... hexadecimal. Exit code 0 on success, 2 when
// the window was not found in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    std::string caption;
    bool dialogOnly = false;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    if (search->caption != text)
        return TRUE;
    if (search->dialogOnly) {
        char cls[64] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (std::string(cls) != "#32770")
            return TRUE;
    }
    search->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> FindAll(const std::string& caption, bool dialogOnly) {
    Search search{caption, dialogOnly, {}};
    EnumWindows(&Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitFor(const std::string& caption, bool dialogOnly, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        auto all = FindAll(caption, dialogOnly);
        if (!all.empty())
            return all.front();
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        Sleep(100);
    }
}

BOOL CALLBACK FirstStatic(HWND child, LPARAM lParam) {
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (std::string(cls) == "Static") {
        char text[2048] = {};
        GetWindowTextA(child, text, sizeof text);
        if (text[0] != '\0') {
            *reinterpret_cast<std::string*>(lParam) = text;
            return FALSE;
        }
    }
    return TRUE;
}

unsigned long long Number(const char* text) {
    return std::strtoull(text, nullptr, 0);
}

int Usage() {
    std::fprintf(stderr, "usage: qv_probe msgbox|wait-window|post|send|count ...\n");
    return 64;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return Usage();
    std::string command = argv[1];
    std::string caption = argv[2];
    if (command == "msgbox" && argc == 4) {
        DWORD timeout = static_cast<DWORD>(Number(argv[3]));
        DWORD start = GetTickCount();
        HWND box = WaitFor(caption, true, timeout);
        if (box == nullptr)
            return 2;
        // The box may be found before its text is in place.
        std::string text;
        for (;;) {
            EnumChildWindows(box, &FirstStatic, reinterpret_cast<LPARAM>(&text));
            if (!text.empty() || GetTickCount() - start >= timeout)
                break;
            Sleep(50);
        }
        std::printf("%s\n", text.c_str());
        std::fflush(stdout);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 0;
    }
    if (command == "wait-window" && argc == 4) {
        return WaitFor(caption, false, static_cast<DWORD>(Number(argv[3]))) ? 0 : 2;
    }
    if ((command == "post" || command == "send") && argc == 6) {
        HWND window = WaitFor(caption, false, 5000);
        if (window == nullptr)
            return 2;
        UINT msg = static_cast<UINT>(Number(argv[3]));
        WPARAM wParam = static_cast<WPARAM>(Number(argv[4]));
        LPARAM lParam = static_cast<LPARAM>(Number(argv[5]));
        if (command == "post") {
            PostMessageA(window, msg, wParam, lParam);
        } else {
            DWORD_PTR result = 0;
            SendMessageTimeoutA(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result);
        }
        return 0;
    }
    if (command == "ready-ms" && argc == 4) {
        DWORD start = GetTickCount();
        DWORD timeout = static_cast<DWORD>(Number(argv[3]));
        for (;;) {
            auto all = FindAll(caption, false);
            HWND window = all.empty() ? nullptr : all.front();
            DWORD_PTR result = 0;
            // The window's thread answers only once it runs its message loop.
            if (window != nullptr &&
                SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &result)) {
                FILETIME now, created, exited, kernel, user;
                GetSystemTimeAsFileTime(&now);
                DWORD pid = 0;
                GetWindowThreadProcessId(window, &pid);
                HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
                if (process == nullptr)
                    return 2;
                BOOL ok = GetProcessTimes(process, &created, &exited, &kernel, &user);
                CloseHandle(process);
                if (!ok)
                    return 2;
                auto ticks = [](const FILETIME& f) {
                    return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) |
                           f.dwLowDateTime;
                };
                std::printf("%.1f\n", static_cast<double>(ticks(now) - ticks(created)) / 10000.0);
                return 0;
            }
            if (GetTickCount() - start > timeout)
                return 2;
            Sleep(1);
        }
    }
    if (command == "menu-key" && argc == 4) {
        DWORD start = GetTickCount();
        HWND popup = nullptr;
        while ((popup = FindWindowA("#32768", nullptr)) == nullptr || !IsWindowVisible(popup)) {
            if (GetTickCount() - start >= static_cast<DWORD>(Number(argv[3])))
                return 2;
            Sleep(100);
        }
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, 0x01E1, 0, 0));  // MN_GETHMENU
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[128] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            std::printf("%s\n", text[0] != '\0' ? text : "-");
        }
        std::fflush(stdout);
        if (caption == "esc")
            PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        else
            PostMessageA(popup, WM_CHAR, static_cast<WPARAM>(caption[0]), 0);
        return 0;
    }
    if (command == "count" && argc == 3) {
        std::printf("%zu\n", FindAll(caption, false).size());
        return 0;
    }
    return Usage();
}
