#include "modem/WebSteps.h"

#include <cctype>
#include <vector>

#include "actions/Text.h"

namespace qv {
namespace {

struct Keyword {
    const char* word;
    WebStep::Kind kind;
    size_t arguments;
};
constexpr Keyword kKeywords[] = {
    {"USER", WebStep::Kind::User, 2},     {"HEADER", WebStep::Kind::Header, 1},
    {"GET", WebStep::Kind::Get, 1},       {"POST", WebStep::Kind::Post, 2},
    {"EXPECT", WebStep::Kind::Expect, 1}, {"PAUSE", WebStep::Kind::Pause, 1},
};
constexpr int kLongestPause = 600;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The quoted texts that follow `at`, blanks between them; false on anything else.
bool QuotedTexts(const std::string& line, size_t at, std::vector<std::string>& texts) {
    while (true) {
        while (at < line.size() && IsBlank(line[at]))
            ++at;
        if (at == line.size())
            return true;
        if (line[at] != '"')
            return false;
        std::string text;
        for (++at;; ++at) {
            if (at == line.size())
                return false;
            const char c = line[at];
            if (c == '"')
                break;
            const char next = at + 1 < line.size() ? line[at + 1] : '\0';
            if (c == '\\' && (next == '"' || next == '\\' || next == 'm')) {
                text += next == 'm' ? "\r\n" : std::string(1, next);
                ++at;
            } else {
                text += c;
            }
        }
        texts.push_back(std::move(text));
        ++at;
    }
}

// Where the host begins, or npos for anything but an http:// URL.
size_t HostStart(const std::string& url) {
    const std::string scheme = "http://";
    return LowerCase(url.substr(0, scheme.size())) == scheme ? scheme.size() : std::string::npos;
}

size_t PathStart(const std::string& url, size_t host) {
    const size_t path = url.find_first_of("/?#", host);
    return path == std::string::npos ? url.size() : path;
}

bool IsHttpUrl(const std::string& url) {
    const size_t host = HostStart(url);
    if (host == std::string::npos || UrlHost(url).empty())
        return false;
    for (char c : url) {
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7f)
            return false;
    }
    return true;
}

bool IsHeaderLine(const std::string& line) {
    const size_t colon = line.find(':');
    if (colon == 0 || colon == std::string::npos || line.find_first_of("\r\n") != std::string::npos)
        return false;
    for (size_t i = 0; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c <= ' ' || c >= 0x7f ||
            std::string("\"(),/:;<=>?@[\\]{}").find(c) != std::string::npos)
            return false;
    }
    return true;
}

bool IsPause(const std::string& seconds) {
    if (seconds.empty() || seconds.size() > 3)
        return false;
    for (char c : seconds) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    const int value = std::stoi(seconds);
    return value >= 1 && value <= kLongestPause;
}

}  // namespace

bool IsWebWord(const std::string& word) {
    return LowerCase(word) == "web";
}

std::optional<WebStep> ReadWebStep(const std::string& line) {
    size_t end = 0;
    while (end < line.size() && !IsBlank(line[end]) && line[end] != '"')
        ++end;
    const std::string word = line.substr(0, end);
    for (const Keyword& keyword : kKeywords) {
        std::vector<std::string> texts;
        if (word != keyword.word || !QuotedTexts(line, end, texts) ||
            texts.size() != keyword.arguments)
            continue;
        WebStep step{keyword.kind, texts[0], texts.size() > 1 ? texts[1] : ""};
        const bool request = step.kind == WebStep::Kind::Get || step.kind == WebStep::Kind::Post;
        if ((request && !IsHttpUrl(step.first)) ||
            (step.kind == WebStep::Kind::Header && !IsHeaderLine(step.first)) ||
            (step.kind == WebStep::Kind::Pause && !IsPause(step.first)))
            return std::nullopt;
        return step;
    }
    return std::nullopt;
}

std::string UrlHost(const std::string& url) {
    const size_t host = HostStart(url);
    if (host == std::string::npos)
        return "";
    const std::string authority = url.substr(host, PathStart(url, host) - host);
    const size_t at = authority.rfind('@');
    return at == std::string::npos ? authority : authority.substr(at + 1);
}

std::string UrlUserInfo(const std::string& url) {
    const size_t host = HostStart(url);
    if (host == std::string::npos)
        return "";
    const std::string authority = url.substr(host, PathStart(url, host) - host);
    return authority.substr(0,
                            authority.rfind('@') == std::string::npos ? 0 : authority.rfind('@'));
}

std::string UrlWithoutUserInfo(const std::string& url) {
    const size_t host = HostStart(url);
    if (host == std::string::npos)
        return url;
    const size_t path = PathStart(url, host);
    return url.substr(0, host) + UrlHost(url) + url.substr(path);
}

std::string UrlForLog(const std::string& url) {
    const size_t host = HostStart(url);
    if (host == std::string::npos)
        return url.substr(0, url.find_first_of("?#"));
    const size_t path = PathStart(url, host);
    const size_t query = url.find_first_of("?#", path);
    return url.substr(0, host) + UrlHost(url) +
           url.substr(path, (query == std::string::npos ? url.size() : query) - path);
}

std::string UrlTarget(const std::string& url) {
    const size_t host = HostStart(url);
    const size_t path = PathStart(url, host == std::string::npos ? 0 : host);
    const size_t fragment = url.find('#', path);
    std::string target =
        url.substr(path, (fragment == std::string::npos ? url.size() : fragment) - path);
    return target.empty() || target[0] != '/' ? "/" + target : target;
}

}  // namespace qv
