#include "actions/Registry.h"

#include "app/App.h"

namespace qv {

bool AddToStartup(App& app) {
    return app.os.registry.SetRunValue(app.paths.ExeBaseName, app.paths.ExePath + " /S");
}

void RemoveFromStartup(App& app) {
    app.os.registry.DeleteRunValue(app.paths.ExeBaseName);
}

}  // namespace qv
