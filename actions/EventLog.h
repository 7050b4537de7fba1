#pragma once
#include <string>

#include "platform/Clock.h"

namespace qv {

struct App;

// One log line: "dd/mm/yyyy hh:nn:ss " with the regional separators, ">   ", the message and
// CR LF.
std::string LogLine(const LocalTime& time, const std::string& dateSeparator,
                    const std::string& timeSeparator, const std::string& message);

// Refreshes the tray icon, then appends one line to the event log beside the program. The
// line is dropped silently when the file cannot be written; the result says which happened.
bool WriteLog(App& app, const std::string& message);

// Appends one line in the log layout to another file. Every "\\" in the path is made a single
// backslash first, and the caller's variable keeps the cleaned path. Leaves the tray alone.
bool WriteLogTo(App& app, std::string& path, const std::string& message);

}  // namespace qv
