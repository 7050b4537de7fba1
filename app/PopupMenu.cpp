#include "app/PopupMenu.h"

namespace qv {

const std::vector<MenuEntry>& PopupSysEntries() {
    static const std::vector<MenuEntry> entries{
        {kCmdLog, "&ViewErrorLog"},
        {kCmdNightReport, "&NightReport"},
        {0, ""},
        {kCmdSettings, "&Settings"},
        {0, ""},
        {kCmdExit, "&Exit"},
    };
    return entries;
}

}  // namespace qv
