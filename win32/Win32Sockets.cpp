#include "win32/Win32Sockets.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace qv::win32 {
namespace {

constexpr WORD kRequestedVersion = 0x0101;  // Windows Sockets 1.1
constexpr long kConnectionEvents = FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE;

// The IPv4 address record of a dotted address text and a port.
sockaddr_in Target(const std::string& address, uint16_t port) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = ::htons(port);
    target.sin_addr.s_addr = ::inet_addr(address.c_str());
    return target;
}

// Milliseconds from now to the deadline, 0 once it has passed.
uint32_t MsUntil(ULONGLONG deadline) {
    const ULONGLONG now = ::GetTickCount64();
    return now >= deadline ? 0 : static_cast<uint32_t>(std::min<ULONGLONG>(deadline - now, ~0u));
}

// What a probe's own socket shows of its connect: 1 connected, 0 failed, -1 still under way.
int ConnectState(SOCKET s) {
    fd_set writable;
    fd_set failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(s, &writable);
    FD_SET(s, &failed);
    timeval now{};
    if (::select(0, nullptr, &writable, &failed, &now) <= 0)
        return -1;
    return FD_ISSET(s, &writable) ? 1 : 0;
}

}  // namespace

Win32Sockets::~Win32Sockets() {
    while (!pending_.empty())
        Forget(pending_.begin()->first);
    sockets_.clear();
    while (startups_ > 0) {
        ::WSACleanup();
        --startups_;
    }
}

bool Win32Sockets::Start() {
    WSADATA data;
    if (::WSAStartup(kRequestedVersion, &data) != 0)
        return false;
    ++startups_;
    version_ = data.wVersion;
    return true;
}

void Win32Sockets::Stop() {
    ::WSACleanup();
    if (startups_ > 0)
        --startups_;
}

SocketId Win32Sockets::Open() {
    UniqueSocket s(::socket(AF_INET, SOCK_STREAM, 0));
    if (!s.Valid())
        return kNoSocket;
    SocketId id = nextId_++;
    sockets_.emplace(id, Connection{UniqueSocketEvent(), std::move(s)});
    return id;
}

SOCKET Win32Sockets::Handle(SocketId socket) const {
    auto it = sockets_.find(socket);
    return it == sockets_.end() ? INVALID_SOCKET : it->second.socket.Get();
}

WSAEVENT Win32Sockets::Event(SocketId socket) const {
    auto it = sockets_.find(socket);
    return it == sockets_.end() ? WSA_INVALID_EVENT : it->second.event.Get();
}

bool Win32Sockets::WaitForEvent(SocketId socket, long events, ULONGLONG deadline, long& happened,
                                int& error) {
    for (;;) {
        const SOCKET s = Handle(socket);
        const WSAEVENT event = Event(socket);
        if (s == INVALID_SOCKET || event == WSA_INVALID_EVENT)
            return false;
        if (ui_.WaitServing(event, MsUntil(deadline)) != WaitOutcome::Signalled)
            return false;
        // The messages served meanwhile may have closed the connection.
        if (Handle(socket) != s)
            return false;
        WSANETWORKEVENTS network{};
        if (::WSAEnumNetworkEvents(s, event, &network) != 0)
            return false;
        happened = network.lNetworkEvents & events;
        if (happened != 0) {
            error = 0;
            for (int bit = 0; bit < FD_MAX_EVENTS; ++bit) {
                if ((happened & (1L << bit)) != 0 && network.iErrorCode[bit] != 0)
                    error = network.iErrorCode[bit];
            }
            return true;
        }
    }
}

