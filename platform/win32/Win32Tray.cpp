#include "platform/win32/Win32Tray.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "res/resource.h"

namespace qv::win32 {
namespace {

#if defined(_WIN32) && !defined(_WIN64)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the 32-bit tray record is 88 bytes");
#endif

constexpr int kIconIds[9] = {IDI_MAIN,     IDI_PRED,     IDI_PGREEN,   IDI_PBLUE,   IDI_PYELLOW,
                             IDI_PICTURE1, IDI_PICTURE2, IDI_PICTURE3, IDI_PICTURE4};

HICON LoadSmallIcon(HINSTANCE instance, int id) {
    HICON icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    if (icon == nullptr) {
        icon = static_cast<HICON>(CopyImage(
            LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)), IMAGE_ICON, 0, 0, 0));
    }
    return icon;
}

}  // namespace

void Win32Tray::Attach(HWND window, HINSTANCE instance) {
    window_ = window;
    for (size_t i = 0; i < icons_.size(); ++i) {
        icons_[i] = UniqueIcon(LoadSmallIcon(instance, kIconIds[i]));
    }
}

IconHandle Win32Tray::MainWindowIcon() {
    return reinterpret_cast<IconHandle>(icons_[0].Get());
}

IconHandle Win32Tray::PictureIcon(Picture picture) {
    size_t index = 1 + static_cast<size_t>(picture);
    if (index >= icons_.size())
        return 0;
    return reinterpret_cast<IconHandle>(icons_[index].Get());
}

void Win32Tray::Notify(TrayMessage message, const NotifyIconData& record) {
    NOTIFYICONDATAA data{};
    data.cbSize = record.cbSize;
    data.hWnd = reinterpret_cast<HWND>(record.hWnd);
    data.uID = record.uID;
    data.uFlags = record.uFlags;
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.hIcon);
    // The record's tip is shorter than the structure's in newer headers: take what it holds.
    constexpr size_t kTipBytes = std::min(sizeof data.szTip, std::tuple_size_v<TipText>);
    std::memcpy(data.szTip, record.szTip.data(), kTipBytes);
    data.szTip[kTipBytes - 1] = '\0';
    Shell_NotifyIconA(static_cast<DWORD>(message), &data);
    last_ = record;
    if (message == TrayMessage::Add)
        added_ = true;
    if (message == TrayMessage::Delete)
        added_ = false;
}

void Win32Tray::Readd() {
    if (added_)
        Notify(TrayMessage::Add, last_);
}

}  // namespace qv::win32
