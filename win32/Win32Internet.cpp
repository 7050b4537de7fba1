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

// What one read on the helper thread gives back.
struct ReadResult {
    std::vector<char> bytes;
    DWORD count = 0;
};

class Win32Request : public InternetRequest {
  public:
    Win32Request(win32::Win32Ui& ui, InternetHandle session, InternetHandle request,
                 uint32_t pageMs)
        : ui_(ui),
          session_(std::move(session)),
          request_(std::move(request)),
          deadline_(GetTickCount64() + pageMs) {}

    size_t Read(char* buffer, size_t size) override {
        // A page past its time ends here, as if the data had ended.
        if (GetTickCount64() >= deadline_ || !request_.Valid())
            return 0;
        // A read of a full buffer waits until the buffer is full: one byte a second would hold
        // the thread for hours. Waiting for some data, then reading only what has come, keeps
        // every wait within the receive time-out and lets messages run between the pieces.
        auto result = std::make_shared<ReadResult>();
        result->bytes.resize(size);
        const HINTERNET request = request_.Get();
        const bool finished = win32::OffThreadCall::Run(
            ui_,
            [request, result] {
                DWORD available = 0;
                if (!InternetQueryDataAvailable(request, &available, 0, 0) || available == 0)
                    return;
                // Only the count matters: a failed or timed-out read leaves it at 0, which ends
                // the page.
                InternetReadFile(
                    request, result->bytes.data(),
                    static_cast<DWORD>(std::min<size_t>(result->bytes.size(), available)),
                    &result->count);
            },
            [this] { CloseHandles(); });
        if (!finished)
            return 0;
        std::memcpy(buffer, result->bytes.data(), result->count);
        return result->count;
    }

  private:
    // Ends a call blocked on the request: the request is closed first, then the session.
    void CloseHandles() {
        request_.Reset();
        session_.Reset();
    }

    win32::Win32Ui& ui_;
    // Members are destroyed in reverse: the request is closed first, then the session.
    InternetHandle session_;
    InternetHandle request_;
    ULONGLONG deadline_;
};

// The request handle an open on the helper thread gives back.
struct OpenResult {
    HINTERNET request = nullptr;
};

}  // namespace

std::unique_ptr<InternetRequest> Win32Internet::OpenUrl(const std::string& url) {
    if (ui_.EndRequested())
        return nullptr;
    InternetHandle session(
        InternetOpenA(kAppTitle, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session.Valid())
        return nullptr;
    SetTimeouts(session.Get(), timeouts_);
    auto result = std::make_shared<OpenResult>();
    const HINTERNET sessionHandle = session.Get();
    const bool finished = win32::OffThreadCall::Run(
        ui_,
        [sessionHandle, url, result] {
            result->request =
                InternetOpenUrlA(sessionHandle, url.c_str(), nullptr, 0, kOpenUrlFlags, 0);
        },
        // Closing the session ends the open blocked in it, and closes the request it made.
        [&session] { session.Reset(); });
    if (!finished)
        return nullptr;
    InternetHandle request(result->request);
    if (!request.Valid())
        return nullptr;
    SetTimeouts(request.Get(), timeouts_);
    return std::make_unique<Win32Request>(ui_, std::move(session), std::move(request),
                                          timeouts_.pageMs);
}

}  // namespace qv
