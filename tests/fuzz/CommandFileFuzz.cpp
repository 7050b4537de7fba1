// ReadCommandFile over arbitrary file contents. Every file ends either in a full read (nothing
// logged, the table sized to the file's command lines, every argument free of double quotes)
// or in exactly one "Invalid telnet Commands file : " line with the error state; a file
// refused before the table is rebuilt leaves the address, port and table as they were.
#include "modem/TelNetCmds.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

using qv::fuzz::StartsWith;

QV_FUZZ_TARGET(content) {
    qv::test::TestApp t;
    t.InitPaths();
    t.files.files[t.app.paths.CommandFilePath] = content;
    qv::ModemState& modem = t.app.modem;
    modem.ModemAddress = "old address";
    modem.ModemPort = "old port";
    modem.CommandPairs = {{"old wait", "old send"}};
    t.app.IconState = 1;
    const bool read = qv::ReadCommandFile(t.app.modemContext, t.app.paths.CommandFilePath);
    const std::vector<std::string> log = t.LogMessages();

    // The command lines a reader counts: after line 1, those that begin with a keyword.
    const std::vector<std::string> lines = qv::TextLines(content);
    size_t commands = 0;
    for (size_t i = 1; i < lines.size(); ++i)
        commands += StartsWith(lines[i], "WAIT") || StartsWith(lines[i], "SEND");
    if (read) {
        QV_FUZZ_CHECK(log.empty() && t.app.IconState == 1);
        QV_FUZZ_CHECK(commands % 2 == 0 && modem.CommandPairs.size() == commands / 2 && commands);
        QV_FUZZ_CHECK(StartsWith(lines[0], modem.ModemAddress + " " + modem.ModemPort));
        QV_FUZZ_CHECK((modem.ModemAddress + modem.ModemPort).find(' ') == std::string::npos);
        for (const qv::CommandPair& pair : modem.CommandPairs)
            QV_FUZZ_CHECK((pair.WaitText + pair.SendText).find('"') == std::string::npos);
        return;
    }
    QV_FUZZ_CHECK(log.size() == 1 && t.app.IconState == 5);
    QV_FUZZ_CHECK(StartsWith(log[0], "Invalid telnet Commands file : "));
    const std::string reason = log[0].substr(31);
    // The file does not change between the passes, so a read past its end cannot happen.
    const bool early = reason == "first line must be IP & Port." ||
                       (reason == "Command Pairs must be even." && commands % 2 == 1);
    QV_FUZZ_CHECK(early || reason == "Unknown Error 9");
    if (early)
        QV_FUZZ_CHECK(modem.ModemAddress == "old address" && modem.ModemPort == "old port" &&
                      modem.CommandPairs.size() == 1 &&
                      modem.CommandPairs[0].WaitText == "old wait");
}
