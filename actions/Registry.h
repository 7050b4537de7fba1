#pragma once
#include "actions/ProgramPaths.h"
#include "platform/Registry.h"

namespace qv {

// Registers the program to start with Windows: its base name as the Run value, its path and
// " /S" as the data; true when the value was written.
bool AddToStartup(Registry& registry, const ProgramPaths& paths);

// Removes the program's Run value; a missing value is no failure worth reporting.
void RemoveFromStartup(Registry& registry, const ProgramPaths& paths);

}  // namespace qv
