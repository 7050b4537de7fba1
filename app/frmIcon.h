#pragma once
#include <cstdint>

namespace qv {

struct App;

inline constexpr const char* kMainWindowCaption = "Icon Form";
inline constexpr const char* kAlreadyRunning = "This Application is Already Running.";
inline constexpr const char* kStartedLine = "Dastrel's Quorvane Helper Started.";
inline constexpr const char* kStartedWithWindowsLine =
    "Dastrel's Quorvane Helper Started with Windows.";
inline constexpr const char* kQuittingLine = "Dastrel's Quorvane Helper Quitting.";
inline constexpr const char* kNotepadFailed = "Unable to start Notepad to show the log : ";

// The tray's mouse messages that the main window acts on.
inline constexpr uint32_t kTrayLeftDoubleClick = 0x203;  // WM_LBUTTONDBLCLK
inline constexpr uint32_t kTrayRightButtonUp = 0x205;    // WM_RBUTTONUP
// The power events the main window acts on (WM_POWERBROADCAST's wParam).
inline constexpr uint32_t kPowerSuspend = 4;           // PBT_APMSUSPEND
inline constexpr uint32_t kPowerResumeAutomatic = 18;  // PBT_APMRESUMEAUTOMATIC

// The hidden main window's life: start-up, first activation, exit and unload.
class FrmIcon {
  public:
    explicit FrmIcon(App& app) : app_(app) {}

    // The start-up sequence. A second instance shows its message and ends the process.
    void Form_Load();
    // Adds the tray icon; the platform layer hides the window.
    void Form_Activate();
    // Writes what the program writes when it ends, the free window's end line, removes the
    // tray icon and stops the socket library.
    void Form_Unload();
    // The lines of Form_Unload, written at once (Windows may end the process as soon as it has
    // told the end of the session); the unload that follows writes them no more.
    void WriteEndLines();
    // "&Exit": closes the dialog, removes the icon, logs the quit line, unloads, ends.
    void mExit_Click();
    // "&ViewErrorLog": opens the log in Notepad and leaves the error state.
    void mLog_Click();
    // "&Settings": shows the settings dialog, modeless.
    void mSettings_Click();
    // The tray callback: a double-click opens the settings, a right click the popup menu.
    void Form_MouseMove(uint32_t mouseMessage);

    // Window events delivered by the platform layer: a timer tick, the tray's mouse
    // message (the callback's lParam) and a popup-menu command. A failure inside one is
    // reported ("Unexpected Error : ") and ends there.
    void OnTimer(int timerId);
    void OnTrayCallback(uint32_t mouseMessage);
    void OnMenuCommand(int commandId);
    // A power event: the computer goes to sleep, or resumed (told once per resume; the
    // other resume events are not looked at).
    void OnPowerBroadcast(uint32_t event);

    App& app() { return app_; }

  private:
    void ServeTimer(int timerId);
    void ServeMenuCommand(int commandId);

    App& app_;
    bool unloaded_ = false;
};

// Raises the user-interface thread to the highest normal priority.
void RaiseThreadPriority(App& app);

}  // namespace qv
