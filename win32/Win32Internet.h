#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Internet.h"

namespace qv {

// Page fetching through WinINet: a session of its own for every page, the system's proxy
// settings, no cache. Every fetch is bounded by time-outs, so a server that stops answering
// in the middle of a page cannot hold the program.
class Win32Internet : public Internet {
  public:
    struct Timeouts {
        uint32_t connectMs = 30000;
        uint32_t sendMs = 30000;
        uint32_t receiveMs = 30000;
        // The longest a whole page may take: a server that keeps sending a byte now and then
        // would otherwise hold the fetch for ever.
        uint32_t pageMs = 120000;
    };

    Win32Internet() = default;
    explicit Win32Internet(const Timeouts& timeouts) : timeouts_(timeouts) {}

    std::unique_ptr<InternetRequest> OpenUrl(const std::string& url) override;

  private:
    Timeouts timeouts_;
};

}  // namespace qv
