#include "win32/Win32Internet.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "app/Globals.h"
#include "win32/Handles.h"
#include "win32/OffThreadCall.h"
#include "win32/Win32Ui.h"

namespace qv {
namespace {

// Reload from the server, keep the page out of the cache, keep the connection.
constexpr DWORD kOpenUrlFlags =
    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION;
static_assert(kOpenUrlFlags == 0x84400000);

// One WinINet handle, closed when it goes.
using InternetHandle = win32::Owner<HINTERNET, &::InternetCloseHandle>;

void SetTimeout(HINTERNET handle, DWORD option, DWORD milliseconds) {
    InternetSetOptionA(handle, option, &milliseconds, sizeof milliseconds);
}

void SetTimeouts(HINTERNET handle, const Win32Internet::Timeouts& t) {
    SetTimeout(handle, INTERNET_OPTION_CONNECT_TIMEOUT, t.connectMs);
    SetTimeout(handle, INTERNET_OPTION_SEND_TIMEOUT, t.sendMs);
    SetTimeout(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, t.receiveMs);
}

// The session and the request of one page, shared by the fetch and the call under way on the
// helper thread: whoever lets go last closes them, the request first, then the session.
struct PageHandles {
    InternetHandle session;
    InternetHandle request;
};

// What one read on the helper thread gives back.
struct ReadResult {
    std::vector<char> bytes;
    DWORD count = 0;
};

// Milliseconds from now to the deadline, 0 once it has passed.
uint32_t MsUntil(ULONGLONG deadline) {
    const ULONGLONG now = GetTickCount64();
    return now >= deadline ? 0 : static_cast<uint32_t>(std::min<ULONGLONG>(deadline - now, ~0u));
}

class Win32Request : public InternetRequest {
  public:
    Win32Request(win32::Win32Ui& ui, std::shared_ptr<PageHandles> handles,
                 const Win32Internet::Timeouts& timeouts)
        : ui_(ui),
          handles_(std::move(handles)),
          callMs_(timeouts.callMs),
          deadline_(GetTickCount64() + timeouts.pageMs) {}

    size_t Read(char* buffer, size_t size) override {
        // A page past its time ends here, as if the data had ended; so does one whose last read
        // was abandoned, which may still be under way.
        const uint32_t left = MsUntil(deadline_);
        if (left == 0 || abandoned_)
            return 0;
        // A read of a full buffer waits until the buffer is full: one byte a second would hold
        // the thread for hours. Waiting for some data, then reading only what has come, keeps
        // every wait within the receive time-out and lets messages run between the pieces.
        auto result = std::make_shared<ReadResult>();
        result->bytes.resize(size);
        abandoned_ =
            !win32::OffThreadCall::Run(ui_, std::min(callMs_, left), [handles = handles_, result] {
                const HINTERNET request = handles->request.Get();
                DWORD available = 0;
                if (!InternetQueryDataAvailable(request, &available, 0, 0) || available == 0)
                    return;
                // Only the count matters: a failed or timed-out read leaves it at 0, which ends
                // the page.
                InternetReadFile(
                    request, result->bytes.data(),
                    static_cast<DWORD>(std::min<size_t>(result->bytes.size(), available)),
                    &result->count);
            });
        if (abandoned_)
            return 0;
        std::memcpy(buffer, result->bytes.data(), result->count);
        return result->count;
    }

  private:
    win32::Win32Ui& ui_;
    std::shared_ptr<PageHandles> handles_;
    uint32_t callMs_;
    ULONGLONG deadline_;
    bool abandoned_ = false;
};

}  // namespace

std::unique_ptr<InternetRequest> Win32Internet::OpenUrl(const std::string& url) {
    if (ui_.EndRequested())
        return nullptr;
    auto handles = std::make_shared<PageHandles>();
    handles->session.Reset(
        InternetOpenA(kAppTitle, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!handles->session.Valid())
        return nullptr;
    SetTimeouts(handles->session.Get(), timeouts_);
    const bool finished = win32::OffThreadCall::Run(ui_, timeouts_.callMs, [handles, url] {
        handles->request.Reset(
            InternetOpenUrlA(handles->session.Get(), url.c_str(), nullptr, 0, kOpenUrlFlags, 0));
    });
    if (!finished || !handles->request.Valid())
        return nullptr;
    SetTimeouts(handles->request.Get(), timeouts_);
    return std::make_unique<Win32Request>(ui_, std::move(handles), timeouts_);
}

}  // namespace qv
