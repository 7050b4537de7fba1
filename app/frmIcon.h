#pragma once
#include <cstdint>
#include <functional>
#include <utility>

namespace qv {

struct App;

inline constexpr const char* kMainWindowCaption = "Icon Form";
inline constexpr const char* kAlreadyRunning = "This Application is Already Running.";
inline constexpr const char* kStartedLine = "Dastrel's Quorvane Helper Started.";
inline constexpr const char* kStartedWithWindowsLine =
    "Dastrel's Quorvane Helper Started with Windows.";
inline constexpr const char* kQuittingLine = "Dastrel's Quorvane Helper Quitting.";

// The hidden main window's life: start-up, first activation, exit and unload.
class FrmIcon {
  public:
    explicit FrmIcon(App& app) : app_(app) {}

    // The start-up sequence. A second instance shows its message and ends the process.
    void Form_Load();
    // Adds the tray icon; the platform layer hides the window.
    void Form_Activate();
    // Removes the tray icon and stops the socket library.
    void Form_Unload();
    // "&Exit": closes the dialog, removes the icon, logs the quit line, unloads, ends.
    void mExit_Click();

    // Window events delivered by the platform layer: a timer tick, the tray's mouse
    // message (the callback's lParam) and a popup-menu command.
    void OnTimer(int timerId);
    void OnTrayCallback(uint32_t mouseMessage);
    void OnMenuCommand(int commandId);

    // Called by mExit_Click to close the settings dialog when it is loaded.
    void SetDialogCloser(std::function<void()> closer) { dialogCloser_ = std::move(closer); }

  private:
    App& app_;
    bool unloaded_ = false;
    std::function<void()> dialogCloser_;
};

// Raises the user-interface thread to the highest normal priority.
void RaiseThreadPriority(App& app);

}  // namespace qv
