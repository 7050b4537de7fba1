#pragma once

namespace qv {

struct App;

// Logs the traffic total when bytes were fetched, then has Windows shut down at once.
void ShutDownPC(App& app);

// A forced shutdown request, with the shutdown privilege enabled first on the NT family.
void ShutDownWindows(App& app);

// Enables the shutdown privilege in the process's token.
void EnableShutdownPrivilege(App& app);

// Sets IsWinNT: 1 on an NT-family system, 0 otherwise.
void CheckWinNT(App& app);

}  // namespace qv
