#pragma once
#include <string>

namespace qv {

struct App;

// The batch files' texts: two lines each, every line ended by CR LF.
inline constexpr const char* kEnableBatchText =
    "Devcon enable =Net\r\nRem Devcon enable =Modem\r\n";
inline constexpr const char* kDisableBatchText =
    "Devcon disable =Net\r\nRem Devcon disable =Modem\r\n";

// Writes each of the two batch files that does not exist yet; an existing one belongs to the
// user and is never rewritten.
void WriteNicBatches(App& app);

// Start the enable or disable batch file, minimized with the focus, without waiting. A missing
// file is written again first; when it still cannot be found the failure is logged.
void EnableNIC(App& app);
void DisableNIC(App& app);

}  // namespace qv
