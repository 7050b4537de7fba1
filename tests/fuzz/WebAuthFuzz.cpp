// A device's 401 answer, arbitrary header lines cut at LF: the strongest challenge is read
// without fault, and its answer is nothing or one "Authorization: " header line, never with a
// line break, whatever the challenge's texts hold.
#include "actions/Text.h"
#include "modem/WebAuth.h"
#include "posix/CryptoHashes.h"
#include "tests/fuzz/FuzzCheck.h"

QV_FUZZ_TARGET(input) {
    qv::CryptoHashes hashes;
    const std::optional<qv::AuthChallenge> challenge =
        qv::StrongestChallenge(qv::SplitText(input, '\n'));
    const std::string line =
        challenge ? qv::AuthorizationLine(hashes, *challenge, {"u", "p", "GET", "/x?y", "0a4f"})
                  : "";
    QV_FUZZ_CHECK((line.empty() || line.rfind("Authorization: ", 0) == 0) &&
                  line.find_first_of("\r\n") == std::string::npos);
}
