#include "modem/WebAuth.h"

#include <cctype>

#include "actions/Text.h"

namespace qv {
namespace {

bool IsTokenChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) ||
           std::string("!#$%&'*+-.^_`|~").find(c) != std::string::npos;
}

// Reads the header value's challenges: "scheme", then name=value pairs or a token68 after a blank,
// all separated by commas; a value may be a quoted string with backslash escapes.
class ChallengeReader {
  public:
    ChallengeReader(const std::string& value, std::vector<AuthChallenge>& into)
        : s_(value), into_(into) {}

    void Read() {
        while (Skip(), at_ < s_.size()) {
            if (s_[at_] == ',') {
                ++at_;
                continue;
            }
            const std::string token = Token();
            if (token.empty()) {  // not a challenge: up to the next comma
                SkipItem();
                continue;
            }
            Skip();
            if (at_ < s_.size() && s_[at_] == '=') {
                if (StartsToken68()) {  // the token68 of the challenge before it
                    while (at_ < s_.size() && s_[at_] == '=')
                        ++at_;
                    continue;
                }
                ++at_;
                Skip();
                const std::string value = Value();
                if (!into_.empty())
                    into_.back().params[LowerCase(token)] = value;
            } else {
                into_.push_back(AuthChallenge{LowerCase(token), {}});
            }
        }
    }

  private:
    void Skip() {
        while (at_ < s_.size() && (s_[at_] == ' ' || s_[at_] == '\t'))
            ++at_;
    }
    std::string Token() {
        const size_t from = at_;
        while (at_ < s_.size() && IsTokenChar(s_[at_]))
            ++at_;
        return s_.substr(from, at_ - from);
    }
    // At "=": a token68 ends in '=' signs followed by a comma or the end, a parameter does not.
    bool StartsToken68() const {
        size_t i = at_;
        while (i < s_.size() && s_[i] == '=')
            ++i;
        while (i < s_.size() && (s_[i] == ' ' || s_[i] == '\t'))
            ++i;
        return i == s_.size() || s_[i] == ',';
    }
    std::string Value() {
        if (at_ < s_.size() && s_[at_] == '"') {
            std::string value;
            for (++at_; at_ < s_.size() && s_[at_] != '"'; ++at_) {
                if (s_[at_] == '\\' && at_ + 1 < s_.size())
                    ++at_;
                value += s_[at_];
            }
            ++at_;
            return value;
        }
        return Token();
    }
    void SkipItem() {
        while (at_ < s_.size() && s_[at_] != ',') {
            if (s_[at_] == '"')
                Value();
            else
                ++at_;
        }
    }

    const std::string& s_;
    std::vector<AuthChallenge>& into_;
    size_t at_ = 0;
};

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes)
        hex += std::string{digits[c >> 4], digits[c & 15]};
    return hex;
}

std::string Base64(const std::string& bytes) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t n = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            n |= static_cast<unsigned char>(bytes[i + 2]);
        text += digits[(n >> 18) & 63];
        text += digits[(n >> 12) & 63];
        text += i + 1 < bytes.size() ? digits[(n >> 6) & 63] : '=';
        text += i + 2 < bytes.size() ? digits[n & 63] : '=';
    }
    return text;
}

std::string Param(const AuthChallenge& c, const std::string& name) {
    const auto it = c.params.find(name);
    return it == c.params.end() ? "" : it->second;
}

// The challenge's qop list names "auth".
bool OffersAuth(const std::string& qop) {
    size_t from = 0;
    while (from <= qop.size()) {
        size_t comma = qop.find(',', from);
        if (comma == std::string::npos)
            comma = qop.size();
        std::string item = qop.substr(from, comma - from);
        const size_t a = item.find_first_not_of(" \t"), b = item.find_last_not_of(" \t");
        if (a != std::string::npos && LowerCase(item.substr(a, b - a + 1)) == "auth")
            return true;
        from = comma + 1;
    }
    return false;
}

