#include "app/Barrier.h"

#include <string>

#include "actions/EventLog.h"
#include "app/App.h"

namespace qv {

void ReportUnexpected(App& app, const char* what) noexcept {
    app.IconState = 5;
    try {
        WriteLog(app, std::string(kUnexpectedError) + (what != nullptr ? what : ""));
    } catch (const std::exception&) {
        // Not even the line could be written (memory is short): the error icon says it.
    }
}

}  // namespace qv
