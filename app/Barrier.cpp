#include "app/Barrier.h"

#include <string>

#include "actions/ProgramPaths.h"
#include "app/App.h"

namespace qv {

void ReportUnexpected(App& app, const char* what) noexcept {
    // Set before the line is made, so that it holds even when memory is too short for the line.
    app.IconState = kErrorIconState;
    try {
        app.log.ReportFailure(std::string(kUnexpectedError) + (what != nullptr ? what : ""));
    } catch (const std::exception&) {
        // Not even the line could be written (memory is short): the error icon says it.
    }
}

void ReportStartupFailure(App& app, const char* what) noexcept {
    ReportUnexpected(app, what);
    try {
        app.os.ui.ShowMessage(std::string(kUnexpectedError) + (what != nullptr ? what : ""),
                              kAppTitle);
    } catch (const std::exception&) {
        // Not even the text could be made: the log line, if any, says it.
    }
}

}  // namespace qv
