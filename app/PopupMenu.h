#pragma once
#include <vector>

#include "platform/Menu.h"

namespace qv {

// The commands of the tray's popup menu mPopupSys ("&SysTray").
enum MenuCommand : int {
    kCmdLog = 101,          // mLog "&ViewErrorLog"
    kCmdSettings = 102,     // mSettings "&Settings"
    kCmdExit = 103,         // mExit "&Exit"
    kCmdNightReport = 104,  // mNightReport "&NightReport"
};

inline constexpr const char* kPopupSysCaption = "&SysTray";

// mPopupSys's entries in order: "&ViewErrorLog", "&NightReport", a separator, "&Settings", a
// separator, "&Exit".
const std::vector<MenuEntry>& PopupSysEntries();

}  // namespace qv
