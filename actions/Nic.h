#pragma once
#include <string>

#include "actions/EventLog.h"
#include "actions/ProgramPaths.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"

namespace qv {

// The batch files' texts: two lines each, every line ended by CR LF.
inline constexpr const char* kEnableBatchText =
    "Devcon enable =Net\r\nRem Devcon enable =Modem\r\n";
inline constexpr const char* kDisableBatchText =
    "Devcon disable =Net\r\nRem Devcon disable =Modem\r\n";

// The failure line of a batch file that Windows would not start, followed by its path.
inline constexpr const char* kBatchStartFailed = "Unable to Start : ";

// What switching the network card uses.
struct NicControl {
    FileSystem& files;
    Process& process;
    const ProgramPaths& paths;
    EventLog& log;
};

// Writes each of the two batch files that does not exist yet; an existing one belongs to the
// user and is never rewritten.
void WriteNicBatches(const NicControl& nic);

// Start the enable or disable batch file, minimized with the focus, without waiting. A missing
// file is written again first; when it still cannot be found, or cannot be started, the failure
// is logged. A start that succeeds logs nothing: the caller has written its own line.
void EnableNIC(const NicControl& nic);
void DisableNIC(const NicControl& nic);

}  // namespace qv
