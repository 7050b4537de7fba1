#pragma once
// A misbehaving TCP peer on 127.0.0.1 for the native hostile-peer tests. It takes one
// connection and then, in a thread of its own, sends what its plan says while it records
// everything it receives. Every wait is bounded, so a test that goes wrong ends.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace qv::test {

class HostilePeer {
  public:
    struct Plan {
        std::string greeting{};    // sent at once after the connection is taken
        int dripIntervalMs = 0;    // > 0: the greeting goes out one byte per interval
        size_t floodBytes = 0;     // sent after the greeting, as fast as the client reads
        std::string resetAfter{};  // resets the connection once this text has come
        int lifetimeMs = 10000;    // lets go of the connection after this long
    };

    explicit HostilePeer(Plan plan) : plan_(std::move(plan)) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        int yes = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        // The program takes ports up to 32767 only.
        for (uint16_t candidate = 21000 + static_cast<uint16_t>(::getpid() % 5000);
             candidate < 32767; candidate += 7) {
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(candidate);
            if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
                port_ = candidate;
                break;
            }
        }
        ::listen(listener_, 1);
        thread_ = std::thread([this] { Run(); });
    }
    ~HostilePeer() {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }
    HostilePeer(const HostilePeer&) = delete;
    HostilePeer& operator=(const HostilePeer&) = delete;

    std::string PortText() const { return std::to_string(port_); }
    std::string Received() {
        std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }
    size_t Sent() const { return sent_; }
    bool WasReset() const { return reset_; }

  private:
    using Clock = std::chrono::steady_clock;

    static bool Wait(int fd, short events, int ms) {
        pollfd p{fd, events, 0};
        return ::poll(&p, 1, ms) > 0 && (p.revents & (events | POLLHUP | POLLERR));
    }

    void Run() {
        const auto end = Clock::now() + std::chrono::milliseconds(plan_.lifetimeMs);
        while (!stop_ && Clock::now() < end && !Wait(listener_, POLLIN, 50)) {
        }
        if (stop_ || Clock::now() >= end)
            return;
        int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0)
            return;
        ::fcntl(client, F_SETFL, ::fcntl(client, F_GETFL, 0) | O_NONBLOCK);
        std::string out = plan_.greeting;
        size_t flood = plan_.floodBytes;
        auto nextDrip = Clock::now();
        bool open = true;
        while (open && !stop_ && Clock::now() < end) {
            // Sending: the next drip byte when it is due, else as much as the socket takes.
            bool dripDue = plan_.dripIntervalMs == 0 || Clock::now() >= nextDrip;
            if ((!out.empty() && dripDue) || (out.empty() && flood > 0)) {
                std::string chunk = !out.empty()
                                        ? out.substr(0, plan_.dripIntervalMs ? 1 : out.size())
                                        : std::string(std::min<size_t>(flood, 65536), 'm');
                ssize_t n = ::send(client, chunk.data(), chunk.size(), MSG_NOSIGNAL);
                if (n > 0) {
                    sent_ += static_cast<size_t>(n);
                    if (!out.empty())
                        out.erase(0, static_cast<size_t>(n));
                    else
                        flood -= static_cast<size_t>(n);
                    nextDrip = Clock::now() + std::chrono::milliseconds(plan_.dripIntervalMs);
                } else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
                    break;
                }
            }
            // Receiving: whatever the client sent.
            if (Wait(client, POLLIN, 10)) {
                char buffer[4096];
                ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
                if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)) {
                    open = false;
                } else if (n > 0) {
                    std::lock_guard<std::mutex> lock(mutex_);
                    received_.append(buffer, static_cast<size_t>(n));
                }
            }
            if (!plan_.resetAfter.empty() &&
                Received().find(plan_.resetAfter) != std::string::npos) {
                linger hard{1, 0};  // closing now sends a reset, not an orderly end
                ::setsockopt(client, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
                reset_ = true;
                break;
            }
        }
        ::close(client);
    }

    Plan plan_;
    int listener_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<size_t> sent_{0};
    std::atomic<bool> reset_{false};
    std::mutex mutex_;
    std::string received_;
    std::thread thread_;
};

}  // namespace qv::test
