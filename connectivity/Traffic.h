#pragma once
#include <cstdint>

namespace qv {

// Bytes fetched by the keep-alive since start; never reset.
struct TrafficCounter {
    int64_t TotalBytesDownloaded = 0;
};

}  // namespace qv
