#pragma once
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/Sockets.h"

namespace qv::test {

// Scripted sockets: every receive takes the next of `replies` ("" when none is left), at most
// the bytes asked for, the rest staying first in line; sends
// succeed unless their text is in `failSendsOf`. A receive moves the steady clock `clockMs`
// (when given) by its whole time-out when nothing came, else by 100 ms. Probes started without
// waiting stay in `pending` until the test answers the oldest with Answer. Numbers are never
// reused. Every connect, send and receive first asks `waitEnds` (when given), and fails at once
// when it says the program was asked to end.
class FakeSockets : public Sockets {
  public:
    struct Call {
        SocketId socket;
        uint16_t port;
        uint32_t timeoutMs;
        std::function<void(SocketId, bool)> done;  // probes only
    };

    bool startFailsLibrary = false, connectSucceeds = true, startFails = false;
    int cleanups = 0;
    std::vector<Call> connects, pending;
    std::vector<std::string> replies, sent;
    std::vector<uint32_t> receiveTimeouts;
    std::set<std::string> failSendsOf;
    std::set<SocketId> open;  // opened and not yet closed
    uint64_t* clockMs = nullptr;
    std::function<bool()> waitEnds;

    bool Start() override { return !startFailsLibrary; }
    void Stop() override { ++cleanups; }
    bool Connect(SocketId& s, const std::string&, uint16_t port, uint32_t timeoutMs) override {
        connects.push_back({s = Open(), port, timeoutMs, nullptr});
        return !Ended() && connectSucceeds;
    }
    int Send(SocketId s, const std::string& bytes, uint32_t) override {
        const bool sends = !Ended() && open.count(s) && !failSendsOf.count(bytes);
        if (sends)
            sent.push_back(bytes);
        return sends ? static_cast<int>(bytes.size()) : -1;
    }
    std::string Receive(SocketId s, size_t maxBytes, uint32_t timeoutMs) override {
        receiveTimeouts.push_back(timeoutMs);
        if (Ended())
            return "";
        const bool answers = open.count(s) && !replies.empty();
        const std::string reply = answers ? replies.front().substr(0, maxBytes) : "";
        if (answers && reply.size() == replies.front().size())
            replies.erase(replies.begin());
        else if (answers)
            replies.front().erase(0, reply.size());
        if (clockMs)
            *clockMs += reply.empty() ? timeoutMs : 100;
        return reply;
    }
    bool StartConnect(SocketId& s, const std::string&, uint16_t port, uint32_t timeoutMs,
                      std::function<void(SocketId, bool)> done) override {
        s = startFails ? kNoSocket : Open();
        if (s != kNoSocket)
            pending.push_back({s, port, timeoutMs, std::move(done)});
        return s != kNoSocket;
    }
    // Delivers the oldest outcome still waiting, unless its socket was closed meanwhile.
    void Answer(bool connected) {
        Call p = std::move(pending.front());
        pending.erase(pending.begin());
        if (open.count(p.socket))
            p.done(p.socket, connected);
    }
    void Close(SocketId s) override { open.erase(s); }
    void CancelBlockingCall() override {}
    SocketId Open() { return *open.insert(++lastId).first; }
    bool Ended() const { return waitEnds && waitEnds(); }
    SocketId lastId = 0;
};

}  // namespace qv::test
