#include "posix/PosixSockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <vector>

namespace qv {
namespace {

int TimeoutArg(uint32_t timeoutMs) {
    return timeoutMs > static_cast<uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(timeoutMs);
}

// Waits for the events on the descriptor; true when one of them came in time.
bool WaitFor(int fd, short events, uint32_t timeoutMs) {
    pollfd p{fd, events, 0};
    int r;
    do {
        r = ::poll(&p, 1, TimeoutArg(timeoutMs));
    } while (r < 0 && errno == EINTR);
    return r > 0;
}

bool SetNonBlocking(int fd, bool on) {
    int flags = ::fcntl(fd, F_GETFL, 0);
    if (flags < 0)
        return false;
    flags = on ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
    return ::fcntl(fd, F_SETFL, flags) == 0;
}

}  // namespace

void UniqueFd::Reset() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool PosixSockets::Start() {
    return true;
}

void PosixSockets::Stop() {}

SocketId PosixSockets::Open() {
    UniqueFd fd(::socket(AF_INET, SOCK_STREAM, 0));
    if (!fd.Valid())
        return kNoSocket;
    SocketId id = nextId_++;
    sockets_.emplace(id, std::move(fd));
    return id;
}

int PosixSockets::Fd(SocketId socket) const {
    auto it = sockets_.find(socket);
    return it == sockets_.end() ? -1 : it->second.Get();
}

bool PosixSockets::StartConnect(SocketId& socket, const std::string& address, uint16_t port,
                                uint32_t timeoutMs, std::function<void(SocketId, bool)> done) {
    socket = kNoSocket;
    const SocketId id = Open();
    if (id == kNoSocket)
        return false;
    socket = id;
    const bool connected = ConnectOpened(id, address, port, timeoutMs);
    done(id, connected);  // may close the socket
    return true;
}

bool PosixSockets::Connect(SocketId& socket, const std::string& address, uint16_t port,
                           uint32_t timeoutMs) {
    socket = Open();
    return ConnectOpened(socket, address, port, timeoutMs);
}

bool PosixSockets::ConnectOpened(SocketId socket, const std::string& address, uint16_t port,
                                 uint32_t timeoutMs) {
    int fd = Fd(socket);
    if (fd < 0)
        return false;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = ::inet_addr(address.c_str());
    if (!SetNonBlocking(fd, true))
        return false;
    bool connected = false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0) {
        connected = true;
    } else if (errno == EINPROGRESS && WaitFor(fd, POLLOUT, timeoutMs)) {
        int error = 0;
        socklen_t length = sizeof error;
        connected = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
    }
    // A connect still under way when the time-out ends stays unfinished; the socket is then
    // only good for closing.
    return SetNonBlocking(fd, false) && connected;
}

int PosixSockets::Send(SocketId socket, const std::string& bytes, uint32_t timeoutMs) {
    int fd = Fd(socket);
    if (fd < 0)
        return -1;
    // Every byte must go before the deadline: a peer that stops reading cannot hold the send.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    size_t sent = 0;
    while (sent < bytes.size()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !WaitFor(fd, POLLOUT, static_cast<uint32_t>(left.count())))
            return -1;
        ssize_t n =
            ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return -1;
        if (n > 0)
            sent += static_cast<size_t>(n);
    }
    return sent > INT_MAX ? INT_MAX : static_cast<int>(sent);
}

std::string PosixSockets::Receive(SocketId socket, size_t maxBytes, uint32_t timeoutMs) {
    int fd = Fd(socket);
    if (fd < 0 || !WaitFor(fd, POLLIN, timeoutMs))
        return "";
    std::vector<char> buffer(maxBytes);
    ssize_t n = ::recv(fd, buffer.data(), buffer.size(), 0);
    if (n <= 0)
        return "";
    return std::string(buffer.data(), static_cast<size_t>(n));
}

void PosixSockets::Close(SocketId socket) {
    int fd = Fd(socket);
    if (fd >= 0)
        ::shutdown(fd, SHUT_RDWR);
    sockets_.erase(socket);
}

}  // namespace qv
