#pragma once
#include <cstdint>
#include <string>

namespace qv {

// The lines that tell each free night's story in the event log.
inline constexpr const char* kFreeWindowStartedLine = "Free Usage Time Started.";
inline constexpr const char* kFreeWindowEndedPrefix = "Free Usage Time Ended : ";
inline constexpr const char* kRestoredPrefix = "Connectivity Restored after ";

// "Free Usage Time Ended : " + kilobytes (as the traffic line writes them) + " KB in " + pages
// opened + " Pages, " + pages failed + " Failed.".
std::string FreeWindowEndedLine(int64_t bytes, int64_t pagesOpened, int64_t pagesFailed,
                                const std::string& decimalSeparator);

// "Connectivity Restored after " + failed pages in a row + " Failed Pages.".
std::string RestoredLine(int64_t failedInARow);

}  // namespace qv
