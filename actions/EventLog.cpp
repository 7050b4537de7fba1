#include "actions/EventLog.h"

#include <cstdio>

#include "actions/Text.h"

namespace qv {
namespace {

std::string Pad(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
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

std::string EventLog::CurrentLine(const std::string& message) {
    return LogLine(clock_.Now(), clock_.DateSeparator(), clock_.TimeSeparator(), message);
}

bool EventLog::WriteLog(const std::string& message) {
    if (beforeLine_)
        beforeLine_();
    return files_.AppendBytes(logPath_, CurrentLine(message));
}

bool EventLog::WriteLogTo(std::string& path, const std::string& message) {
    path = ReplaceAll(path, "\\\\", "\\");
    return files_.AppendBytes(path, CurrentLine(message));
}

void EventLog::ReportFailure(const std::string& message) {
    iconState_ = kErrorIconState;
    ++failureCount_;
    lastFailure_ = message;
    WriteLog(message);
}

}  // namespace qv
