#pragma once

namespace qv {

struct App;

// Registers the program to start with Windows: its base name as the Run value, its path and
// " /S" as the data; true when the value was written.
bool AddToStartup(App& app);

// Removes the program's Run value; a missing value is no failure worth reporting.
void RemoveFromStartup(App& app);

}  // namespace qv
