#pragma once
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/Sockets.h"

namespace qv::test {

// Scripted sockets: every receive takes the next of `replies` ("" when none is left), sends
// succeed unless their text is in `failSendsOf`. A receive moves the steady clock `clockMs`
// (when given) by its whole time-out when nothing came, else by `msPerReply`. `events` records each
// call in order; tests may add their own entries (pumps, sleeps) to see the interleaving.
class FakeSockets : public Sockets {
  public:
    struct ConnectCall {
        SocketId socket;
        std::string address;
        uint16_t port;
        uint32_t timeoutMs;
    };

    int startupResult = 0;
    std::vector<uint16_t> startups;
    int cleanups = 0;
    bool blocking = false;
    int cancels = 0;
    bool openFails = false;
    bool connectSucceeds = true;
    std::vector<ConnectCall> connects;
    std::deque<std::string> replies;
    std::vector<uint32_t> receiveTimeouts;
    std::vector<std::string> sent;
    std::set<std::string> failSendsOf;
    std::set<SocketId> open;  // opened and not yet closed
    std::vector<SocketId> shutdowns;
    std::vector<std::string> events;
    uint64_t* clockMs = nullptr;
    uint32_t msPerReply = 100;

    int Startup(uint16_t version) override {
        startups.push_back(version);
        return startupResult;
    }
    void Cleanup() override {
        ++cleanups;
        events.push_back("cleanup");
    }
    SocketId OpenStream() override {
        if (openFails)
            return kInvalidSocket;
        SocketId id = nextId_++;
        open.insert(id);
        events.push_back("open " + std::to_string(id));
        return id;
    }
    bool Connect(SocketId s, const std::string& address, uint16_t port,
                 uint32_t timeoutMs) override {
        connects.push_back({s, address, port, timeoutMs});
        events.push_back("connect " + address + ":" + std::to_string(port));
        return open.count(s) > 0 && connectSucceeds;
    }
    int Send(SocketId s, const std::string& bytes, uint32_t) override {
        events.push_back("send " + bytes);
        if (!open.count(s) || failSendsOf.count(bytes))
            return -1;
        sent.push_back(bytes);
        return static_cast<int>(bytes.size());
    }
    std::string Receive(SocketId s, size_t, uint32_t timeoutMs) override {
        receiveTimeouts.push_back(timeoutMs);
        std::string reply;
        if (open.count(s) && !replies.empty()) {
            reply = replies.front();
            replies.pop_front();
        }
        events.push_back("recv " + reply);
        if (clockMs)
            *clockMs += reply.empty() ? timeoutMs : msPerReply;
        return reply;
    }
    // Probes started and not yet answered; a test answers them when it likes with Answer.
    struct PendingConnect {
        SocketId socket;
        std::string address;
        uint16_t port;
        uint32_t timeoutMs;
        std::function<void(bool)> done;
    };
    std::vector<PendingConnect> pending;
    bool startFails = false;

    bool StartConnect(SocketId s, const std::string& address, uint16_t port, uint32_t timeoutMs,
                      std::function<void(bool)> done) override {
        events.push_back("start connect " + address + ":" + std::to_string(port));
        if (startFails || !open.count(s))
            return false;
        pending.push_back({s, address, port, timeoutMs, std::move(done)});
        return true;
    }
    // Delivers the oldest outcome still waiting, unless its socket was closed meanwhile.
    void Answer(bool connected) {
        PendingConnect p = std::move(pending.front());
        pending.erase(pending.begin());
        if (open.count(p.socket))
            p.done(connected);
    }
    void Shutdown(SocketId s) override {
        shutdowns.push_back(s);
        events.push_back("shutdown " + std::to_string(s));
    }
    void Close(SocketId s) override {
        open.erase(s);
        events.push_back("close " + std::to_string(s));
    }
    bool IsBlocking() override { return blocking; }
    void CancelBlockingCall() override { ++cancels; }

  private:
    SocketId nextId_ = 1;
};

}  // namespace qv::test
