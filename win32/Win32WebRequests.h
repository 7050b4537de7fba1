#pragma once
#include <cstdint>

#include "platform/WebRequests.h"

namespace qv::win32 {
class Win32Ui;

// Single requests to a device through WinINet, a session of its own for each: straight to the
// device (no proxy: it is on the home network, and the request may carry its password), with
// WinINet's own logins, redirects, cache and cookies left out, so that a 401 comes back as it
// is and the program answers the challenge itself. The send and the reads run on a helper
// thread while the program's thread serves the window for at most `kTimeoutSeconds`: WinINet's
// time-outs bound the connect and each wait where the system keeps them, the wait for the
// helper bounds the whole where it does not, and a call still under way at the bound is left
// behind with the handles it holds. When the program is asked to end, the wait ends at once.
class Win32WebRequests : public WebRequests {
  public:
    explicit Win32WebRequests(Win32Ui& ui) : ui_(ui) {}

    WebAnswer Send(const WebRequest& request) override;

  private:
    Win32Ui& ui_;
    uint32_t timeoutMs_ = kTimeoutSeconds * 1000;
};

}  // namespace qv::win32
