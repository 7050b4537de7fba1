#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Hashes.h"

namespace qv {

// One challenge of a WWW-Authenticate header: its scheme and parameters, names in small letters,
// quoted values unquoted.
struct AuthChallenge {
    std::string scheme;
    std::map<std::string, std::string> params;
};

// Every challenge of the answer's WWW-Authenticate header lines ("Name: value"), in order.
std::vector<AuthChallenge> ReadChallenges(const std::vector<std::string>& headerLines);

// The strongest challenge the program can answer: Digest with SHA-256, then Digest with MD5
// (each also in its -sess form; with qop "auth" or without qop), then Basic. Nothing when there
// is none.
std::optional<AuthChallenge> StrongestChallenge(const std::vector<std::string>& headerLines);

// What a request answers the challenge with.
struct AuthRequest {
    std::string user, password, method, uri, cnonce;
};

// The header line "Authorization: ..." answering the challenge, nc 00000001; "" when the system
// gave no digest, or when the name or the challenge's texts hold a line break.
std::string AuthorizationLine(Hashes& hashes, const AuthChallenge& challenge,
                              const AuthRequest& request);

}  // namespace qv
