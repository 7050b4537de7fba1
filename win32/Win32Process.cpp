#include "win32/Win32Process.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace qv::win32 {

bool Win32Process::ClaimSingleInstance() {
    instanceMutex_ = UniqueHandle(CreateMutexA(nullptr, FALSE, kInstanceMutex));
    if (!instanceMutex_.Valid())
        return true;  // no way to tell; let this one run
    return GetLastError() != ERROR_ALREADY_EXISTS;
}

void Win32Process::RaiseThreadPriority() {
    HANDLE thread = GetCurrentThread();
    (void)GetThreadPriority(thread);
    SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST);
}

std::string Win32Process::ExecutablePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return "";
        if (n < buffer.size())
            return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

std::string Win32Process::ArgumentsOf(const std::string& commandLine) {
    size_t i = 0;
    if (i < commandLine.size() && commandLine[i] == '"') {
        size_t close = commandLine.find('"', 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t')
            ++i;
    }
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t'))
        ++i;
    return commandLine.substr(i);
}

std::string Win32Process::CommandLineArguments() {
    const char* line = GetCommandLineA();
    return ArgumentsOf(line != nullptr ? line : "");
}

bool Win32Process::StartProgram(const std::string& commandLine, ShowCommand show) {
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi)) {
        return false;
    }
    UniqueHandle process(pi.hProcess);
    UniqueHandle thread(pi.hThread);
    return true;
}

void Win32Process::ShellOpen(const std::string& file, ShowCommand show) {
    ShellExecuteA(nullptr, nullptr, file.c_str(), nullptr, nullptr, static_cast<int>(show));
}

bool Win32Process::OpenDocument(const std::string& path) {
    // ShellExecute's result is a number above 32 on success.
    HINSTANCE result =
        ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void Win32Process::EndProcess() {
    ExitProcess(0);
}

}  // namespace qv::win32
