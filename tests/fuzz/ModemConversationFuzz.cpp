// The modem conversation against an arbitrary modem, over scripted sockets. The first byte
// picks the circumstances (bit 0: the connection is refused, 1: sending "help" fails,
// 2: SrvModemFail on, 3: ModemTrace on, 4: the command file comes from the input, up to its
// first NUL byte, instead of the login-help-reboot script, 5: sending "reboot" fails). The rest
// is what the modem sends: one reply per receive, cut at 0x1E.
//
// Every input must end in a played script (true, nothing logged) or in exactly one of the
// four failures with the error state, and either way with no socket left open, ModemSocket
// back at 0, bounded pauses, and the shutdown exactly when a failure meets SrvModemFail.
#include "actions/Text.h"
#include "actions/EventLog.h"
#include "modem/ModemReboot.h"
#include "settings/LeadingNumber.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

constexpr const char* kScript =
    "127.0.0.1 23\r\n"
    "WAIT \"Login:\"\r\nSEND \"admin\\m\"\r\n"
    "WAIT \"*\"\r\nSEND \"secret\\m\"\r\n"
    "WAIT \"\"\r\nSEND \"help\\m\"\r\n"
    "WAIT \"> \"\r\nSEND \"reboot\\m\"\r\n"
    "WAIT \"*\"\r\nSEND \"\"\r\n";

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// A write made of telnet refusals only (IAC WONT or IAC DONT, each with an option byte): the
// answer to a modem's option requests, not a line of the script.
bool IsTelnetAnswer(const std::string& bytes) {
    if (bytes.empty() || bytes.size() % 3 != 0)
        return false;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const auto verb = static_cast<unsigned char>(bytes[i + 1]);
        if (static_cast<unsigned char>(bytes[i]) != 255 || (verb != 252 && verb != 254))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return qv::fuzz::Run([&] {
        if (size == 0)
            return;
        const uint8_t flags = data[0];
        std::string rest = qv::fuzz::Text(data + 1, size - 1);
        std::string script = kScript;
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

        QV_FUZZ_CHECK(t.sockets.open.empty());
        QV_FUZZ_CHECK(t.app.modem.ModemSocket == qv::kNoSocket);
        QV_FUZZ_CHECK(!t.app.modem.Reboot.Running());
        QV_FUZZ_CHECK(t.ShutdownRequests() == (!rebooted && t.app.settings.SrvModemFail));
        const size_t pairs = t.app.modem.CommandPairs.size();
        uint64_t slept = 0;
        for (uint32_t ms : t.ui.sleeps)
            slept += ms;
        QV_FUZZ_CHECK(slept <= 3000 * pairs);
        QV_FUZZ_CHECK(t.ui.messages.size() <= (t.app.diag.ModemTrace ? 2 * pairs : 0));

        const std::string log =
            t.files.files.count(t.app.paths.LogPath) ? t.files.files[t.app.paths.LogPath] : "";
        if (rebooted) {
            QV_FUZZ_CHECK(log.empty());
            QV_FUZZ_CHECK(t.app.IconState == 1);
            // Every SEND text went out once; besides them only answers to option requests.
            size_t sends = 0;
            bool lookAlike = false;
            for (const qv::CommandPair& pair : t.app.modem.CommandPairs) {
                sends += !pair.SendText.empty();
                lookAlike = lookAlike || IsTelnetAnswer(pair.SendText);
            }
            size_t lines = 0;
            for (const std::string& bytes : t.sockets.sent)
                lines += !IsTelnetAnswer(bytes);
            QV_FUZZ_CHECK(lookAlike ? lines <= sends : lines == sends);
            return;
        }
        QV_FUZZ_CHECK(t.app.IconState == 5);
        auto line = [&](const std::string& message) {
            return qv::LogLine(t.clock.now, "/", ":", message);
        };
        const std::vector<std::string> messages = t.LogMessages();
        QV_FUZZ_CHECK(!messages.empty());
        const std::string& last = messages.back();
        const std::string invalid =
            "Unable to Reboot Modem - Invalid commands in " + t.app.paths.CommandFilePath;
        if (last == invalid) {
            QV_FUZZ_CHECK(messages.size() == 2);
            QV_FUZZ_CHECK(StartsWith(messages[0], "Invalid telnet Commands file : "));
            QV_FUZZ_CHECK(t.sockets.connects.empty());
        } else if (StartsWith(messages[0], "Unable to Reboot Modem - Can't able to Connect ")) {
            QV_FUZZ_CHECK(log == line("Unable to Reboot Modem - Can't able to Connect " +
                                      t.app.modem.ModemAddress + ":" + t.app.modem.ModemPort));
            QV_FUZZ_CHECK(t.sockets.sent.empty());
        } else if (StartsWith(messages[0], "Unable to Reboot Modem - Invalid Responce ")) {
            QV_FUZZ_CHECK(messages.size() == 1);
        } else {
            // A failed send, whose text may hold line ends of its own.
            bool matched = false;
            for (const qv::CommandPair& pair : t.app.modem.CommandPairs)
                matched = matched || log == line("Unable to send : " + pair.SendText);
            QV_FUZZ_CHECK(matched);
        }
    });
}
