#pragma once
#include <string>
#include <vector>

namespace qv {

// One entry of a popup menu. A separator has the command 0 and no caption.
struct MenuEntry {
    int command = 0;
    std::string caption;

    bool IsSeparator() const { return command == 0; }
};

// Popup menus of the main window.
class Menu {
  public:
    virtual ~Menu() = default;
    // Shows the entries as a popup menu at the mouse position and returns the command chosen,
    // or 0 when the menu was closed without a choice.
    virtual int TrackPopupAtCursor(const std::vector<MenuEntry>& entries) = 0;
};

}  // namespace qv
