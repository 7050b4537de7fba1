#include "win32/Win32Internet.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <utility>

#include "app/Globals.h"
#include "win32/Handles.h"

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

class Win32Request : public InternetRequest {
  public:
    Win32Request(InternetHandle session, InternetHandle request, uint32_t pageMs)
        : session_(std::move(session)),
          request_(std::move(request)),
          deadline_(GetTickCount64() + pageMs) {}

    size_t Read(char* buffer, size_t size) override {
        // A page past its time ends here, as if the data had ended.
        if (GetTickCount64() >= deadline_)
            return 0;
        // A read of a full buffer waits until the buffer is full: one byte a second would hold
        // the thread for hours. Waiting for some data, then reading only what has come, keeps
        // every wait within the receive time-out and lets messages run between the pieces.
        DWORD available = 0;
        if (!InternetQueryDataAvailable(request_.Get(), &available, 0, 0) || available == 0)
            return 0;
        DWORD count = 0;
        // Only the count matters: a failed or timed-out read leaves it at 0, which ends the page.
        InternetReadFile(request_.Get(), buffer,
                         static_cast<DWORD>(std::min<size_t>(size, available)), &count);
        return count;
    }

  private:
    // Members are destroyed in reverse: the request is closed first, then the session.
    InternetHandle session_;
    InternetHandle request_;
    ULONGLONG deadline_;
};

}  // namespace

std::unique_ptr<InternetRequest> Win32Internet::OpenUrl(const std::string& url) {
    InternetHandle session(
        InternetOpenA(kAppTitle, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session.Valid())
        return nullptr;
    SetTimeouts(session.Get(), timeouts_);
    InternetHandle request(
        InternetOpenUrlA(session.Get(), url.c_str(), nullptr, 0, kOpenUrlFlags, 0));
    if (!request.Valid())
        return nullptr;
    SetTimeouts(request.Get(), timeouts_);
    return std::make_unique<Win32Request>(std::move(session), std::move(request), timeouts_.pageMs);
}

}  // namespace qv
