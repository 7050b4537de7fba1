#pragma once
#include <array>
#include <cstdint>

namespace qv {

// Opaque handles owned by the platform layer.
using WindowHandle = std::uintptr_t;
using IconHandle = std::uintptr_t;

// The pictures the main window holds.
enum class Picture { Red, Green, Blue, Yellow, Frame1, Frame2, Frame3, Frame4 };

enum class TrayMessage : uint32_t { Add = 0, Modify = 1, Delete = 2 };

// The tip text of the record: 64 bytes, as in the original record layout.
using TipText = std::array<char, 64>;

// The notification-area record, in the shape Shell_NotifyIconA takes it.
struct NotifyIconData {
    uint32_t cbSize = 0;
    WindowHandle hWnd = 0;
    uint32_t uID = 0;
    uint32_t uFlags = 0;
    uint32_t uCallbackMessage = 0;
    IconHandle hIcon = 0;
    TipText szTip{};
};

// The notification area and the main window's pictures.
class Tray {
  public:
    virtual ~Tray() = default;
    // Shell_NotifyIconA; its result is not looked at.
    virtual void Notify(TrayMessage message, const NotifyIconData& record) = 0;
    // NOTIFYICONDATAA_V1_SIZE of this build (88 on 32-bit Windows).
    virtual uint32_t RecordSize() = 0;
    virtual WindowHandle MainWindow() = 0;
    virtual IconHandle MainWindowIcon() = 0;
    virtual IconHandle PictureIcon(Picture picture) = 0;
};

}  // namespace qv
