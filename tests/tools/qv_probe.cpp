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
//   qv_probe watch CAPTION SECONDS        every 50 ms send the window an empty message and time
//                                         its answer (waiting up to 120 s); every second print one
//                                         line "sample MS PRIVATE HANDLES GDI USER WAIT_MS": the
//                                         milliseconds since the start, the window process's
//                                         private bytes, handle count, GDI and USER objects (-1
//                                         where the call failed) and the longest wait of that
//                                         second; ends after SECONDS or when the window goes.
//                                         First prints "self PRIVATE HANDLES GDI USER", the
//                                         same counters of qv_probe's own process
//   qv_probe menu-key KEY TIMEOUT_MS      wait for an open popup menu, print the entries it
//                                         can read, then type KEY (a mnemonic letter, or esc)
//
// Numbers may be written in decimal or as 0x... hexadecimal. Exit code 0 on success, 2 when
// the window was not found in time.
//
// Driving a dialog (DIALOG is the caption of a top-level window; CONTROL is a child's control
// id, its caption written as =Caption, or the name of one of the settings dialog's controls
// written as @Name, e.g. @lstReboot):
//   qv_probe rect CAPTION                 print the window's screen rectangle: x y width height
//   qv_probe client-rect CAPTION          the same for its client area
//   qv_probe children DIALOG              print each child: id, class, visible (0/1), text
//   qv_probe text DIALOG CONTROL          print a control's text
//   qv_probe items DIALOG CONTROL         print a list box's or combo box's entries, one a line
//   qv_probe checked DIALOG CONTROL       print 1 when a check box is ticked, else 0
//   qv_probe click DIALOG CONTROL         press a button or check box as a click would
//   qv_probe set-text DIALOG CONTROL TEXT  replace a control's text (an edit sends its change)
//   qv_probe select DIALOG CONTROL INDEX  select a combo box or list box entry, as a pick would
//   qv_probe key DIALOG CONTROL VK        press and release a key in a control
//   qv_probe dblclick DIALOG CONTROL      double-click a control
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/SettingsDialogLayout.h"
#include "settings/TimeSetControls.h"

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

int Usage();

struct ChildSearch {
    std::string caption;
    int id = -1;
    HWND found = nullptr;
};

BOOL CALLBACK FindChild(HWND child, LPARAM lParam) {
    auto* search = reinterpret_cast<ChildSearch*>(lParam);
    if (search->id >= 0) {
        if (GetDlgCtrlID(child) != search->id)
            return TRUE;
    } else {
        char text[512] = {};
        GetWindowTextA(child, text, sizeof text);
        if (search->caption != text)
            return TRUE;
    }
    search->found = child;
    return FALSE;
}

