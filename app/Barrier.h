#pragma once
#include <exception>
#include <utility>

namespace qv {

struct App;

inline constexpr const char* kUnexpectedError = "Unexpected Error : ";

// Reports a failure that no routine caught: the error state, then one log line
// "Unexpected Error : " + what happened. Never throws.
void ReportUnexpected(App& app, const char* what) noexcept;

// Reports a failure at start-up: as ReportUnexpected, and then the same text in one message
// box with the program's caption, so that a program that cannot start never ends silently.
void ReportStartupFailure(App& app, const char* what) noexcept;

// The barrier at every entry from Windows into the program (window procedures, timer ticks,
// tray and menu handlers, and so every message dispatched while an action pumps): a failure
// inside `handler` is reported and ends there, and the program goes on serving messages.
// Every failure the program or the standard library raises is a std::exception.
template <typename F>
void Barrier(App& app, F&& handler) {
    try {
        std::forward<F>(handler)();
    } catch (const std::exception& e) {
        ReportUnexpected(app, e.what());
    }
}

// The barrier around start-up (building the dialog, Form_Load, Form_Activate): false after a
// failure, which has been reported with ReportStartupFailure; the program then ends.
template <typename F>
bool StartupBarrier(App& app, F&& startUp) {
    try {
        std::forward<F>(startUp)();
        return true;
    } catch (const std::exception& e) {
        ReportStartupFailure(app, e.what());
        return false;
    }
}

}  // namespace qv
