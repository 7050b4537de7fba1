#pragma once
// A telnet-like fake modem on 127.0.0.1 for the socket tests, native and under Wine. It
// listens on a free port, takes one connection, plays a script and records every byte it
// received. Every wait in it is bounded, so a test that goes wrong ends instead of hanging.
#ifdef _WIN32
#include <winsock2.h>
#include <windows.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>
#endif

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace qv::test {

struct ModemStep {
    enum class Kind { Send, Expect, Pause, Close, Silent };
    Kind kind;
    std::string text;
    int ms = 0;
};

// The modem sends the text.
inline ModemStep Say(std::string text) {
    return {ModemStep::Kind::Send, std::move(text), 0};
}
// The modem reads until the text has come (after what the previous Expect matched).
inline ModemStep Expect(std::string text) {
    return {ModemStep::Kind::Expect, std::move(text), 0};
}
inline ModemStep Pause(int ms) {
    return {ModemStep::Kind::Pause, "", ms};
}
// The modem drops the connection.
inline ModemStep Hangup() {
    return {ModemStep::Kind::Close, "", 0};
}
// The modem stays connected and says nothing, for at most ms or until the client closes.
inline ModemStep Silent(int ms) {
    return {ModemStep::Kind::Silent, "", ms};
}

class FakeModemServer {
  public:
#ifdef _WIN32
    using Native = SOCKET;
    static constexpr Native kNone = INVALID_SOCKET;
    static constexpr int kSendFlags = 0;
#else
    using Native = int;
    static constexpr Native kNone = -1;
    static constexpr int kSendFlags = MSG_NOSIGNAL;
#endif
    static constexpr int kStepLimitMs = 5000;

    // Listens on the given port (0: a free one the program can name, which is at most 32767)
    // and plays the script to the first client.
    explicit FakeModemServer(std::vector<ModemStep> script, uint16_t port = 0)
        : script_(std::move(script)) {
#ifdef _WIN32
        WSADATA data;
        started_ = ::WSAStartup(0x0202, &data) == 0;
#endif
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        if (!BindLoopback(listener_, port) || ::listen(listener_, 4) != 0) {
            CloseNative(listener_);
            return;
        }
        port_ = port;
#ifdef _WIN32
        thread_ = ::CreateThread(nullptr, 0, &FakeModemServer::ThreadMain, this, 0, nullptr);
#else
        thread_ = std::thread([this] { Run(); });
#endif
    }

    ~FakeModemServer() {
        Join();
        CloseNative(listener_);
#ifdef _WIN32
        if (started_)
            ::WSACleanup();
#endif
    }
    FakeModemServer(const FakeModemServer&) = delete;
    FakeModemServer& operator=(const FakeModemServer&) = delete;

    bool Listening() const {
        return port_ != 0;
    }
    uint16_t Port() const {
        return port_;
    }
    std::string PortText() const {
        return std::to_string(port_);
    }

    // Waits for the script to end; what follows reads the record.
    void Join() {
#ifdef _WIN32
        if (thread_ != nullptr) {
            ::WaitForSingleObject(thread_, INFINITE);
            ::CloseHandle(thread_);
            thread_ = nullptr;
        }
#else
        if (thread_.joinable())
            thread_.join();
#endif
    }
    const std::string& Received() {
        Join();
        return received_;
    }
    bool Accepted() {
        Join();
        return accepted_;
    }
    // Script steps that did not happen as written ("expected ...").
    const std::vector<std::string>& Problems() {
        Join();
        return problems_;
    }

    // A port on 127.0.0.1 where nothing listens: bound, then let go. The socket library
    // must be started (a server alive, or the sockets under test started).
    static uint16_t RefusingPort() {
        Native s = ::socket(AF_INET, SOCK_STREAM, 0);
        uint16_t port = 0;
        if (!BindLoopback(s, port))
            port = 0;
        CloseNative(s);
        return port;
    }

  private:
    // Binds to 127.0.0.1 on the port, or, for port 0, on a free port from 20000 to 32767
    // (the program takes no port above 32767); the port is set to the one bound.
    static bool BindLoopback(Native s, uint16_t& port) {
        if (s == kNone)
            return false;
#ifndef _WIN32
        // Lets a port in TIME_WAIT from an earlier test be bound again. (On Windows the
        // option would let two sockets share a port, so it is left off there.)
        int yes = 1;
        ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
#endif
        static unsigned next =
            20000 + static_cast<unsigned>(
                        std::chrono::steady_clock::now().time_since_epoch().count() % 10000);
        for (int attempt = 0; attempt < 200; ++attempt) {
            uint16_t candidate = port;
            if (port == 0) {
                candidate = static_cast<uint16_t>(20000 + (next++ % 12768));
            }
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(candidate);
            if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
                port = candidate;
                return true;
            }
            if (port != 0)
                return false;
        }
        return false;
    }
#ifdef _WIN32
    static DWORD WINAPI ThreadMain(LPVOID self) {
        static_cast<FakeModemServer*>(self)->Run();
        return 0;
    }
#endif
    static void CloseNative(Native& s) {
        if (s == kNone)
            return;
#ifdef _WIN32
        ::closesocket(s);
#else
        ::close(s);
#endif
        s = kNone;
    }
    static bool Readable(Native s, int ms) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s, &set);
        timeval tv{};
        tv.tv_sec = ms / 1000;
        tv.tv_usec = (ms % 1000) * 1000;
        return ::select(static_cast<int>(s) + 1, &set, nullptr, nullptr, &tv) > 0;
    }
    static void SleepMs(int ms) {
#ifdef _WIN32
        ::Sleep(static_cast<DWORD>(ms));
#else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
#endif
    }
    // Reads what is there (waiting at most ms); false when the client closed or failed.
    bool ReadSome(int ms) {
        if (!Readable(client_, ms))
            return true;
        char buffer[4096];
        int n = static_cast<int>(::recv(client_, buffer, sizeof buffer, 0));
        if (n <= 0)
            return false;
        received_.append(buffer, static_cast<size_t>(n));
        return true;
    }
    static long long ElapsedMs(std::chrono::steady_clock::time_point since) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - since)
            .count();
    }

    void Run() {
        if (!Readable(listener_, kStepLimitMs))
            return;
        client_ = ::accept(listener_, nullptr, nullptr);
        if (client_ == kNone)
            return;
        accepted_ = true;
        size_t matched = 0;
        bool open = true;
        for (const ModemStep& step : script_) {
            if (!open)
                break;
            auto start = std::chrono::steady_clock::now();
            switch (step.kind) {
                case ModemStep::Kind::Send: {
                    size_t done = 0;
                    while (done < step.text.size()) {
                        int n = static_cast<int>(::send(client_, step.text.data() + done,
                                                        static_cast<int>(step.text.size() - done),
                                                        kSendFlags));
                        if (n <= 0) {
                            problems_.push_back("send failed");
                            open = false;
                            break;
                        }
                        done += static_cast<size_t>(n);
                    }
                    break;
                }
                case ModemStep::Kind::Expect: {
                    size_t at;
                    while ((at = received_.find(step.text, matched)) == std::string::npos) {
                        if (ElapsedMs(start) > kStepLimitMs || !ReadSome(100)) {
                            problems_.push_back("expected " + step.text);
                            open = false;
                            break;
                        }
                    }
                    if (open)
                        matched = at + step.text.size();
                    break;
                }
                case ModemStep::Kind::Pause:
                    SleepMs(step.ms);
                    break;
                case ModemStep::Kind::Close:
                    open = false;
                    break;
                case ModemStep::Kind::Silent:
                    while (ElapsedMs(start) < step.ms && ReadSome(50)) {
                    }
                    break;
            }
        }
        // Whatever else the client sends until it closes is recorded too.
        auto start = std::chrono::steady_clock::now();
        while (open && ElapsedMs(start) < kStepLimitMs && ReadSome(50)) {
        }
        CloseNative(client_);
    }

    std::vector<ModemStep> script_;
    Native listener_ = kNone;
    Native client_ = kNone;
    uint16_t port_ = 0;
    bool accepted_ = false;
    std::string received_;
    std::vector<std::string> problems_;
#ifdef _WIN32
    bool started_ = false;
    HANDLE thread_ = nullptr;
#else
    std::thread thread_;
#endif
};

}  // namespace qv::test
