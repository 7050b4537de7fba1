#include "actions/Registry.h"

namespace qv {

bool AddToStartup(Registry& registry, const ProgramPaths& paths) {
    return registry.SetRunValue(paths.ExeBaseName, paths.ExePath + " /S");
}

void RemoveFromStartup(Registry& registry, const ProgramPaths& paths) {
    registry.DeleteRunValue(paths.ExeBaseName);
}

}  // namespace qv
