#include "actions/Nic.h"

#include "actions/FileHelpers.h"

namespace qv {
namespace {

void RunBatch(const NicControl& nic, const std::string& path) {
    if (!FileExists(nic.files, path)) {
        WriteNicBatches(nic);
        if (!FileExists(nic.files, path)) {
            nic.log.ReportFailure("File Missing : " + path);
            return;
        }
    }
    if (!nic.process.StartProgram(path, ShowCommand::MinimizedFocused))
        nic.log.ReportFailure(kBatchStartFailed + path);
}

}  // namespace

void WriteNicBatches(const NicControl& nic) {
    if (!FileExists(nic.files, nic.paths.EnableBatchPath))
        WriteTextFile(nic.files, nic.paths.EnableBatchPath, kEnableBatchText);
    if (!FileExists(nic.files, nic.paths.DisableBatchPath))
        WriteTextFile(nic.files, nic.paths.DisableBatchPath, kDisableBatchText);
}

void EnableNIC(const NicControl& nic) {
    RunBatch(nic, nic.paths.EnableBatchPath);
}

void DisableNIC(const NicControl& nic) {
    RunBatch(nic, nic.paths.DisableBatchPath);
}

}  // namespace qv
