#pragma once
#include <map>

#include "platform/Sockets.h"

namespace qv {

// An owned file descriptor, closed when it goes.
class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            Reset();
            fd_ = other.Release();
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    int Release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void Reset();

  private:
    int fd_ = -1;
};

// The socket interface over BSD sockets, for the native tests.
class PosixSockets : public Sockets {
  public:
    bool Start() override;
    void Stop() override;
    bool Connect(SocketId& socket, const std::string& address, uint16_t port,
                 uint32_t timeoutMs) override;
    // Connects within the time-out and hands the outcome over before returning.
    bool StartConnect(SocketId& socket, const std::string& address, uint16_t port,
                      uint32_t timeoutMs, std::function<void(SocketId, bool)> done) override;
    int Send(SocketId socket, const std::string& bytes, uint32_t timeoutMs) override;
    std::string Receive(SocketId socket, size_t maxBytes, uint32_t timeoutMs) override;
    void Close(SocketId socket) override;
    void CancelBlockingCall() override {}

    // Sockets opened and not yet closed.
    size_t OpenCount() const { return sockets_.size(); }

  private:
    int Fd(SocketId socket) const;
    SocketId Open();
    bool ConnectOpened(SocketId socket, const std::string& address, uint16_t port,
                       uint32_t timeoutMs);

    std::map<SocketId, UniqueFd> sockets_;
    SocketId nextId_ = 1;
};

}  // namespace qv
