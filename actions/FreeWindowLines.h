#pragma once
#include <cstdint>
#include <string>

namespace qv {

// The lines that tell each free night's story in the event log.
inline constexpr const char* kFreeWindowStartedLine = "Free Usage Time Started.";
inline constexpr const char* kFreeWindowEndedPrefix = "Free Usage Time Ended : ";
inline constexpr const char* kRestoredPrefix = "Connectivity Restored after ";
// The computer kept awake in the window, asleep and awake again.
inline constexpr const char* kKeepingAwakeLine = "Keeping the Computer Awake in Free Usage Time.";
inline constexpr const char* kMaySleepLine = "Computer may Sleep Again.";
inline constexpr const char* kGoingToSleepLine = "Computer Going to Sleep.";
inline constexpr const char* kWokeUpLine = "Computer Woke Up.";

// "Free Usage Time Ended : " + kilobytes (as the traffic line writes them) + " KB in " + pages
// opened + " Pages, " + pages failed + " Failed.".
std::string FreeWindowEndedLine(int64_t bytes, int64_t pagesOpened, int64_t pagesFailed,
                                const std::string& decimalSeparator);

// "Connectivity Restored after " + failed pages in a row + " Failed Pages.".
std::string RestoredLine(int64_t failedInARow);

}  // namespace qv
