#include "modem/ModemReboot.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "actions/Running.h"
#include "actions/Text.h"
#include "modem/RestartProof.h"
#include "modem/TCPMod.h"
#include "modem/TelNetCmds.h"
#include "modem/WebReboot.h"

namespace qv {
namespace {

constexpr uint32_t kPairPauseMs = 1000;
constexpr uint32_t kRebootPauseMs = 2000;

bool BeginsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool IsRebootCommand(const std::string& text) {
    if (text.size() < 6)
        return false;
    return LowerCase(text.substr(0, 6)) == "reboot";
}

constexpr size_t kSearchLimit = 1 << 20;  // what a WAIT search holds at most

// Milliseconds left until the deadline, 0 once it has passed.
uint32_t Left(const ModemContext& ctx, uint64_t deadline) {
    const uint64_t now = ctx.clock.SteadyMs();
    return now >= deadline ? 0 : static_cast<uint32_t>(std::min<uint64_t>(deadline - now, ~0u));
}

// What the modem says next, with its telnet commands removed and answered, at most `limit`
// characters of it: the rest stays in the connection for the next receive. From a modem that
// has never sent a telnet command, one receive, as ever. From one that speaks telnet, all it
// says until it falls quiet for QuietGapMs; a receive that brings only negotiation is no reply
// yet. With `textAtHand` the reply adds to text already taken, so even the first receive waits
// only for the quiet gap. Ends early when the modem closes, the deadline passes or the limit is
// reached; "" when no text came. The answers go out under the conversation's send bound; one
// that could not be sent ends the reply at once and is left in `unsent`.
std::string ReceiveReply(const ModemContext& ctx, uint64_t deadline, size_t limit, bool textAtHand,
                         std::string& unsent) {
    ModemState& modem = ctx.modem;
    std::string reply;
    for (uint32_t left = Left(ctx, deadline); left > 0 && reply.size() < limit;
         left = Left(ctx, deadline)) {
        const bool quietEnds = textAtHand || !reply.empty();
        const std::string bytes =
            TcpReceive(ctx, modem.ModemSocket, quietEnds ? std::min(left, modem.QuietGapMs) : left,
                       limit - reply.size());
        if (bytes.empty())
            break;
        TelnetFilter::Output taken = modem.Telnet.Take(bytes);
        reply += taken.data;
        if (!taken.answers.empty() && !TcpSend(ctx, modem.ModemSocket, taken.answers)) {
            unsent = taken.answers;
            break;
        }
        if (!modem.Telnet.PeerSpeaksTelnet())
            break;
    }
    return reply;
}

// Telnet answers as a log line shows them: their bytes as numbers ("255 252 1"), since some of
// them would end the line.
std::string BytesText(const std::string& bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        if (!text.empty())
            text += ' ';
        text += std::to_string(c);
    }
    return text;
}

// What a search may still take: a reply's worth, and never more than the search holds at most.
size_t SearchRoom(const std::string& seen) {
    return seen.size() >= kSearchLimit ? 0
                                       : std::min(kReceiveBufferSize, kSearchLimit - seen.size());
}

// The wait part of a pair when line 1 asks for searching: the WAIT text anywhere in what came
// since the previous WAIT took its reply; what follows it stays for the next WAIT. False, with
// everything that came, when it has not appeared by the time the modem closes or the receive
// bound passes.
bool SearchReply(const ModemContext& ctx, const std::string& waitText, std::string& step,
                 std::string& unsent) {
    ModemState& modem = ctx.modem;
    const uint64_t deadline = ctx.clock.SteadyMs() + modem.ReceiveTimeoutMs;
    std::string seen = std::move(modem.Unread);
    modem.Unread.clear();
    if (waitText == "*") {
        step = seen + ReceiveReply(ctx, deadline, SearchRoom(seen), !seen.empty(), unsent);
        return true;
    }
    size_t from = 0;
    size_t at = 0;
    while ((at = seen.find(waitText, from)) == std::string::npos) {
        const std::string more = ReceiveReply(ctx, deadline, SearchRoom(seen), false, unsent);
        if (more.empty() || !unsent.empty()) {
            step = seen + more;
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
bool PlayPairs(const ModemContext& ctx, const std::vector<CommandPair>& pairs, bool searchReplies) {
    Ui& ui = ctx.ui;
    ModemState& modem = ctx.modem;
    modem.Telnet.Reset();
    modem.Unread.clear();
    for (const CommandPair& pair : pairs) {
        std::string step, unsent;
        if (pair.WaitText.empty()) {
            ui.PumpMessages();
        } else {
            bool matched = true;
            if (searchReplies) {
                matched = SearchReply(ctx, pair.WaitText, step, unsent);
            } else {
                step = ReceiveReply(ctx, ctx.clock.SteadyMs() + modem.ReceiveTimeoutMs,
                                    kReceiveBufferSize, false, unsent);
                matched = pair.WaitText == "*" || BeginsWith(step, pair.WaitText);
            }
            ui.PumpMessages();
            if (ui.EndRequested())
                return false;
            if (!unsent.empty()) {
                ctx.log.ReportFailure("Unable to send : " + BytesText(unsent));
                return false;
            }
            if (!matched) {
                ctx.log.ReportFailure("Unable to Reboot Modem - Invalid Responce " +
                                      ReplyForLog(step));
                return false;
            }
        }
        ui.PumpMessages();
        if (ctx.diag.ModemTrace)
            ui.ShowMessage("Recv : " + step, kAppTitle);
        if (!pair.SendText.empty()) {
            step = pair.SendText;
            // A telnet peer reads a 255 as the start of a command unless it comes twice.
            bool sent =
                TcpSend(ctx, modem.ModemSocket,
                        modem.Telnet.PeerSpeaksTelnet() ? TelnetFilter::Escape(step) : step);
            ui.PumpMessages();
            if (ui.EndRequested())
                return false;
            if (!sent) {
                ctx.log.ReportFailure("Unable to send : " + pair.SendText);
                return false;
            }
            if (IsRebootCommand(pair.SendText)) {
                ui.PumpMessages();
                ui.Pause(kRebootPauseMs);
            }
        }
        if (ctx.diag.ModemTrace)
            ui.ShowMessage("Send : " + step, kAppTitle);
        ui.Pause(kPairPauseMs);
    }
    return true;
}

bool Converse(const ModemContext& ctx) {
    const std::string& path = ctx.paths.CommandFilePath;
    if (!ReadCommandFile(ctx, path)) {
        ctx.log.ReportFailure("Unable to Reboot Modem - Invalid commands in " + path);
        return false;
    }
    // The script as read now: the settings dialog may read the file again while the
    // conversation handles window messages.
    if (ctx.modem.WebMode) {
        const std::vector<WebStep> steps = ctx.modem.WebSteps;
        ProbeBeforeReboot(ctx);
        return PlayWebSteps(ctx, steps);
    }
    const std::vector<CommandPair> pairs = ctx.modem.CommandPairs;
    const std::string address = ctx.modem.ModemAddress;
    const std::string port = ctx.modem.ModemPort;
    const bool searchReplies = ctx.modem.SearchReplies;
    ProbeBeforeReboot(ctx);
    if (!TcpConnect(ctx, ctx.modem.ModemSocket, address, port, ctx.modem.ConnectTimeoutMs)) {
        if (ctx.ui.EndRequested())
            return false;
        ctx.log.ReportFailure("Unable to Reboot Modem - Can't able to Connect " + address + ":" +
                              port);
        return false;
    }
    return PlayPairs(ctx, pairs, searchReplies);
}

}  // namespace

bool RebootModem(const ModemContext& ctx, FailureShutdown shutdown) {
    // Once the program was asked to end, no conversation starts.
    if (ctx.modem.Reboot.Running() || ctx.ui.EndRequested())
        return false;
    ActionRunning::Hold running(ctx.modem.Reboot);
    bool rebooted = Converse(ctx);
    CloseSocket(ctx, ctx.modem.ModemSocket);
    if (WatchRestart(ctx, rebooted) && ctx.restartWatchBegins)
        ctx.restartWatchBegins();
    // A conversation stopped because the program is ending has not failed.
    if (!rebooted && shutdown == FailureShutdown::AsSet && ctx.settings.SrvModemFail &&
        !ctx.ui.EndRequested())
        ShutDownPC(ctx.shutdown);
    return rebooted;
}

}  // namespace qv
