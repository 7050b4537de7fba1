#pragma once
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "actions/Running.h"
#include "modem/Telnet.h"
#include "modem/WebSteps.h"
#include "platform/Sockets.h"

namespace qv {

// One step of the modem conversation: what the reply must begin with, then what to send.
struct CommandPair {
    std::string WaitText;  // "" waits for nothing, "*" takes any reply
    std::string SendText;  // already decoded; "" sends nothing
};

// The watch over a reboot that the script reported as done (modem/RestartProof.h).
struct RestartWatch {
    enum class Stage { Idle, Before, Watching };
    Stage stage = Stage::Idle;
    bool answeredBefore = false;  // the web port answered the probe made before the reboot
    bool wentDown = false;        // a probe since the reboot found it silent
    uint64_t sinceMs = 0;         // the steady clock when the conversation ended
};

// The modem's address, the reboot script and the telnet connection.
struct ModemState {
    std::string ModemAddress;  // as written in the command file; empty until it was read
    std::string ModemPort;
    std::vector<CommandPair> CommandPairs;
    // Line 1 carries the word "telnet": a WAIT text is looked for anywhere in what the modem
    // has sent since the previous WAIT took its reply, receiving again until it appears.
    bool SearchReplies = false;
    SocketId ModemSocket = kNoSocket;  // the open telnet connection, 0 when none

    // Line 1 carries the word "web": the reboot is WebSteps, played as web requests, and
    // CommandPairs is empty.
    bool WebMode = false;
    std::vector<WebStep> WebSteps;
    // Logins a device refused (host, name and password), never sent again while the program runs.
    std::set<std::string> RefusedLogins;
    // The client nonce of the next Digest answer (tests fix it).
    std::function<std::string()> NewCnonce;

    // The probe of the modem's web port runs without blocking the thread: its socket while a
    // probe is under way (0 otherwise) and the answer of the last probe that finished.
    SocketId ProbeSocket = kNoSocket;
    bool ProbeAnswer = false;

    // Upper bounds of the waits, so that a silent modem cannot hold the program.
    uint32_t ProbeConnectTimeoutMs = 3000;
    uint32_t ConnectTimeoutMs = 10000;
    uint32_t ReceiveTimeoutMs = 30000;
    uint32_t SendTimeoutMs = 30000;
    // A modem that speaks telnet has finished its reply when it has been quiet this long.
    uint32_t QuietGapMs = 500;

    // The conversation's telnet state and what came after the text the last WAIT looked for.
    TelnetFilter Telnet;
    std::string Unread;

    ActionRunning Reboot;  // a conversation is in progress
    RestartWatch Restart;
};

}  // namespace qv