// How strong the challenge is: 3 Digest SHA-256, 2 Digest MD5, 1 Basic, 0 none the program
// answers.
int Strength(const AuthChallenge& c) {
    if (c.scheme == "basic")
        return 1;
    if (c.scheme != "digest" || !c.params.count("nonce"))
        return 0;
    if (c.params.count("qop") && !OffersAuth(Param(c, "qop")))
        return 0;
    const std::string algorithm = LowerCase(Param(c, "algorithm"));
    if (algorithm == "sha-256" || algorithm == "sha-256-sess")
        return 3;
    return algorithm.empty() || algorithm == "md5" || algorithm == "md5-sess" ? 2 : 0;
}

// A quoted string: backslash before each quote and backslash.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' || c == '\\' ? std::string{'\\', c} : std::string{c};
    return quoted + "\"";
}

}  // namespace

std::vector<AuthChallenge> ReadChallenges(const std::vector<std::string>& headerLines) {
    std::vector<AuthChallenge> challenges;
    const std::string name = "www-authenticate:";
    for (const std::string& line : headerLines) {
        if (LowerCase(line.substr(0, name.size())) == name)
            ChallengeReader(line.substr(name.size()), challenges).Read();
    }
    return challenges;
}

std::optional<AuthChallenge> StrongestChallenge(const std::vector<std::string>& headerLines) {
    std::optional<AuthChallenge> best;
    int strongest = 0;
    for (const AuthChallenge& c : ReadChallenges(headerLines)) {
        if (Strength(c) > strongest) {
            strongest = Strength(c);
            best = c;
        }
    }
    return best;
}

std::string AuthorizationLine(Hashes& hashes, const AuthChallenge& challenge,
                              const AuthRequest& r) {
    if (challenge.scheme == "basic")
        return "Authorization: Basic " + Base64(r.user + ":" + r.password);
    const std::string algorithm = Param(challenge, "algorithm");
    const std::string lower = LowerCase(algorithm);
    const HashKind kind = lower.rfind("sha-256", 0) == 0 ? HashKind::Sha256 : HashKind::Md5;
    bool failed = false;
    auto h = [&](const std::string& data) {
        const std::string digest = hashes.Digest(kind, data);
        failed |= digest.empty();
        return Hex(digest);
    };
    const std::string realm = Param(challenge, "realm"), nonce = Param(challenge, "nonce");
    // A line break in a quoted text would end the header line: such a challenge is not answered.
    const std::string quotedTexts = r.user + realm + nonce + Param(challenge, "opaque");
    if (quotedTexts.find_first_of("\r\n") != std::string::npos)
        return "";
    const bool qop = challenge.params.count("qop") > 0;
    const std::string nc = "00000001";
    std::string ha1 = h(r.user + ":" + realm + ":" + r.password);
    if (lower.size() > 5 && lower.substr(lower.size() - 5) == "-sess")
        ha1 = h(ha1 + ":" + nonce + ":" + r.cnonce);
    const std::string ha2 = h(r.method + ":" + r.uri);
    const std::string response =
        qop ? h(ha1 + ":" + nonce + ":" + nc + ":" + r.cnonce + ":auth:" + ha2)
            : h(ha1 + ":" + nonce + ":" + ha2);
    if (failed)
        return "";
    std::string line = "Authorization: Digest username=" + Quoted(r.user) +
                       ", realm=" + Quoted(realm) + ", uri=" + Quoted(r.uri);
    if (!algorithm.empty())
        line += ", algorithm=" + algorithm;
    line += ", nonce=" + Quoted(nonce);
    if (qop)
        line += ", nc=" + nc + ", cnonce=" + Quoted(r.cnonce) + ", qop=auth";
    line += ", response=" + Quoted(response);
    if (challenge.params.count("opaque"))
        line += ", opaque=" + Quoted(Param(challenge, "opaque"));
    return line;
}

}  // namespace qv
