#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "settings/Settings.h"
#include "settings/TimeSetControls.h"

namespace qv {

// How a setting's stored text becomes the record's field, and the dialog's value its text.
enum class Rule {
    // A check box: any number but 0 reads as on; stored as "1" or "0" as the box is ticked.
    Box,
    // Check boxes read as Box whose saving has a rule of its own: the shutdown times are
    // checked first, the Run value follows the box.
    ShutAtBox,
    ShutDuringBox,
    StartupBox,
    // Whole numbers, each saved from its own place.
    DialogTop,
    DialogLeft,
    Interval,
    RebootGrace,
    // Texts with a rule of their own.
    FreeHours,    // "start,end"
    CardTimes,    // "h:m,h:m"
    RebootTimes,  // "hh:mm,hh:mm,..."
    PingUrls,     // the pages fetched besides the built-in ones
    ShutAt,       // "hh:mm", saved only after SrvShutAt's checks passed
    ShutDuring,   // "hh:mm-hh:mm", likewise after SrvShutDuring's
    RebootLimit,  // "count,hours"
};

// The record's field a setting fills by a common rule: a check box's flag, or a whole number.
// The other settings' rules name their fields themselves.
struct SettingField {
    constexpr SettingField() = default;
    constexpr SettingField(bool Settings::*f) : flag(f) {}
    constexpr SettingField(int32_t Settings::*n) : number(n) {}
    bool Settings::*flag = nullptr;
    int32_t Settings::*number = nullptr;
};

// One user setting: its key and the text read when none is stored, its rule, its field, the
// control that shows it, and where saving writes it: with the page `page`, in the order of
// `place` among that page's writes. The writes go page by page with a message pump after each.
struct SettingRow {
    const char* key;
    const char* defaultText;
    Rule rule;
    SettingField field;
    std::optional<Ctl> control;
    int page;
    int place;
};

// Every setting, in the order they are read: a key that fails to read ends the reading there,
// and the keys after it keep what they had.
std::span<const SettingRow> SettingRows();

}  // namespace qv
