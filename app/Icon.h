#pragma once
#include <cstdint>

namespace qv {

struct App;

inline constexpr const char* kTrayTip = "Quorvane Helper by Dastrel.";
inline constexpr uint32_t kTrayCallbackMessage = 0x200;  // WM_MOUSEMOVE

// At start-up: the tray icon shows the main window's own icon until the first state picture.
void FillTrayIconRecord(App& app);

// Gives the tray icon the picture of the current state (any other state keeps the picture it
// has) and the tip.
void UpdateTrayIcon(App& app);

// Computes, stores and returns the icon state; state 5 stays until the log is opened.
int32_t GetCurrentIconNo(App& app);

// Starts the four-frame animation; while one runs it changes nothing.
void TrayAnimate(App& app);

// tmrIconAni (200 ms): frames 1 to 4, then the state icon back and the timer off.
void tmrIconAni_Timer(App& app);

// tmrIconUpdate (30 s): recomputes the state and shows its icon, unless an animation runs.
void tmrIconUpdate_Timer(App& app);

}  // namespace qv
