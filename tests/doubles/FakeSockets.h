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
// (when given) by its whole time-out when nothing came, else by 100 ms.
class FakeSockets : public Sockets {
  public:
    struct ConnectCall {
        SocketId socket;
        std::string address;
        uint16_t port;
        uint32_t timeoutMs;
    };

    bool startFailsLibrary = false;
    int cleanups = 0;
    int cancels = 0;
    bool openFails = false;
    bool connectSucceeds = true;
    std::vector<ConnectCall> connects;
    std::deque<std::string> replies;
    std::vector<uint32_t> receiveTimeouts;
    std::vector<std::string> sent;
    std::set<std::string> failSendsOf;
    std::set<SocketId> open;  // opened and not yet closed
    uint64_t* clockMs = nullptr;

    bool Start() override { return !startFailsLibrary; }
    void Stop() override { ++cleanups; }
    bool Connect(SocketId& s, const std::string& address, uint16_t port,
                 uint32_t timeoutMs) override {
        s = Open();
        if (s == kNoSocket)
            return false;
        connects.push_back({s, address, port, timeoutMs});
        return connectSucceeds;
    }
    int Send(SocketId s, const std::string& bytes, uint32_t) override {
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
        if (clockMs)
            *clockMs += reply.empty() ? timeoutMs : 100;
        return reply;
    }
    // Probes started and not yet answered; a test answers them when it likes with Answer.
    struct PendingConnect {
        SocketId socket;
        std::string address;
        uint16_t port;
        uint32_t timeoutMs;
        std::function<void(SocketId, bool)> done;
    };
    std::vector<PendingConnect> pending;
    bool startFails = false;

    bool StartConnect(SocketId& s, const std::string& address, uint16_t port, uint32_t timeoutMs,
                      std::function<void(SocketId, bool)> done) override {
        s = kNoSocket;
        const SocketId id = startFails ? kNoSocket : Open();
        if (id == kNoSocket)
            return false;
        pending.push_back({id, address, port, timeoutMs, std::move(done)});
        s = id;
        return true;
    }
    // Delivers the oldest outcome still waiting, unless its socket was closed meanwhile.
    void Answer(bool connected) {
        PendingConnect p = std::move(pending.front());
        pending.erase(pending.begin());
        if (open.count(p.socket))
            p.done(p.socket, connected);
    }
    void Close(SocketId s) override { open.erase(s); }
    void CancelBlockingCall() override { ++cancels; }

  private:
    SocketId Open() {
        if (openFails)
            return kNoSocket;
        SocketId id = nextId_++;
        open.insert(id);
        return id;
    }
    SocketId nextId_ = 1;
};

}  // namespace qv::test