bool Win32Sockets::Connect(SocketId& socket, const std::string& address, uint16_t port,
                           uint32_t timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    socket = Open();
    SOCKET s = Handle(socket);
    if (s == INVALID_SOCKET || ui_.EndRequested())
        return false;
    Connection& connection = sockets_.at(socket);
    connection.event.Reset(::WSACreateEvent());
    // The socket is non-blocking from here on.
    if (!connection.event.Valid() ||
        ::WSAEventSelect(s, connection.event.Get(), kConnectionEvents) != 0)
        return false;
    const sockaddr_in target = Target(address, port);
    if (::connect(s, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0)
        return true;
    if (::WSAGetLastError() != WSAEWOULDBLOCK)
        return false;
    // A connect still under way when the time-out ends stays unfinished; the socket is then
    // only good for closing.
    long happened = 0;
    int error = 0;
    return WaitForEvent(socket, FD_CONNECT, deadline, happened, error) && error == 0;
}

bool Win32Sockets::StartConnect(SocketId& socket, const std::string& address, uint16_t port,
                                uint32_t timeoutMs, std::function<void(SocketId, bool)> done) {
    socket = kNoSocket;
    if (window_ == nullptr)
        return false;
    const SocketId id = Open();
    SOCKET s = Handle(id);
    if (s == INVALID_SOCKET)
        return false;
    const sockaddr_in target = Target(address, port);
    // The socket is non-blocking from here on; the connect's outcome comes as a message.
    if (::WSAAsyncSelect(s, window_, kConnectMessage, FD_CONNECT) != 0) {
        sockets_.erase(id);
        return false;
    }
    if (::connect(s, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0) {
        ::PostMessageA(window_, kConnectMessage, static_cast<WPARAM>(s),
                       WSAMAKESELECTREPLY(FD_CONNECT, 0));
    } else if (::WSAGetLastError() != WSAEWOULDBLOCK) {
        ::WSAAsyncSelect(s, window_, 0, 0);
        sockets_.erase(id);
        return false;
    }
    pending_[s] = PendingConnect{id, std::move(done)};
    ::SetTimer(window_, kTimerBase + static_cast<UINT_PTR>(id), timeoutMs, nullptr);
    socket = id;
    return true;
}

bool Win32Sockets::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kConnectMessage) {
        auto it = pending_.find(static_cast<SOCKET>(wParam));
        if (it != pending_.end() && WSAGETSELECTEVENT(lParam) == FD_CONNECT) {
            // The socket itself says whether this outcome is its own.
            const int state = ConnectState(it->first);
            if (state >= 0)
                Finish(it, state == 1);
        }
        return true;
    }
    if (msg == WM_TIMER && wParam >= kTimerBase) {
        ::KillTimer(window_, wParam);
        for (auto it = pending_.begin(); it != pending_.end(); ++it) {
            if (kTimerBase + static_cast<UINT_PTR>(it->second.socket) == wParam) {
                Finish(it, false);
                break;
            }
        }
        return true;
    }
    return false;
}

void Win32Sockets::Finish(std::map<SOCKET, PendingConnect>::iterator it, bool connected) {
    const SocketId socket = it->second.socket;
    std::function<void(SocketId, bool)> done = std::move(it->second.done);
    Forget(it->first);
    done(socket, connected);  // may close the socket
}

void Win32Sockets::Forget(SOCKET s) {
    auto it = pending_.find(s);
    if (it == pending_.end())
        return;
    ::KillTimer(window_, kTimerBase + static_cast<UINT_PTR>(it->second.socket));
    ::WSAAsyncSelect(s, window_, 0, 0);
    pending_.erase(it);
}

int Win32Sockets::Send(SocketId socket, const std::string& bytes, uint32_t timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    if (Handle(socket) == INVALID_SOCKET || ui_.EndRequested())
        return -1;
    size_t sent = 0;
    while (sent < bytes.size()) {
        const SOCKET s = Handle(socket);
        if (s == INVALID_SOCKET)
            return -1;
        const int piece = static_cast<int>(std::min<size_t>(bytes.size() - sent, INT_MAX));
        const int n = ::send(s, bytes.data() + sent, piece, 0);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (n == 0 || ::WSAGetLastError() != WSAEWOULDBLOCK)
            return -1;
        // A peer that stops reading: what is left must go before the deadline.
        long happened = 0;
        int error = 0;
        if (!WaitForEvent(socket, FD_WRITE | FD_CLOSE, deadline, happened, error))
            return -1;
    }
    return static_cast<int>(std::min<size_t>(sent, INT_MAX));
}

std::string Win32Sockets::Receive(SocketId socket, size_t maxBytes, uint32_t timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    if (Handle(socket) == INVALID_SOCKET || ui_.EndRequested())
        return "";
    std::vector<char> buffer(std::min<size_t>(maxBytes, INT_MAX));
    for (;;) {
        const SOCKET s = Handle(socket);
        if (s == INVALID_SOCKET)
            return "";
        const int n = ::recv(s, buffer.data(), static_cast<int>(buffer.size()), 0);
        if (n > 0)
            return std::string(buffer.data(), static_cast<size_t>(n));
        if (n == 0 || ::WSAGetLastError() != WSAEWOULDBLOCK)
            return "";
        long happened = 0;
        int error = 0;
        if (!WaitForEvent(socket, FD_READ | FD_CLOSE, deadline, happened, error))
            return "";
    }
}

void Win32Sockets::Close(SocketId socket) {
    SOCKET s = Handle(socket);
    if (s == INVALID_SOCKET)
        return;
    ::shutdown(s, SD_BOTH);
    Forget(s);
    sockets_.erase(socket);
}

void Win32Sockets::CancelBlockingCall() {
    if (::WSAIsBlocking() != FALSE)
        ::WSACancelBlockingCall();
}

}  // namespace qv::win32
