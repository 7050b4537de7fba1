#pragma once
#include <cstdint>

namespace qv {

struct App;

inline constexpr const char* kTrayTip = "Quorvane Helper by Dastrel.";
inline constexpr uint32_t kTrayCallbackMessage = 0x200;  // WM_MOUSEMOVE

// Fills the tray record once at start-up: size, main window, id 1, flags 7, callback 0x200,
// the window's own icon and the tip.
void FillTrayIconRecord(App& app);

// Puts the picture of the current state into the record and sends it with NIM_MODIFY.
void UpdateTrayIcon(App& app);

// Computes, stores and returns the icon state; state 5 stays until the log is opened.
int32_t GetCurrentIconNo(App& app);

}  // namespace qv
