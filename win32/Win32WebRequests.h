#pragma once
#include <cstdint>

#include "platform/WebRequests.h"

namespace qv::win32 {
class Win32Ui;

// Single requests to a device through WinINet, a session of its own for each: straight to the
// device (no proxy: it is on the home network, and the request may carry its password), with
// WinINet's own logins, redirects, cache and cookies left out, so that a 401 comes back as it
// is and the program answers the challenge itself. The send and the reads run on a helper
// thread (OffThreadCall) while the program's thread serves the window. The connect, the send and
// the wait for the answer are each bounded by WinINet's time-outs of `timeoutMs`, the body is
// read only within that time from the start, and when the program is asked to end the handles
// are closed, which ends the call at once.
class Win32WebRequests : public WebRequests {
  public:
    explicit Win32WebRequests(Win32Ui& ui, uint32_t timeoutMs = kTimeoutSeconds * 1000)
        : ui_(ui), timeoutMs_(timeoutMs) {}

    WebAnswer Send(const WebRequest& request) override;

  private:
    Win32Ui& ui_;
    uint32_t timeoutMs_;
};

}  // namespace qv::win32
