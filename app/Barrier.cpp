#include "app/Barrier.h"

#include <string>

#include "app/App.h"

namespace qv {

void ReportUnexpected(App& app, const char* what) noexcept {
    try {
        app.log.ReportFailure(std::string(kUnexpectedError) + (what != nullptr ? what : ""));
    } catch (const std::exception&) {
        // Not even the line could be written (memory is short): the error icon says it.
    }
}

}  // namespace qv
