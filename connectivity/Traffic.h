#pragma once
#include <cstdint>

namespace qv {

struct TrafficCounter {
    int64_t TotalBytesDownloaded = 0;
};

}  // namespace qv
