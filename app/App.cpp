#include "app/App.h"

#include "app/Icon.h"

namespace qv {

App::App(Platform& platform) : os(platform) {
    // The tray shows the current state before every line of the event log.
    log.SetBeforeLine([this] { UpdateTrayIcon(*this); });
}

}  // namespace qv
