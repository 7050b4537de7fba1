#pragma once
#include "actions/ProgramPaths.h"
#include "platform/Registry.h"

namespace qv {

// Registers the program to start with Windows: its base name as the Run value, its path in
// double quotes and " /S" as the data; true when the value was written. Every call writes the
// value anew, so a value of an earlier version or of another folder takes this form.
bool AddToStartup(Registry& registry, const ProgramPaths& paths);

// Removes the program's Run value; a missing value is no failure worth reporting.
void RemoveFromStartup(Registry& registry, const ProgramPaths& paths);

}  // namespace qv
