#pragma once
#include <string>

#include "actions/EventLog.h"
#include "actions/ProgramPaths.h"
#include "platform/SettingsStore.h"
#include "settings/Settings.h"

namespace qv {

// The settings record and what loading and storing it uses.
struct SettingsAccess {
    SettingsStore& store;
    const ProgramPaths& paths;  // the store's application name is the program's base name
    EventLog& log;
    Settings& settings;
};

// Loads the Settings record from the store in one pass. A failure ends the load where it
// happens, keeps the fields assigned so far, sets the error state and logs
// "GetSettings Unknown Error : " with the error number.
void GetSettings(const SettingsAccess& access);

// Store access with the program's application name and section.
std::string GetSettingText(const SettingsAccess& access, const std::string& key,
                           const std::string& defaultText);
void SaveSettingText(const SettingsAccess& access, const std::string& key, const std::string& text);

}  // namespace qv
