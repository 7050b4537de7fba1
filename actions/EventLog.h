#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace qv {

// The icon state that means a failure was logged; it stays until the log is opened.
inline constexpr int32_t kErrorIconState = 5;

// One log line: "dd/mm/yyyy hh:nn:ss " with the regional separators, ">   ", the message and
// CR LF.
std::string LogLine(const LocalTime& time, const std::string& dateSeparator,
                    const std::string& timeSeparator, const std::string& message);

// The event log beside the program, and the one way a failure is reported: the error state,
// then one line.
class EventLog {
  public:
    // `logPath` and `iconState` belong to the program and are read at every line.
    EventLog(FileSystem& files, Clock& clock, const std::string& logPath, int32_t& iconState)
        : files_(files), clock_(clock), logPath_(logPath), iconState_(iconState) {}
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    // What runs before each line of the event log (the tray shows the current state).
    void SetBeforeLine(std::function<void()> beforeLine) { beforeLine_ = std::move(beforeLine); }

    // Appends one line to the event log. The line is dropped silently when the file cannot be
    // written; the result says which happened.
    bool WriteLog(const std::string& message);

    // Appends one line in the log layout to another file. Every "\\" in the path is made a
    // single backslash first, and the caller's variable keeps the cleaned path. Runs nothing
    // before the line.
    bool WriteLogTo(std::string& path, const std::string& message);

    // A failure: the error state, then the line.
    void ReportFailure(const std::string& message);
    // How many failures were reported since start, and the last one's message.
    uint64_t FailureCount() const { return failureCount_; }
    const std::string& LastFailure() const { return lastFailure_; }

  private:
    std::string CurrentLine(const std::string& message);

    FileSystem& files_;
    Clock& clock_;
    const std::string& logPath_;
    int32_t& iconState_;
    std::function<void()> beforeLine_;
    uint64_t failureCount_ = 0;
    std::string lastFailure_;
};

}  // namespace qv
