#pragma once
#include <string>

namespace qv {

// The pictures the program's notification-area icon shows: the main window's own icon (until
// the first state picture), the state colours and the four animation frames.
enum class Picture { WindowIcon, Red, Green, Blue, Yellow, Frame1, Frame2, Frame3, Frame4 };

// The program's one icon in the notification area, with its picture and its tip. Its mouse
// messages come back to the main window.
class Tray {
  public:
    virtual ~Tray() = default;
    // Puts the icon into the notification area.
    virtual void Show(Picture picture, const std::string& tip) = 0;
    // Gives the icon another picture and tip; no effect while it is not in the area.
    virtual void Change(Picture picture, const std::string& tip) = 0;
    // Takes the icon out of the notification area.
    virtual void Remove() = 0;
};

}  // namespace qv
