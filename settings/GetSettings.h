#pragma once
#include <string>

namespace qv {

struct App;

// Loads the Settings record from the store in one pass. A failure ends the load where it
// happens, keeps the fields assigned so far, sets the error state and logs
// "GetSettings Unknown Error : " with the error number.
void GetSettings(App& app);

// Store access with the program's application name and section.
std::string GetSettingText(App& app, const std::string& key, const std::string& defaultText);
void SaveSettingText(App& app, const std::string& key, const std::string& text);

}  // namespace qv
