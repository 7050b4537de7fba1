// A device's 401 answer, arbitrary header lines cut at LF: the strongest challenge is read
// without fault, and its answer is one header line, "Authorization: Basic " or "Digest ", with
// no line break; a challenge whose texts hold a line break is not answered.
#include "actions/Text.h"
#include "modem/WebAuth.h"
#include "posix/CryptoHashes.h"
#include "tests/fuzz/FuzzCheck.h"

QV_FUZZ_TARGET(input) {
    const std::vector<std::string> lines = qv::SplitText(input, '\n');
    const std::optional<qv::AuthChallenge> challenge = qv::StrongestChallenge(lines);
    if (!challenge)
        return;
    qv::CryptoHashes hashes;
    const std::string line =
        qv::AuthorizationLine(hashes, *challenge, {"user", "pass", "GET", "/x?y", "0a4f113b"});
    std::string texts;
    for (const char* name : {"realm", "nonce", "opaque"})
        texts += challenge->params.count(name) ? challenge->params.at(name) : "";
    const bool refused =
        challenge->scheme == "digest" && texts.find_first_of("\r\n") != std::string::npos;
    QV_FUZZ_CHECK(refused ? line.empty()
                          : (line.rfind("Authorization: Basic ", 0) == 0 ||
                             line.rfind("Authorization: Digest ", 0) == 0) &&
                                line.find_first_of("\r\n") == std::string::npos);
}
