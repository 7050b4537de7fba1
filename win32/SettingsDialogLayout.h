#pragma once
#include <windows.h>

#include <map>
#include <optional>
#include <vector>

#include "win32/SettingsDialogLook.h"
#include "settings/TimeSetControls.h"

namespace qv::win32 {

// The settings dialog's pages and the places of its controls: a tab control with a child
// window per page, and on each page a window for every control of the description, where the
// description puts it, scaled to the screen's resolution.
class SettingsDialogLayout {
  public:
    static constexpr int kFirstControlId = 1000;  // plus the control's place in the description
    static constexpr int kTabId = 999;

    // Throws std::invalid_argument, naming the fault, for a description the dialog cannot be
    // laid out from (a control without a place, or off its pages, or out of order).
    explicit SettingsDialogLayout(std::vector<Control> description);

    const Control& Described(Ctl id) const { return description_[static_cast<size_t>(id)]; }

    // Makes the tab control, the pages (windows of pageClass, created with pageParam) and the
    // controls inside the dialog's client area; those of an earlier creation went with its window.
    void Create(HWND dialog, HINSTANCE instance, const char* pageClass, void* pageParam, int dpiX,
                int dpiY, const SettingsDialogLook& look);

    // Shows one page and hides the others; the tab control follows.
    void SelectPage(int page);
    int CurrentPage() const { return page_; }

    HWND Tab() const { return tab_; }
    HWND Window(Ctl id) const;                    // null when it was not created
    std::optional<Ctl> IdOf(HWND control) const;  // which control a window is

  private:
    std::vector<Control> description_;
    HWND tab_ = nullptr;
    std::vector<HWND> pages_;    // one child window per tab page, holding that page's controls
    std::vector<HWND> windows_;  // by identifier
    std::map<HWND, Ctl> idOf_;
    int page_ = 0;
};

}  // namespace qv::win32
