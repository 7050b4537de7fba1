#include "actions/EventLog.h"

#include <cstdio>

#include "app/App.h"
#include "app/Icon.h"
#include "settings/LeadingNumber.h"

namespace qv {
namespace {

std::string Pad(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

std::string CurrentLine(App& app, const std::string& message) {
    Clock& clock = app.os.clock;
    return LogLine(clock.Now(), clock.DateSeparator(), clock.TimeSeparator(), message);
}

}  // namespace

std::string LogLine(const LocalTime& t, const std::string& dateSeparator,
                    const std::string& timeSeparator, const std::string& message) {
    std::string line;
    line.reserve(26 + message.size());
    line += Pad(t.day, 2) + dateSeparator + Pad(t.month, 2) + dateSeparator + Pad(t.year, 4);
    line += ' ';
    line += Pad(t.hour, 2) + timeSeparator + Pad(t.minute, 2) + timeSeparator + Pad(t.second, 2);
    line += " >   ";
    line += message;
    line += "\r\n";
    return line;
}

bool WriteLog(App& app, const std::string& message) {
    UpdateTrayIcon(app);
    return app.os.files.AppendBytes(app.paths.LogPath, CurrentLine(app, message));
}

bool WriteLogTo(App& app, std::string& path, const std::string& message) {
    path = ReplaceAll(path, "\\\\", "\\");
    return app.os.files.AppendBytes(path, CurrentLine(app, message));
}

}  // namespace qv
