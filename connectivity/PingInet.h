#pragma once
#include <cstddef>
#include <string>

namespace qv {

struct App;

// Size of the one read buffer a fetch uses.
inline constexpr size_t kPageReadSize = 20480;
// The most of a page's text that a saved page keeps: its start.
inline constexpr size_t kSavedPageLimit = 1 << 20;

// Fetches the next page of the page list; after three failures in a row and three minutes
// without a success it reboots the modem. A call made while a check is still under way (from
// the window messages it lets run) does nothing.
void CheckConnectivity(App& app);

// Downloads one entry of the page list (a built-in home page through its search page) and
// adds its bytes to the traffic total. True when at least one byte was received. Writes the
// diagnostic files when their switches are on.
bool FetchPage(App& app, const std::string& url);

}  // namespace qv
