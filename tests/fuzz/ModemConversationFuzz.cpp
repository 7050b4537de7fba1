// The modem conversation against an arbitrary modem, over scripted sockets. The first byte
// picks the circumstances (bit 0: the connection is refused, 1: sending "help" fails, 2:
// SrvModemFail on, 3: the command file is the input up to its first NUL byte instead of the
// login-help-reboot script). The rest is what the modem sends: one reply per receive, cut at
// 0x1E. Every conversation ends played (nothing logged) or failed with the error state, with
// no socket left open but the web-port probe's (the tray's own, which its next probe closes),
// bounded pauses, and a shutdown exactly when a failure meets SrvModemFail.
#include <numeric>

#include "actions/Text.h"
#include "modem/ModemReboot.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

QV_FUZZ_TARGET(input) {
    if (input.empty())
        return;
    const auto flags = static_cast<uint8_t>(input[0]);
    std::string rest = input.substr(1);
    std::string script =
        "127.0.0.1 23\r\nWAIT \"Login:\"\r\nSEND \"admin\\m\"\r\nWAIT \"\"\r\n"
        "SEND \"help\\m\"\r\nWAIT \"> \"\r\nSEND \"reboot\\m\"\r\n";
    if (flags & 8) {
        const size_t nul = rest.find('\0');
        script = rest.substr(0, nul);
        rest = nul == std::string::npos ? "" : rest.substr(nul + 1);
    }
    qv::test::TestApp t;
    t.InitPaths();
    t.files.files[t.app.paths.CommandFilePath] = script;
    t.sockets.connectSucceeds = !(flags & 1);
    if (flags & 2)
        t.sockets.failSendsOf.insert("help\r\n");
    t.app.settings.SrvModemFail = (flags & 4) != 0;
    for (std::string& reply : qv::SplitText(rest, '\x1e'))
        t.sockets.replies.push_back(std::move(reply));
    t.app.IconState = 1;
    const bool rebooted = qv::RebootModem(t.app.modemContext);
    const uint64_t slept = std::accumulate(t.ui.pauses.begin(), t.ui.pauses.end(), uint64_t{0});
    const size_t probes = t.app.modem.ProbeSocket != qv::kNoSocket;
    QV_FUZZ_CHECK(t.sockets.open.size() == probes && t.app.modem.ModemSocket == qv::kNoSocket &&
                  !t.app.modem.Reboot.Running() &&
                  slept <= 3000 * t.app.modem.CommandPairs.size() &&
                  t.ShutdownRequests() == (!rebooted && t.app.settings.SrvModemFail) &&
                  (rebooted ? t.LogMessages().empty() && t.app.IconState == 1
                            : !t.LogMessages().empty() && t.app.IconState == 5));
}
