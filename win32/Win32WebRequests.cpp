#include "win32/Win32WebRequests.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "actions/ProgramPaths.h"
#include "actions/Text.h"
#include "win32/Handles.h"
#include "win32/OffThreadCall.h"
#include "win32/Win32Ui.h"

namespace qv::win32 {
namespace {

// Nothing of WinINet's own: no login answered, no redirect followed, nothing from or to the
// cache, no cookies, no dialog.
constexpr DWORD kRequestFlags = INTERNET_FLAG_NO_AUTH | INTERNET_FLAG_NO_AUTO_REDIRECT |
                                INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_RELOAD |
                                INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;

using InternetHandle = Owner<HINTERNET, &::InternetCloseHandle>;

void SetTimeout(HINTERNET handle, DWORD option, DWORD milliseconds) {
    InternetSetOptionA(handle, option, &milliseconds, sizeof milliseconds);
}

// The parts of an http:// address that the request needs.
struct Target {
    std::string host;
    INTERNET_PORT port = 0;
    std::string object;  // path and query
};

bool Crack(const std::string& url, Target& target) {
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    // Lengths that are not 0 with no buffer ask for pointers into `url`.
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlA(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts) ||
        parts.nScheme != INTERNET_SCHEME_HTTP || parts.dwHostNameLength == 0)
        return false;
    target.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    target.port = parts.nPort;
    if (parts.lpszUrlPath)
        target.object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo)
        target.object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (target.object.empty())
        target.object = "/";
    return true;
}

// One request, shared by the program's thread and the call under way on the helper thread:
// whoever lets go last closes the handles (the request first, then the connection, then the
// session), so a call left behind at the bound never meets a handle closed under it.
struct Exchange {
    InternetHandle session;
    InternetHandle connection;
    InternetHandle request;
    std::string headers;  // the request's header lines, CR LF each
    std::string body;     // the request's body
    WebAnswer answer;
};

// On the helper thread: sends the request, then reads the status, the header lines and the
// body up to its cap, until the deadline.
void Talk(Exchange& exchange, ULONGLONG deadline) {
    const HINTERNET request = exchange.request.Get();
    if (!HttpSendRequestA(request, exchange.headers.c_str(),
                          static_cast<DWORD>(exchange.headers.size()), exchange.body.data(),
                          static_cast<DWORD>(exchange.body.size())))
        return;
    DWORD status = 0, size = sizeof status;
    // A line that closed without a status line is no answer.
    if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr) ||
        status < 100 || status > 999)
        return;
    std::string raw(4096, '\0');
    size = static_cast<DWORD>(raw.size());
    if (!HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, raw.data(), &size, nullptr)) {
        raw.assign(GetLastError() == ERROR_INSUFFICIENT_BUFFER ? size : 0, '\0');
        if (raw.empty() ||
            !HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, raw.data(), &size, nullptr))
            size = 0;
    }
    raw.resize(std::min<size_t>(size, raw.size()));
    std::string body;
    char buffer[4096];
    // Each wait for data is bounded by what is left of the request's time.
    for (ULONGLONG now = GetTickCount64(); now < deadline && body.size() < WebRequests::kBodyCap;
         now = GetTickCount64()) {
        SetTimeout(request, INTERNET_OPTION_RECEIVE_TIMEOUT, static_cast<DWORD>(deadline - now));
        DWORD available = 0, read = 0;
        if (!InternetQueryDataAvailable(request, &available, 0, 0) || available == 0)
            break;
        const size_t wanted =
            std::min({sizeof buffer, size_t{available}, WebRequests::kBodyCap - body.size()});
        if (!InternetReadFile(request, buffer, static_cast<DWORD>(wanted), &read) || read == 0)
            break;
        body.append(buffer, read);
    }
    WebAnswer& answer = exchange.answer;
    answer.answered = true;
    answer.status = static_cast<int>(status);
    // The status line first, then one header a line, then an empty line.
    const std::vector<std::string> lines = TextLines(raw);
    for (size_t i = 1; i < lines.size(); ++i)
        if (!lines[i].empty())
            answer.headers.push_back(lines[i]);
    answer.body = std::move(body);
}

}  // namespace

WebAnswer Win32WebRequests::Send(const WebRequest& request) {
    Target target;
    if (ui_.EndRequested() || !Crack(request.url, target))
        return {};
    const ULONGLONG deadline = GetTickCount64() + timeoutMs_;
    auto exchange = std::make_shared<Exchange>();
    exchange->session.Reset(
        InternetOpenA(kAppTitle, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!exchange->session.Valid())
        return {};
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT})
        SetTimeout(exchange->session.Get(), option, timeoutMs_);
    // Neither the connection handle nor the request handle touches the network yet.
    exchange->connection.Reset(InternetConnectA(exchange->session.Get(), target.host.c_str(),
                                                target.port, nullptr, nullptr,
                                                INTERNET_SERVICE_HTTP, 0, 0));
    if (exchange->connection.Valid())
        exchange->request.Reset(HttpOpenRequestA(exchange->connection.Get(), request.method.c_str(),
                                                 target.object.c_str(), "HTTP/1.1", nullptr,
                                                 nullptr, kRequestFlags, 0));
    if (!exchange->request.Valid())
        return {};
    for (const std::string& line : request.headers)
        exchange->headers += line + "\r\n";
    exchange->body = request.body;
    // WinINet's time-outs bound the connect and the waits on the real system; the wait for the
    // call bounds the whole where they are not kept.
    if (!OffThreadCall::Run(ui_, timeoutMs_, [exchange, deadline] { Talk(*exchange, deadline); }))
        return {};
    return std::move(exchange->answer);
}

}  // namespace qv::win32
