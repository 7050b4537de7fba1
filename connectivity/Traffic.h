#pragma once
#include <cstdint>

namespace qv {

struct App;

// Bytes fetched by the connectivity keeper since start; never reset.
struct TrafficCounter {
    int64_t TotalBytesDownloaded = 0;
};

// The count of bytes fetched since start.
int64_t TotalBytesDownloaded(const App& app);

}  // namespace qv
