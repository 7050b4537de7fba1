#include "actions/FreeWindowLines.h"

#include "actions/NumberText.h"

namespace qv {

std::string FreeWindowEndedLine(int64_t bytes, int64_t pagesOpened, int64_t pagesFailed,
                                const std::string& decimalSeparator) {
    return kFreeWindowEndedPrefix + KilobytesText(bytes, decimalSeparator) + " KB in " +
           std::to_string(pagesOpened) + " Pages, " + std::to_string(pagesFailed) + " Failed.";
}

std::string RestoredLine(int64_t failedInARow) {
    return kRestoredPrefix + std::to_string(failedInARow) + " Failed Pages.";
}

}  // namespace qv
