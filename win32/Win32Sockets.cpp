#include "win32/Win32Sockets.h"

#include <climits>
#include <vector>

namespace qv::win32 {
namespace {

constexpr WORD kRequestedVersion = 0x0101;  // Windows Sockets 1.1

timeval ToTimeval(uint32_t timeoutMs) {
    timeval tv{};
    tv.tv_sec = static_cast<long>(timeoutMs / 1000);
    tv.tv_usec = static_cast<long>((timeoutMs % 1000) * 1000);
    return tv;
}

enum class Readiness { Read, Write };

// Waits until the socket can be read or written; true when it could in time.
bool WaitFor(SOCKET s, Readiness readiness, uint32_t timeoutMs) {
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(s, &ready);
    FD_SET(s, &failed);
    timeval tv = ToTimeval(timeoutMs);
    int r = readiness == Readiness::Read ? ::select(0, &ready, nullptr, &failed, &tv)
                                         : ::select(0, nullptr, &ready, &failed, &tv);
    return r > 0 && FD_ISSET(s, &ready);
}

// The IPv4 address record of a dotted address text and a port.
sockaddr_in Target(const std::string& address, uint16_t port) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = ::htons(port);
    target.sin_addr.s_addr = ::inet_addr(address.c_str());
    return target;
}

bool SetNonBlocking(SOCKET s, bool on) {
    u_long mode = on ? 1 : 0;
    return ::ioctlsocket(s, FIONBIO, &mode) == 0;
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
    sockets_.emplace(id, std::move(s));
    return id;
}

SOCKET Win32Sockets::Handle(SocketId socket) const {
    auto it = sockets_.find(socket);
    return it == sockets_.end() ? INVALID_SOCKET : it->second.Get();
}

bool Win32Sockets::Connect(SocketId& socket, const std::string& address, uint16_t port,
                           uint32_t timeoutMs) {
    socket = Open();
    SOCKET s = Handle(socket);
    if (s == INVALID_SOCKET)
        return false;
    const sockaddr_in target = Target(address, port);
    if (!SetNonBlocking(s, true))
        return false;
    bool connected = false;
    if (::connect(s, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0) {
        connected = true;
    } else if (::WSAGetLastError() == WSAEWOULDBLOCK && WaitFor(s, Readiness::Write, timeoutMs)) {
        int error = 0;
        int length = sizeof error;
        connected =
            ::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) == 0 &&
            error == 0;
    }
    // A connect still under way when the time-out ends stays unfinished; the socket is then
    // only good for closing.
    return SetNonBlocking(s, false) && connected;
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
        if (it != pending_.end() && WSAGETSELECTEVENT(lParam) == FD_CONNECT)
            Finish(it, WSAGETSELECTERROR(lParam) == 0);
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
    SOCKET s = Handle(socket);
    if (s == INVALID_SOCKET || !WaitFor(s, Readiness::Write, timeoutMs))
        return -1;
    int count =
        bytes.size() > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(bytes.size());
    return ::send(s, bytes.data(), count, 0);
}

std::string Win32Sockets::Receive(SocketId socket, size_t maxBytes, uint32_t timeoutMs) {
    SOCKET s = Handle(socket);
    if (s == INVALID_SOCKET || !WaitFor(s, Readiness::Read, timeoutMs))
        return "";
    if (maxBytes > static_cast<size_t>(INT_MAX))
        maxBytes = INT_MAX;
    std::vector<char> buffer(maxBytes);
    int n = ::recv(s, buffer.data(), static_cast<int>(buffer.size()), 0);
    if (n <= 0)
        return "";
    return std::string(buffer.data(), static_cast<size_t>(n));
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
