#pragma once
#include <cstdint>

namespace qv {

struct App;

// Bytes received by all page fetches since the program started; never reset. 64 bits, so a
// keep-alive left on for months never wraps it.
struct TrafficCounter {
    int64_t TotalBytesDownloaded = 0;
};

// The count of bytes fetched since start.
int64_t TotalBytesDownloaded(const App& app);

}  // namespace qv
