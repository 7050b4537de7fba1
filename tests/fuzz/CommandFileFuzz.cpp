// ReadCommandFile over arbitrary file contents: a full read (nothing logged; telnet mode with
// command pairs free of double quotes, or web mode with a request, every request to an http://
// host, and no request or header text that could break a request's lines) or one
// "Invalid telnet Commands file : " line with the error state.
#include <algorithm>

#include "modem/TelNetCmds.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

bool SoundSteps(const std::vector<qv::WebStep>& steps) {
    using Kind = qv::WebStep::Kind;
    auto request = [](const qv::WebStep& s) { return s.kind == Kind::Get || s.kind == Kind::Post; };
    return std::any_of(steps.begin(), steps.end(), request) &&
           std::none_of(steps.begin(), steps.end(), [&](const qv::WebStep& s) {
               return (request(s) && qv::UrlHost(s.first).empty()) ||
                      ((request(s) || s.kind == Kind::Header) &&
                       s.first.find_first_of("\r\n") != std::string::npos);
           });
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
