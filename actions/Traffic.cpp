#include "actions/Traffic.h"

#include "actions/NumberText.h"

namespace qv {

std::string TrafficLine(const TrafficCounter& traffic, const std::string& decimalSeparator) {
    return kTrafficLinePrefix + KilobytesText(traffic.TotalBytesDownloaded, decimalSeparator) +
           " KB.";
}

}  // namespace qv
