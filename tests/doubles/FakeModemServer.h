#pragma once
// A telnet-like fake modem on 127.0.0.1 for the socket tests, native and under Wine: it listens
// on a free port, takes one connection, plays a script and records every byte it received.
// Every wait in it is bounded, so a test that goes wrong ends instead of hanging.
#ifdef _WIN32
#include <winsock2.h>
#define MSG_NOSIGNAL 0
#define poll WSAPoll
#else
#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#define closesocket close
#endif

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace qv::test {

struct ModemStep {
    enum Kind { kSay, kExpect, kHangup, kSilent } kind;
    std::string text;
    int ms = 0;
};
// The modem sends the text; reads until the text has come (after what the previous Expect
// matched_); drops the line; stays connected and silent for at most ms (or until the client
// closes).
inline const auto Say = [](std::string text) { return ModemStep{ModemStep::kSay, text}; };
inline const auto Expect = [](std::string text) { return ModemStep{ModemStep::kExpect, text}; };
inline const auto Hangup = [] { return ModemStep{ModemStep::kHangup, ""}; };
inline const auto Silent = [](int ms) { return ModemStep{ModemStep::kSilent, "", ms}; };
inline const auto Pause = Silent;

class FakeModemServer {
  public:
    using Native = decltype(::socket(0, 0, 0));
    static constexpr Native kNone = static_cast<Native>(~0);
    static constexpr int kStepLimitMs = 5000;

    // Listens on the port (0: a free one from 20000 to 32767, as the program takes no port
    // above 32767) and plays the script to the first client.
    explicit FakeModemServer(std::vector<ModemStep> script, uint16_t port = 0)
        : script_(std::move(script)), listener_(Bound(port)) {
        if (listener_ != kNone && ::listen(listener_, 4) == 0)
            port_ = port, thread_ = std::thread([this] { Run(); });
    }
    ~FakeModemServer() { Close((Join(), listener_)); }

    bool Listening() const { return port_ != 0; }
    uint16_t Port() const { return port_; }
    std::string PortText() const { return std::to_string(port_); }
    // These wait for the script to end.
    void Join() { thread_.joinable() ? thread_.join() : void(); }
    const std::string& Received() { return Join(), received_; }
    // Script steps that did not happen as written ("expected ...").
    const std::vector<std::string>& Problems() { return Join(), problems_; }

    // A port on 127.0.0.1 where nothing listens: bound, then let go.
    static uint16_t RefusingPort() {
        uint16_t port = 0;
        Native s = Bound(port);
        return Close(s), port;
    }

  private:
    using Clock = std::chrono::steady_clock;
    bool Problem(const std::string& what) { return problems_.push_back(what), false; }
    static Native Bound(uint16_t& port) {
#ifdef _WIN32
        static WSADATA data;
        [[maybe_unused]] static const int started = ::WSAStartup(0x0202, &data);
#endif
        static unsigned next = 20000 + unsigned(Clock::now().time_since_epoch().count() % 10000);
        for (int attempt = 0; attempt < (port ? 1 : 200); ++attempt) {
            Native s = ::socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in address{AF_INET, 0, {}, {}};
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(port ? port : uint16_t(20000 + next++ % 12768));
            if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
                return port = ntohs(address.sin_port), s;
            Close(s);
        }
        return kNone;
    }
    static bool Readable(Native s, int ms) {
        pollfd wanted{s, POLLIN, 0};
        return ::poll(&wanted, 1, ms) > 0;
    }
    // Reads what is there (waiting at most ms); false when the client closed or failed.
    bool ReadSome(int ms) {
        if (!Readable(client_, ms))
            return true;
        char buffer[4096];
        const int n = int(::recv(client_, buffer, sizeof buffer, 0));
        return n > 0 && (received_.append(buffer, size_t(n)), true);
    }
    // Plays one step; false once the line is closed.
    bool Play(const ModemStep& step) {
        using enum ModemStep::Kind;
        const auto end =
            Clock::now() + std::chrono::milliseconds(step.kind == kSilent ? step.ms : kStepLimitMs);
        size_t at = 0, size = step.text.size();
        if (step.kind == kSay &&
            ::send(client_, step.text.data(), int(size), MSG_NOSIGNAL) != int(size))
            return Problem("send failed");
        while (step.kind == kExpect &&
               (at = received_.find(step.text, matched_)) == std::string::npos)
            if (Clock::now() > end || !ReadSome(100))
                return Problem("expected " + step.text);
        matched_ = step.kind == kExpect ? at + size : matched_;
        while (step.kind == kSilent && Clock::now() < end && ReadSome(50)) {
        }
        return step.kind != ModemStep::kHangup;
    }
    void Run() {
        if (!Readable(listener_, kStepLimitMs) ||
            (client_ = ::accept(listener_, nullptr, nullptr)) == kNone)
            return;
        for (const ModemStep& step : script_)
            if (!Play(step))
                return Close(client_);
        Play(Silent(kStepLimitMs));  // whatever else the client sends until it closes
        Close(client_);
    }
    static void Close(Native& s) {
        ::closesocket(std::exchange(s, kNone));
    }

    std::vector<ModemStep> script_;
    uint16_t port_ = 0;
    size_t matched_ = 0;  // where the text the last Expect waited for ends
    Native listener_ = kNone, client_ = kNone;
    std::string received_;
    std::vector<std::string> problems_;
    std::thread thread_;
};

}  // namespace qv::test
