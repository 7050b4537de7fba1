// ReadCommandFile over arbitrary file contents: a full read (nothing logged, command pairs
// free of double quotes) or one "Invalid telnet Commands file : " line with the error state.
#include "modem/TelNetCmds.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

QV_FUZZ_TARGET(content) {
    qv::test::TestApp t;
    t.InitPaths();
    t.files.files[t.app.paths.CommandFilePath] = content;
    t.app.IconState = 1;
    const bool read = qv::ReadCommandFile(t.app.modemContext, t.app.paths.CommandFilePath);
    const std::vector<std::string> log = t.LogMessages();
    bool quoted = false;
    for (const qv::CommandPair& pair : t.app.modem.CommandPairs)
        quoted |= (pair.WaitText + pair.SendText).find('"') != std::string::npos;
    QV_FUZZ_CHECK(read ? log.empty() && t.app.IconState == 1 && !quoted &&
                             !t.app.modem.CommandPairs.empty()
                       : log.size() == 1 && t.app.IconState == 5 &&
                             log[0].rfind("Invalid telnet Commands file : ", 0) == 0);
}
