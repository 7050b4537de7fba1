#pragma once

namespace qv {

struct App;

// Logs the traffic total when bytes were fetched, then has Windows shut down at once.
void ShutDownPC(App& app);

}  // namespace qv
