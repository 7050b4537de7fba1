#pragma once
#include <cstdint>

namespace qv {

struct App;

// The free window as the program has seen it: open since its "Free Usage Time Started." line,
// with the counts at that moment, so that its end line tells the part of the window it saw.
struct FreeWindowState {
    bool Open = false;
    int64_t BytesAtStart = 0;
    int64_t OpenedAtStart = 0;
    int64_t FailedAtStart = 0;
    // The end line came before the window closed (the program ends or has asked Windows to
    // shut the computer down): the window is not found open again until it has closed.
    bool EndedEarly = false;
};

// What the window has carried so far since it was found open.
struct FreeWindowSoFar {
    int64_t bytes = 0;
    int64_t pagesOpened = 0;
    int64_t pagesFailed = 0;
};

// Writes "Free Usage Time Started." when the window is open now and was not before, and the
// end line when it was open and is not any more; then keeps the computer awake as the window
// asks and sets the wake timer for the next window. Inside a keep-alive cycle or a modem reboot
// it does nothing: the scheduler calls it again when the action has ended.
void WatchFreeWindow(App& app);

// Writes the end line when the window is open: the program ends or shuts the computer down, so
// the window is not found open again before it has closed.
void EndFreeWindow(App& app);

// The counts of the open window since it was found open.
FreeWindowSoFar FreeWindowCounts(const App& app);

}  // namespace qv
