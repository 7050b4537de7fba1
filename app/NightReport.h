#pragma once

namespace qv {

struct App;

inline constexpr const char* kLogUnreadable = "Unable to read the log for the night report : ";
inline constexpr const char* kReportUnwritable = "Unable to write the night report : ";
inline constexpr const char* kReportNotOpened = "Unable to open the night report : ";

// "&NightReport": reads the log beside the program, writes the report page and the outages'
// CSV into the user's temporary folder and opens the page in the default browser. A failure
// shows one message box and writes one failure line.
void MakeNightReport(App& app);

}  // namespace qv
