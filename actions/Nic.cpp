#include "actions/Nic.h"

#include "actions/EventLog.h"
#include "actions/FileHelpers.h"
#include "app/App.h"

namespace qv {
namespace {

void RunBatch(App& app, const std::string& path) {
    if (!FileExists(app, path)) {
        WriteNicBatches(app);
        if (!FileExists(app, path)) {
            app.IconState = 5;
            WriteLog(app, "File Missing : " + path);
            return;
        }
    }
    app.os.process.StartProgram(path, ShowCommand::MinimizedFocused);
}

}  // namespace

void WriteNicBatches(App& app) {
    if (!FileExists(app, app.paths.EnableBatchPath))
        WriteTextFile(app, app.paths.EnableBatchPath, kEnableBatchText);
    if (!FileExists(app, app.paths.DisableBatchPath))
        WriteTextFile(app, app.paths.DisableBatchPath, kDisableBatchText);
}

void EnableNIC(App& app) {
    RunBatch(app, app.paths.EnableBatchPath);
}

void DisableNIC(App& app) {
    RunBatch(app, app.paths.DisableBatchPath);
}

}  // namespace qv
