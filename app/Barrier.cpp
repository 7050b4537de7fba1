#include "app/Barrier.h"

#include <string>

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

}  // namespace qv
