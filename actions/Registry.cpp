#include "actions/Registry.h"

namespace qv {

// The path goes in quotes: unquoted, Windows would try every blank-cut prefix of a path with
// blanks as a program first ("C:\Program.exe" for "C:\Program Files\..."), and whoever can
// write such a folder would run code at every logon. A Windows path holds no quote itself.
bool AddToStartup(Registry& registry, const ProgramPaths& paths) {
    return registry.SetRunValue(paths.ExeBaseName, "\"" + paths.ExePath + "\" /S");
}

void RemoveFromStartup(Registry& registry, const ProgramPaths& paths) {
    registry.DeleteRunValue(paths.ExeBaseName);
}

}  // namespace qv
