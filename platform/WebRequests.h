#pragma once
#include <string>
#include <vector>

namespace qv {

// One HTTP request as the program writes it. `headers` are whole header lines ("Name: value")
// sent as they stand, besides what the system adds itself (Host, Content-Length).
struct WebRequest {
    std::string method;  // "GET" or "POST"
    std::string url;     // http:// only
    std::vector<std::string> headers;
    std::string body;
};

// What came back. `answered` is false when no answer came: refused, no route, or no answer
// within the time-out; then the other fields are empty.
struct WebAnswer {
    bool answered = false;
    int status = 0;
    std::vector<std::string> headers;  // every header line of the answer, "Name: value"
    std::string body;                  // at most the first `WebRequests::kBodyCap` bytes
};

// Single HTTP requests to a device on the local network, with none of the system's own help:
// no redirect is followed, no login is answered (a 401 comes back as it is), no cache, no
// cookies. Sending serves the window while it waits, gives up after `kTimeoutSeconds`, and
// fails at once when the program was asked to end (Ui::EndRequested).
class WebRequests {
  public:
    static constexpr int kTimeoutSeconds = 30;
    static constexpr size_t kBodyCap = 64 * 1024;

    virtual ~WebRequests() = default;
    virtual WebAnswer Send(const WebRequest& request) = 0;
};

}  // namespace qv
