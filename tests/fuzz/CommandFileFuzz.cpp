// ReadCommandFile over arbitrary file contents: a full read (nothing logged; telnet mode with
// command pairs free of double quotes, or web mode with at least one request to an http:// URL,
// no header that could break a request's lines and pauses of 1 to 600 s) or one
// "Invalid telnet Commands file : " line with the error state.
#include <cctype>

#include "modem/TelNetCmds.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

bool SoundSteps(const std::vector<qv::WebStep>& steps) {
    using Kind = qv::WebStep::Kind;
    bool request = false;
    for (const qv::WebStep& step : steps) {
        const bool isRequest = step.kind == Kind::Get || step.kind == Kind::Post;
        request |= isRequest;
        std::string scheme = step.first.substr(0, 7);
        for (char& c : scheme)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (isRequest && (scheme != "http://" || qv::UrlHost(step.first).empty() ||
                          step.first.find_first_of(" \r\n") != std::string::npos))
            return false;
        if (step.kind == Kind::Header && step.first.find_first_of("\r\n") != std::string::npos)
            return false;
        if (step.kind == Kind::Pause && (std::stoi(step.first) < 1 || std::stoi(step.first) > 600))
            return false;
    }
    return request;
}

}  // namespace

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
    const bool script = t.app.modem.WebMode
                            ? t.app.modem.CommandPairs.empty() && SoundSteps(t.app.modem.WebSteps)
                            : !quoted && !t.app.modem.CommandPairs.empty();
    QV_FUZZ_CHECK(read ? log.empty() && t.app.IconState == 1 && script
                       : log.size() == 1 && t.app.IconState == 5 &&
                             log[0].rfind("Invalid telnet Commands file : ", 0) == 0);
}
