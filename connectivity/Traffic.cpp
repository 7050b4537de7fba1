#include "connectivity/Traffic.h"

#include "app/App.h"

namespace qv {

int64_t TotalBytesDownloaded(const App& app) {
    return app.traffic.TotalBytesDownloaded;
}

}  // namespace qv
