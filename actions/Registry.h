#pragma once
#include <string>

#include "platform/Registry.h"

namespace qv {

struct App;

// The machine-wide key whose values Windows starts at logon.
inline constexpr const char* kRunSubKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Writes one REG_SZ value (the text and its terminating NUL); true when the write succeeded.
bool WriteRegString(App& app, RegistryRoot root, const std::string& subKey,
                    const std::string& valueName, const std::string& data);

// Deletes one value; true when it was deleted, false when it did not exist or could not go.
bool DeleteRegValue(App& app, RegistryRoot root, const std::string& subKey,
                    const std::string& valueName);

// The two routines bound to the Run key under HKEY_LOCAL_MACHINE.
bool SetRunValue(App& app, const std::string& valueName, const std::string& data);
bool DeleteRunValue(App& app, const std::string& valueName);

// Registers the program to start with Windows: its base name as the value, its path and " /S"
// as the data.
bool AddToStartup(App& app);

// Removes the program's Run value; a missing value is no failure worth reporting.
void RemoveFromStartup(App& app);

}  // namespace qv
