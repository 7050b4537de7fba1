// ReadCommandFile over arbitrary file contents. Every file ends either in a full read (nothing
// logged, the table sized to the file's command lines, every argument free of double quotes)
// or in exactly one "Invalid telnet Commands file : " line with the error state; a file
// refused before the table is rebuilt leaves the address, port and table as they were.
#include <algorithm>

#include "actions/Text.h"
#include "actions/FileHelpers.h"
#include "modem/TelNetCmds.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return qv::fuzz::Run([&] {
        const std::string content = qv::fuzz::Text(data, size);
        qv::test::TestApp t;
        t.InitPaths();
        const std::string& path = t.app.paths.CommandFilePath;
        t.files.files[path] = content;
        qv::ModemState& modem = t.app.modem;
        modem.ModemAddress = "old address";
        modem.ModemPort = "old port";
        modem.CommandPairs = {{"old wait", "old send"}};
        t.app.IconState = 1;

        const bool read = qv::ReadCommandFile(t.app.modemContext, path);
        const std::vector<std::string> log = t.LogMessages();

        // The command lines a reader counts: after line 1, those that begin with a keyword.
        const std::vector<std::string> lines = qv::TextLines(content);
        size_t commands = 0;
        for (size_t i = 1; i < lines.size(); ++i)
            commands += StartsWith(lines[i], "WAIT") || StartsWith(lines[i], "SEND");

        if (read) {
            QV_FUZZ_CHECK(log.empty());
            QV_FUZZ_CHECK(t.app.IconState == 1);
            QV_FUZZ_CHECK(commands % 2 == 0 && commands > 0);
            QV_FUZZ_CHECK(modem.CommandPairs.size() == commands / 2);
            QV_FUZZ_CHECK(modem.ModemAddress.find(' ') == std::string::npos);
            QV_FUZZ_CHECK(modem.ModemPort.find(' ') == std::string::npos);
            QV_FUZZ_CHECK(StartsWith(lines[0], modem.ModemAddress + " " + modem.ModemPort));
            for (const qv::CommandPair& pair : modem.CommandPairs) {
                QV_FUZZ_CHECK(pair.WaitText.find('"') == std::string::npos);
                QV_FUZZ_CHECK(pair.SendText.find('"') == std::string::npos);
            }
            return;
        }
        QV_FUZZ_CHECK(log.size() == 1);
        QV_FUZZ_CHECK(t.app.IconState == 5);
        const std::string reason = log[0].substr(std::min(log[0].size(), size_t{31}));
        QV_FUZZ_CHECK(StartsWith(log[0], "Invalid telnet Commands file : "));
        const bool early =
            reason == "first line must be IP & Port." || reason == "Command Pairs must be even.";
        // The file does not change between the passes, so a read past its end cannot happen.
        QV_FUZZ_CHECK(early || reason == "Unknown Error 9");
        if (reason == "Command Pairs must be even.")
            QV_FUZZ_CHECK(commands % 2 == 1);
        if (early) {
            QV_FUZZ_CHECK(modem.ModemAddress == "old address" && modem.ModemPort == "old port");
            QV_FUZZ_CHECK(modem.CommandPairs.size() == 1 &&
                          modem.CommandPairs[0].WaitText == "old wait");
        }
    });
}
