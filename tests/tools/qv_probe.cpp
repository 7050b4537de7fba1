// qv_probe: reads and drives Quorvane's windows for the end-to-end scripts, under Wine.
//
//   qv_probe count CAPTION                  how many top-level windows have the caption
//   qv_probe ready-ms CAPTION TIMEOUT_MS    wait until the window serves its messages; print the
//                                           milliseconds since its process was created
//   qv_probe post CAPTION MSG WPARAM LPARAM post a message to the window; exit code 3 when the
//                                           window went before the post reached it
//   qv_probe close CAPTION TIMEOUT_MS       ask every window with the caption to close
//                                           (WM_CLOSE), again every half second, until none is
//                                           left: a window that goes by itself counts as closed
//   qv_probe quit CAPTION                   post WM_QUIT to the window's thread, as a program
//                                           of the session may
//   qv_probe send CAPTION CONTROL MSG WPARAM LPARAM   send one to a control; print the answer
//   qv_probe text CAPTION CONTROL           print a control's text
//   qv_probe rect CAPTION                   the client area on the screen: x y width height
//   qv_probe menu-key KEY TIMEOUT_MS        wait for an open popup menu, then type KEY (a
//                                           mnemonic letter, or esc, which also waits until the
//                                           menu has closed)
//   qv_probe watch CAPTION SECONDS          every 50 ms time an empty message sent to the
//                                           window: print "sample MS_SINCE_START WAIT_MS"
//   qv_probe value HKLM|HKCU\KEY NAME       a registry value as stored: its type, then its
//                                           data's bytes in hex
//
// CONTROL is a child's id, its caption written as =Caption, or the name of one of the settings
// dialog's controls written as @Name (@lstReboot). Numbers may be written as 0x... too. Exit
// code 2 when the window or control is not there within 60 s (or TIMEOUT_MS), or, for close,
// still there.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "win32/SettingsDialogLayout.h"
#include "settings/TimeSetControls.h"

namespace {

struct Search {
    std::string text;
    int id = -1;
    std::vector<HWND> found;
};

BOOL CALLBACK Match(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    if (search->id >= 0 ? GetDlgCtrlID(window) == search->id : search->text == text)
        search->found.push_back(window);
    return TRUE;
}

// The top-level windows with the caption, or the parent's children named as CONTROL above.
std::vector<HWND> All(HWND parent, const std::string& name) {
    Search s{parent == nullptr ? name : name.substr(1), -1, {}};
    const auto ctl = qv::CtlNamed(s.text);
    if (parent != nullptr && name[0] == '@')
        s.id = ctl ? qv::win32::SettingsDialogLayout::kFirstControlId + int(*ctl) : 1 << 30;
    else if (parent != nullptr && name[0] != '=')
        s.id = int(std::strtoll(name.c_str(), nullptr, 0));
    parent ? EnumChildWindows(parent, &Match, LPARAM(&s)) : EnumWindows(&Match, LPARAM(&s));
    return s.found;
}

// The window (or its control), waited for: one just shown may still be making its controls.
HWND Wait(const char* caption, const char* control = nullptr) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(100)) {
        std::vector<HWND> top = All(nullptr, caption);
        std::vector<HWND> found = top.empty() || !control ? top : All(top[0], control);
        if (!found.empty())
            return found[0];
    }
    std::exit(2);
}

