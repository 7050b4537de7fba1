#include "win32/Win32Clock.h"

#include <windows.h>

namespace qv::win32 {
namespace {

std::string LocaleText(LCTYPE type, const char* fallback) {
    char buffer[16] = {};
    int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
    if (n <= 1)
        return fallback;
    return std::string(buffer, static_cast<size_t>(n - 1));
}

}  // namespace

LocalTime Win32Clock::Now() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::string Win32Clock::DateSeparator() {
    return LocaleText(LOCALE_SDATE, "/");
}
std::string Win32Clock::TimeSeparator() {
    return LocaleText(LOCALE_STIME, ":");
}
std::string Win32Clock::DecimalSeparator() {
    return LocaleText(LOCALE_SDECIMAL, ".");
}

uint64_t Win32Clock::SteadyMs() {
    return GetTickCount64();
}

}  // namespace qv::win32
