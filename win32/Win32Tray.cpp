#include "win32/Win32Tray.h"

#include <algorithm>
#include <cstring>

#include "app/Icon.h"
#include "res/resource.h"

namespace qv::win32 {
namespace {

#if defined(_WIN32) && !defined(_WIN64)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the 32-bit tray record is 88 bytes");
#endif
static_assert((NIF_MESSAGE | NIF_ICON | NIF_TIP) == 7);
static_assert(kTrayCallbackMessage == WM_MOUSEMOVE);

// The tip of the first record layout; newer headers' field is longer and stays zero past it.
constexpr size_t kTipBytes = 64;

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
    for (size_t i = 0; i < icons_.size(); ++i)
        icons_[i] = UniqueIcon(LoadSmallIcon(instance, kIconIds[i]));
    record_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record_.hWnd = window;
    record_.uID = 1;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = kTrayCallbackMessage;
    record_.hIcon = Icon(Picture::WindowIcon);
}

HICON Win32Tray::Icon(Picture picture) const {
    const size_t index = static_cast<size_t>(picture);
    return index < icons_.size() ? icons_[index].Get() : nullptr;
}

void Win32Tray::Take(Picture picture, const std::string& tip) {
    record_.hIcon = Icon(picture);
    static_assert(sizeof record_.szTip >= kTipBytes);
    std::memset(record_.szTip, 0, sizeof record_.szTip);
    // The tip, its NUL, blanks up to the last byte, which is a NUL.
    std::memset(record_.szTip, ' ', kTipBytes - 1);
    const size_t length = std::min(tip.size(), kTipBytes - 1);
    std::memcpy(record_.szTip, tip.data(), length);
    record_.szTip[length] = '\0';
}

void Win32Tray::Send(DWORD message) {
    NOTIFYICONDATAA sent = record_;
    notify_(message, &sent);
}

void Win32Tray::Show(Picture picture, const std::string& tip) {
    Take(picture, tip);
    Send(NIM_ADD);
    added_ = true;
}

// Before the icon is added (start-up logs its first line before the window is activated) and
// after it is removed there is no icon to change: the record is only kept, and the shell, which
// may still be starting and slow to answer, is not asked.
void Win32Tray::Change(Picture picture, const std::string& tip) {
    Take(picture, tip);
    if (added_)
        Send(NIM_MODIFY);
}

void Win32Tray::Remove() {
    if (added_)
        Send(NIM_DELETE);
    added_ = false;
}

void Win32Tray::Readd() {
    if (added_)
        Send(NIM_ADD);
}

}  // namespace qv::win32