// A child of the dialog by its id, by its caption when written as =Caption, or by its name in
// the settings dialog when written as @Name.
HWND Child(HWND dialog, const std::string& control) {
    ChildSearch search;
    if (!control.empty() && control[0] == '=') {
        search.caption = control.substr(1);
    } else if (!control.empty() && control[0] == '@') {
        const std::optional<qv::Ctl> id = qv::CtlNamed(control.substr(1));
        if (!id)
            return nullptr;
        search.id = qv::win32::SettingsDialogLayout::kFirstControlId + static_cast<int>(*id);
    } else {
        search.id = static_cast<int>(Number(control.c_str()));
    }
    EnumChildWindows(dialog, &FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    char cls[64] = {};
    char text[512] = {};
    GetClassNameA(child, cls, sizeof cls);
    GetWindowTextA(child, text, sizeof text);
    std::printf("%d\t%s\t%d\t%s\n", GetDlgCtrlID(child), cls, IsWindowVisible(child) ? 1 : 0, text);
    return TRUE;
}

std::string ClassOf(HWND window) {
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    return cls;
}

// Tells the control's parent what a user's action would: WM_COMMAND with the notification.
void NotifyParent(HWND control, WORD code) {
    SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

int DriveDialog(const std::string& command, HWND dialog, int argc, char** argv) {
    // A window just shown may still be making its controls.
    HWND control = nullptr;
    for (DWORD start = GetTickCount(); (control = Child(dialog, argv[3])) == nullptr;) {
        if (GetTickCount() - start >= 5000)
            return 2;
        Sleep(100);
    }
    std::string cls = ClassOf(control);
    if (command == "text" && argc == 4) {
        // GetWindowText does not ask a control of another process for its text; the message does.
        LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
        std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
        SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        std::printf("%s\n", text.data());
        return 0;
    }
    if (command == "items" && argc == 4) {
        bool combo = _stricmp(cls.c_str(), "ComboBox") == 0;
        LRESULT count = SendMessageA(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            // Asked in UTF-16: Wine hands another process's entries over as such either way.
            wchar_t item[1024] = {};
            LRESULT length = SendMessageW(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN,
                                          static_cast<WPARAM>(i), 0);
            if (length >= 0 && length < static_cast<LRESULT>(sizeof item / sizeof item[0]))
                SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(item));
            char text[2048] = {};
            WideCharToMultiByte(CP_ACP, 0, item, -1, text, sizeof text, nullptr, nullptr);
            std::printf("%s\n", text);
        }
        return 0;
    }
    if (command == "checked" && argc == 4) {
        std::printf("%d\n", SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        return 0;
    }
    if (command == "click" && argc == 4) {
        SendMessageA(control, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == "set-text" && argc == 5) {
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
        if (_stricmp(cls.c_str(), "ComboBox") == 0)
            NotifyParent(control, CBN_EDITCHANGE);
        return 0;
    }
    if (command == "select" && argc == 5) {
        WPARAM index = static_cast<WPARAM>(Number(argv[4]));
        if (_stricmp(cls.c_str(), "ComboBox") == 0) {
            SendMessageA(control, CB_SETCURSEL, index, 0);
            NotifyParent(control, CBN_SELCHANGE);
        } else {
            SendMessageA(control, LB_SETCURSEL, index, 0);
            NotifyParent(control, LBN_SELCHANGE);
        }
        return 0;
    }
    if (command == "key" && argc == 5) {
        WPARAM key = static_cast<WPARAM>(Number(argv[4]));
        SendMessageA(control, WM_KEYDOWN, key, 1);
        SendMessageA(control, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
        return 0;
    }
    if (command == "dblclick" && argc == 4) {
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(control, WM_LBUTTONUP, 0, 0);
        SendMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
        SendMessageA(control, WM_LBUTTONUP, 0, 0);
        return 0;
    }
    return Usage();
}

// The counters of a process as the system reports them; -1 where a call failed.
struct Counters {
    long long privateBytes = -1;
    long long handles = -1;
    long long gdi = -1;
    long long user = -1;
};

Counters Sample(HANDLE process) {
    Counters c;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory))
        c.privateBytes = static_cast<long long>(memory.PrivateUsage);
    DWORD handles = 0;
    if (GetProcessHandleCount(process, &handles))
        c.handles = handles;
    SetLastError(0);
    DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    c.gdi = gdi == 0 && GetLastError() != 0 ? -1 : static_cast<long long>(gdi);
    SetLastError(0);
    DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    c.user = user == 0 && GetLastError() != 0 ? -1 : static_cast<long long>(user);
    return c;
}

int Watch(const std::string& caption, DWORD seconds) {
    HWND window = WaitFor(caption, false, 60000);
    if (window == nullptr)
        return 2;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr)
        return 2;
    // What the system reports for this process itself, to tell a counter it does not keep
    // from one it keeps only for its own process.
    Counters self = Sample(GetCurrentProcess());
    std::printf("self %lld %lld %lld %lld\n", self.privateBytes, self.handles, self.gdi, self.user);
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    auto elapsedMs = [&] {
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
               static_cast<double>(frequency.QuadPart);
    };
    double longest = 0;
    double nextReport = 0;
    while (IsWindow(window) && elapsedMs() < seconds * 1000.0) {
        double before = elapsedMs();
        DWORD_PTR result = 0;
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &result);
        double wait = elapsedMs() - before;
        if (wait > longest)
            longest = wait;
        if (elapsedMs() >= nextReport) {
            Counters c = Sample(process);
            std::printf("sample %.0f %lld %lld %lld %lld %.1f\n", elapsedMs(), c.privateBytes,
                        c.handles, c.gdi, c.user, longest);
            std::fflush(stdout);
            longest = 0;
            nextReport += 1000;
        }
        double spent = elapsedMs() - before;
        if (spent < 50)
            Sleep(static_cast<DWORD>(50 - spent));
    }
    CloseHandle(process);
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: qv_probe "
                 "msgbox|wait-window|post|send|count|rect|client-rect|children|text|items|checked|"
                 "click|set-text|select|key|"
                 "dblclick|watch ...\n");
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
    if (command == "watch" && argc == 4)
        return Watch(caption, static_cast<DWORD>(Number(argv[3])));
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
    if ((command == "rect" || command == "client-rect") && argc == 3) {
        HWND window = WaitFor(caption, false, 5000);
        RECT r{};
        if (window == nullptr || !GetWindowRect(window, &r))
            return 2;
        if (command == "client-rect") {
            POINT origin{0, 0};
            GetClientRect(window, &r);
            ClientToScreen(window, &origin);
            OffsetRect(&r, origin.x, origin.y);
        }
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (command == "children" && argc == 3) {
        HWND dialog = WaitFor(caption, false, 5000);
        if (dialog == nullptr)
            return 2;
        EnumChildWindows(dialog, &PrintChild, 0);
        std::fflush(stdout);
        return 0;
    }
    if (argc >= 4 && (command == "text" || command == "items" || command == "checked" ||
                      command == "click" || command == "set-text" || command == "select" ||
                      command == "key" || command == "dblclick")) {
        HWND dialog = WaitFor(caption, false, 5000);
        if (dialog == nullptr)
            return 2;
        int result = DriveDialog(command, dialog, argc, argv);
        std::fflush(stdout);
        return result;
    }
    return Usage();
}
