#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Internet.h"

namespace qv {
namespace win32 {
class Win32Ui;
}

// Page fetching through WinINet: a session of its own for every page, the system's proxy
// settings, no cache. Every fetch is bounded by time-outs, so a server that stops answering
// in the middle of a page cannot hold the program. The calls that wait on the network (the
// open of the address, each read) run on a helper thread while the program's thread serves the
// window (win32::OffThreadCall), for at most `callMs` each: WinINet does not always keep its
// own time-outs (Wine's open of a port that swallows connects may never return). A call past
// that bound, or under way when the program is asked to end, is abandoned as a failure: the
// open gives nothing, the read ends the page, and the page's handles stay with the call until
// it returns.
class Win32Internet : public Internet {
  public:
    struct Timeouts {
        uint32_t connectMs = 30000;
        uint32_t sendMs = 30000;
        uint32_t receiveMs = 30000;
        // The longest a whole page may take: a server that keeps sending a byte now and then
        // would otherwise hold the fetch for ever.
        uint32_t pageMs = 120000;
        // The longest the program waits for one blocking call (the open, a read).
        uint32_t callMs = 30000;
    };

    explicit Win32Internet(win32::Win32Ui& ui) : ui_(ui) {}
    Win32Internet(win32::Win32Ui& ui, const Timeouts& timeouts) : ui_(ui), timeouts_(timeouts) {}

    std::unique_ptr<InternetRequest> OpenUrl(const std::string& url) override;

  private:
    win32::Win32Ui& ui_;
    Timeouts timeouts_;
};

}  // namespace qv
