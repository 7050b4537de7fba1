#pragma once
#include <cstddef>
#include <memory>
#include <string>

namespace qv {

// One open page request. Destroying it closes the request and then its internet session.
class InternetRequest {
  public:
    virtual ~InternetRequest() = default;
    // Reads up to `size` bytes of the page into `buffer`. 0 means the end of the data, a failed
    // read or a read that timed out.
    virtual size_t Read(char* buffer, size_t size) = 0;
};

// Page fetching over HTTP with the system's proxy settings. Opening and reading serve the
// window while they wait, and fail at once when the program was asked to end
// (Ui::EndRequested).
class Internet {
  public:
    virtual ~Internet() = default;
    // Opens an internet session and the address in it, bypassing the cache. Nothing when
    // either step fails.
    virtual std::unique_ptr<InternetRequest> OpenUrl(const std::string& url) = 0;
};

}  // namespace qv
