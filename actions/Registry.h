#pragma once
#include <string>

#include "actions/ProgramPaths.h"
#include "platform/Registry.h"

namespace qv {

// The machine-wide key whose values Windows starts at logon.
inline constexpr const char* kRunSubKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Writes one REG_SZ value (the text and its terminating NUL); true when the write succeeded.
bool WriteRegString(Registry& registry, RegistryRoot root, const std::string& subKey,
                    const std::string& valueName, const std::string& data);

// Deletes one value; true when it was deleted, false when it did not exist or could not go.
bool DeleteRegValue(Registry& registry, RegistryRoot root, const std::string& subKey,
                    const std::string& valueName);

// The two routines bound to the Run key under HKEY_LOCAL_MACHINE.
bool SetRunValue(Registry& registry, const std::string& valueName, const std::string& data);
bool DeleteRunValue(Registry& registry, const std::string& valueName);

// Registers the program to start with Windows: its base name as the value, its path and " /S"
// as the data.
bool AddToStartup(Registry& registry, const ProgramPaths& paths);

// Removes the program's Run value; a missing value is no failure worth reporting.
void RemoveFromStartup(Registry& registry, const ProgramPaths& paths);

}  // namespace qv
