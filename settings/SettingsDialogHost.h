#pragma once
#include <string>

namespace qv {

// The settings dialog as the rest of the program reaches it: the tray opens it, the exit
// closes it, the minute counter display writes its network-card frame.
class SettingsDialogHost {
  public:
    virtual ~SettingsDialogHost() = default;
    // Creates the dialog when it is not loaded (load steps), shows and activates it. The first
    // showing after a creation puts the Settings record into the controls.
    virtual void ShowDialog() = 0;
    // Runs the close steps and destroys the dialog, when it is loaded.
    virtual void UnloadDialog() = 0;
    // Sets Frame1's caption, creating the dialog hidden when it is not loaded.
    virtual void SetFrame1Caption(const std::string& caption) = 0;
    virtual bool IsDialogLoaded() const = 0;
};

}  // namespace qv
