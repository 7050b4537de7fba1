// The modem conversation against an arbitrary modem, over scripted sockets. The first byte
// picks the circumstances (bit 0: the connection is refused, 1: sending "help" fails,
// 2: SrvModemFail on, 3: ModemTrace on, 4: the command file comes from the input, up to its
// first NUL byte, instead of the login-help-reboot script, 5: sending "reboot" fails). The rest
// is what the modem sends: one reply per receive, cut at 0x1E.
//
// Every input must end in a played script (true, nothing logged, every SEND text sent once) or
// in one of the four failures with the error state, and either way with no socket left open,
// ModemSocket back at 0, bounded pauses, and the shutdown exactly when a failure meets
// SrvModemFail.
#include <algorithm>
#include <numeric>

#include "actions/EventLog.h"
#include "modem/ModemReboot.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// A write made of telnet refusals only (IAC WONT or IAC DONT, each with an option byte): the
// answer to a modem's option requests, not a line of the script.
bool IsTelnetAnswer(const std::string& bytes) {
    for (size_t i = 0; i < bytes.size(); i += 3) {
        if (bytes.size() - i < 3 || bytes[i] != '\xff' ||
            (bytes[i + 1] != '\xfc' && bytes[i + 1] != '\xfe'))
            return false;
    }
    return !bytes.empty();
}

}  // namespace

QV_FUZZ_TARGET(input) {
    if (input.empty())
        return;
    const auto flags = static_cast<uint8_t>(input[0]);
    std::string rest = input.substr(1);
    std::string script =
        "127.0.0.1 23\r\nWAIT \"Login:\"\r\nSEND \"admin\\m\"\r\nWAIT \"*\"\r\nSEND "
        "\"secret\\m\"\r\n"
        "WAIT \"\"\r\nSEND \"help\\m\"\r\nWAIT \"> \"\r\nSEND \"reboot\\m\"\r\nWAIT \"*\"\r\nSEND "
        "\"\"\r\n";
    if (flags & 0x10) {
        const size_t nul = rest.find('\0');
        script = rest.substr(0, nul);
        rest = nul == std::string::npos ? "" : rest.substr(nul + 1);
    }
    qv::test::TestApp t;
    t.InitPaths();
    t.files.files[t.app.paths.CommandFilePath] = script;
    t.sockets.connectSucceeds = !(flags & 0x01);
    if (flags & 0x02)
        t.sockets.failSendsOf.insert("help\r\n");
    if (flags & 0x20)
        t.sockets.failSendsOf.insert("reboot\r\n");
    t.app.settings.SrvModemFail = (flags & 0x04) != 0;
    t.app.diag.ModemTrace = (flags & 0x08) != 0;
    for (std::string& reply : qv::SplitText(rest, '\x1e'))
        t.sockets.replies.push_back(std::move(reply));
    t.app.IconState = 1;

    const bool rebooted = qv::RebootModem(t.app.modemContext);

    const auto& pairs = t.app.modem.CommandPairs;
    QV_FUZZ_CHECK(t.sockets.open.empty() && t.app.modem.ModemSocket == qv::kNoSocket);
    QV_FUZZ_CHECK(!t.app.modem.Reboot.Running());
    QV_FUZZ_CHECK(t.ShutdownRequests() == (!rebooted && t.app.settings.SrvModemFail));
    QV_FUZZ_CHECK(std::accumulate(t.ui.sleeps.begin(), t.ui.sleeps.end(), uint64_t{0}) <=
                  3000 * pairs.size());
    QV_FUZZ_CHECK(t.ui.messages.size() <= (t.app.diag.ModemTrace ? 2 * pairs.size() : 0));
    const std::vector<std::string> log = t.LogMessages();
    if (rebooted) {
        // Every SEND text went out once; besides them only answers to option requests.
        size_t sends = 0, lines = 0;
        bool lookAlike = false;
        for (const qv::CommandPair& pair : pairs) {
            sends += !pair.SendText.empty();
            lookAlike = lookAlike || IsTelnetAnswer(pair.SendText);
        }
        for (const std::string& bytes : t.sockets.sent)
            lines += !IsTelnetAnswer(bytes);
        QV_FUZZ_CHECK(log.empty() && t.app.IconState == 1);
        QV_FUZZ_CHECK(lookAlike ? lines <= sends : lines == sends);
        return;
    }
    QV_FUZZ_CHECK(t.app.IconState == 5 && !log.empty());
    using qv::fuzz::StartsWith;
    if (log.back() == "Unable to Reboot Modem - Invalid commands in " + t.app.paths.CommandFilePath)
        QV_FUZZ_CHECK(log.size() == 2 && StartsWith(log[0], "Invalid telnet Commands file : ") &&
                      t.sockets.connects.empty());
    else if (StartsWith(log[0], "Unable to Reboot Modem - Can't able to Connect "))
        QV_FUZZ_CHECK(log[0] == "Unable to Reboot Modem - Can't able to Connect " +
                                    t.app.modem.ModemAddress + ":" + t.app.modem.ModemPort &&
                      t.sockets.sent.empty());
    else if (StartsWith(log[0], "Unable to Reboot Modem - Invalid Responce "))
        QV_FUZZ_CHECK(log.size() == 1);
    else
        // A failed send, whose text may hold line ends of its own: the whole log is its line.
        QV_FUZZ_CHECK(std::any_of(pairs.begin(), pairs.end(), [&](const qv::CommandPair& pair) {
            return t.files.files[t.app.paths.LogPath] ==
                   qv::LogLine(t.clock.now, "/", ":", "Unable to send : " + pair.SendText);
        }));
}
