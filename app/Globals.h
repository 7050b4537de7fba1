#pragma once
#include <string>

#include "actions/ProgramPaths.h"

namespace qv {

struct App;

// Folder and base name of an executable path: "C:\Tools\Quorvane.exe" gives "C:\Tools" and
// "Quorvane"; a program at a drive root gives the folder "C:\".
void SplitExecutablePath(const std::string& exePath, std::string& folder, std::string& baseName);

// Fills the built-in addresses and the program paths, gives the service timers their periods,
// starts the socket library and writes the missing batch files.
void InitGlobals(App& app);

}  // namespace qv
