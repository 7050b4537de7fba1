#include "modem/ModemReboot.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "actions/EventLog.h"
#include "app/App.h"
#include "modem/TCPMod.h"
#include "modem/TelNetCmds.h"
#include "settings/LeadingNumber.h"

namespace qv {
namespace {

constexpr uint32_t kPairPauseMs = 1000;
constexpr uint32_t kRebootPauseMs = 2000;

// Marks a conversation as running for as long as it lives.
class RunningMark {
  public:
    explicit RunningMark(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningMark() { flag_ = false; }
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;

  private:
    bool& flag_;
};

bool BeginsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool IsRebootCommand(const std::string& text) {
    if (text.size() < 6)
        return false;
    std::string head = text.substr(0, 6);
    for (char& c : head)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return head == "reboot";
}

constexpr size_t kSearchLimit = 1 << 20;  // what a WAIT search holds at most

// Milliseconds left until the deadline, 0 once it has passed.
uint32_t Left(App& app, uint64_t deadline) {
    const uint64_t now = app.os.clock.SteadyMs();
    return now >= deadline ? 0 : static_cast<uint32_t>(std::min<uint64_t>(deadline - now, ~0u));
}

// What the modem says next, with its telnet commands removed and answered. From a modem that
// has never sent a telnet command, one receive, as ever. From one that speaks telnet, all it
// says until it falls quiet for QuietGapMs; a receive that brings only negotiation is no reply
// yet. Ends early when the modem closes, the deadline passes or a receive buffer is full; ""
// when no text came.
std::string ReceiveReply(App& app, uint64_t deadline) {
    ModemState& modem = app.modem;
    std::string reply;
    for (uint32_t left = Left(app, deadline); left > 0; left = Left(app, deadline)) {
        const bool quietEnds = !reply.empty();
        const std::string bytes =
            TcpReceive(app, modem.ModemSocket, quietEnds ? std::min(left, modem.QuietGapMs) : left);
        if (bytes.empty())
            break;
        TelnetFilter::Output taken = modem.Telnet.Take(bytes);
        if (!taken.answers.empty())
            TcpSend(app, modem.ModemSocket, taken.answers);
        reply += taken.data;
        if (!modem.Telnet.PeerSpeaksTelnet() || reply.size() >= kReceiveBufferSize)
            break;
    }
    return reply;
}

// The wait part of a pair when line 1 asks for searching: the WAIT text anywhere in what came
// since the previous WAIT took its reply; what follows it stays for the next WAIT. False, with
// everything that came, when it has not appeared by the time the modem closes or the receive
// bound passes.
bool SearchReply(App& app, const std::string& waitText, std::string& step) {
    ModemState& modem = app.modem;
    const uint64_t deadline = app.os.clock.SteadyMs() + modem.ReceiveTimeoutMs;
    std::string seen = std::move(modem.Unread);
    modem.Unread.clear();
    if (waitText == "*") {
        step = seen + ReceiveReply(app, deadline);
        return true;
    }
    size_t from = 0;
    size_t at = 0;
    while ((at = seen.find(waitText, from)) == std::string::npos) {
        const std::string more = seen.size() < kSearchLimit ? ReceiveReply(app, deadline) : "";
        if (more.empty()) {
            step = seen;
            return false;
        }
        from = seen.size() >= waitText.size() ? seen.size() - waitText.size() + 1 : 0;
        seen += more;
    }
    const size_t end = at + waitText.size();
    modem.Unread = seen.substr(end);
    step = seen.substr(0, end);
    return true;
}

// Plays the pairs on the open connection; false after a failure, which it has logged.
bool PlayPairs(App& app, const std::vector<CommandPair>& pairs, bool searchReplies) {
    Ui& ui = app.os.ui;
    ModemState& modem = app.modem;
    modem.Telnet.Reset();
    modem.Unread.clear();
    for (const CommandPair& pair : pairs) {
        std::string step;
        if (pair.WaitText.empty()) {
            ui.PumpMessages();
        } else {
            bool matched = true;
            if (searchReplies) {
                matched = SearchReply(app, pair.WaitText, step);
            } else {
                step = ReceiveReply(app, app.os.clock.SteadyMs() + modem.ReceiveTimeoutMs);
                matched = pair.WaitText == "*" || BeginsWith(step, pair.WaitText);
            }
            ui.PumpMessages();
            if (!matched) {
                app.IconState = 5;
                WriteLog(app, "Unable to Reboot Modem - Invalid Responce " +
                                  ReplaceAll(step, "\r\n", "\t"));
                return false;
            }
        }
        ui.PumpMessages();
        if (app.diag.ModemTrace)
            ui.ShowMessage("Recv : " + step, kAppTitle);
        if (!pair.SendText.empty()) {
            step = pair.SendText;
            // A telnet peer reads a 255 as the start of a command unless it comes twice.
            bool sent =
                TcpSend(app, modem.ModemSocket,
                        modem.Telnet.PeerSpeaksTelnet() ? TelnetFilter::Escape(step) : step);
            ui.PumpMessages();
            if (!sent) {
                app.IconState = 5;
                WriteLog(app, "Unable to send : " + pair.SendText);
                return false;
            }
            if (IsRebootCommand(pair.SendText)) {
                ui.PumpMessages();
                ui.Sleep(kRebootPauseMs);
            }
        }
        if (app.diag.ModemTrace)
            ui.ShowMessage("Send : " + step, kAppTitle);
        ui.Sleep(kPairPauseMs);
    }
    return true;
}

bool Converse(App& app) {
    const std::string& path = app.paths.CommandFilePath;
    if (!ReadCommandFile(app, path)) {
        app.IconState = 5;
        WriteLog(app, "Unable to Reboot Modem - Invalid commands in " + path);
        return false;
    }
    // The script as read now: the settings dialog may read the file again while the
    // conversation handles window messages.
    const std::vector<CommandPair> pairs = app.modem.CommandPairs;
    const std::string address = app.modem.ModemAddress;
    const std::string port = app.modem.ModemPort;
    const bool searchReplies = app.modem.SearchReplies;
    if (!TcpConnect(app, app.modem.ModemSocket, address, port, app.modem.ConnectTimeoutMs)) {
        app.IconState = 5;
        WriteLog(app, "Unable to Reboot Modem - Can't able to Connect " + address + ":" + port);
        return false;
    }
    return PlayPairs(app, pairs, searchReplies);
}

}  // namespace

bool RebootModem(App& app) {
    if (app.modem.RebootRunning)
        return false;
    RunningMark running(app.modem.RebootRunning);
    bool rebooted = Converse(app);
    CloseSocket(app, app.modem.ModemSocket);
    if (!rebooted && app.settings.SrvModemFail)
        app.actions().ShutDownPC();
    return rebooted;
}

}  // namespace qv