const auto Ms = [](FILETIME f) { return f.dwHighDateTime * 4294967296.0 + f.dwLowDateTime; };

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 2 ? argv[1] : "";
    auto n = [&](int i) { return std::strtoll(argv[i], nullptr, 0); };
    DWORD_PTR result = 0;
    HWND window = nullptr;
    if (command == "count" && argc == 3) {
        std::printf("%zu\n", All(nullptr, argv[2]).size());
    } else if (command == "ready-ms" && argc == 4) {
        // The window's thread answers only once it runs its message loop.
        for (DWORD start = GetTickCount(); !window; Sleep(1)) {
            std::vector<HWND> all = All(nullptr, argv[2]);
            if (GetTickCount() - start >= DWORD(n(3)))
                return 2;
            if (!all.empty() &&
                SendMessageTimeoutA(all[0], WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &result))
                window = all[0];
        }
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        FILETIME now, created, unused[3];
        GetSystemTimeAsFileTime(&now);
        if (!GetProcessTimes(process, &created, unused, unused + 1, unused + 2))
            return 2;
        CloseHandle(process);
        std::printf("%.1f\n", (Ms(now) - Ms(created)) / 1e4);
    } else if (command == "post" && argc == 6) {
        if (!PostMessageA(Wait(argv[2]), UINT(n(3)), WPARAM(n(4)), LPARAM(n(5))))
            return 3;
    } else if (command == "close" && argc == 4) {
        // Counting and asking in one pass: a window seen and gone before it was asked is closed.
        for (ULONGLONG start = GetTickCount64(), next = start;; Sleep(100)) {
            const std::vector<HWND> all = All(nullptr, argv[2]);
            const ULONGLONG now = GetTickCount64();
            if (all.empty())
                break;
            if (now - start >= ULONGLONG(n(3)))
                return 2;
            if (now >= next) {
                for (HWND w : all)
                    PostMessageA(w, WM_CLOSE, 0, 0);
                next = now + 500;
            }
        }
    } else if (command == "quit" && argc == 3) {
        if (!PostThreadMessageA(GetWindowThreadProcessId(Wait(argv[2]), nullptr), WM_QUIT, 0, 0))
            return 3;
    } else if (command == "send" && argc == 7) {
        std::printf("%lld\n", (long long)SendMessageA(Wait(argv[2], argv[3]), UINT(n(4)),
                                                      WPARAM(n(5)), LPARAM(n(6))));
    } else if (command == "text" && argc == 4) {
        // GetWindowText does not ask a control of another process for its text; the message does.
        window = Wait(argv[2], argv[3]);
        std::vector<char> text(size_t(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1);
        SendMessageA(window, WM_GETTEXT, text.size(), LPARAM(text.data()));
        std::printf("%s\n", text.data());
    } else if (command == "rect" && argc == 3) {
        RECT r{};
        POINT origin{0, 0};
        GetClientRect(window = Wait(argv[2]), &r);
        ClientToScreen(window, &origin);
        std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, r.right, r.bottom);
    } else if (command == "menu-key" && argc == 4) {
        for (DWORD start = GetTickCount();
             !(window = FindWindowA("#32768", nullptr)) || !IsWindowVisible(window); Sleep(100))
            if (GetTickCount() - start >= DWORD(n(3)))
                return 2;
        bool esc = std::string(argv[2]) == "esc";
        PostMessageA(window, esc ? WM_KEYDOWN : WM_CHAR, esc ? VK_ESCAPE : WPARAM(argv[2][0]), 0);
        // A menu that is closing still shows: the next right click would meet it.
        for (DWORD start = GetTickCount(); esc && IsWindow(window) && IsWindowVisible(window);
             Sleep(50))
            if (GetTickCount() - start >= DWORD(n(3)))
                return 2;
    } else if (command == "watch" && argc == 4) {
        window = Wait(argv[2]);
        for (ULONGLONG start = GetTickCount64(), before;
             IsWindow(window) && (before = GetTickCount64()) - start < ULONGLONG(n(3)) * 1000;
             Sleep(50)) {
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &result);
            std::printf("sample %llu %llu\n", before - start, GetTickCount64() - before);
            std::fflush(stdout);
        }
    } else if (command == "value" && argc == 4) {
        const std::string key = argv[2];
        HKEY opened = nullptr;
        DWORD type = 0, size = 65536;
        std::vector<BYTE> data(size);
        // The bytes as stored: no terminator added, unlike RegGetValue. The key is closed as the
        // probe ends.
        if (RegOpenKeyExA(key.rfind("HKCU\\", 0) == 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE,
                          key.substr(5).c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS ||
            RegQueryValueExA(opened, argv[3], nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            return 2;
        std::printf("%lu ", type);
        for (DWORD i = 0; i < size; ++i)
            std::printf("%02x", data[i]);
        std::printf("\n");
    } else {
        return std::fputs("usage: qv_probe COMMAND ARGS, as listed in qv_probe.cpp\n", stderr), 64;
    }
    std::fflush(stdout);
    return 0;
}
