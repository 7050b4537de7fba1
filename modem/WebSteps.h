#pragma once
#include <optional>
#include <string>

namespace qv {

// One line of a web-mode command file: a keyword in capitals and its quoted arguments.
struct WebStep {
    enum class Kind { User, Header, Get, Post, Expect, Pause };
    Kind kind = Kind::Get;
    // USER: name and password; HEADER: the header line; GET: the URL; POST: the URL and the
    // body; EXPECT: the text; PAUSE: the seconds.
    std::string first, second;
    bool operator==(const WebStep&) const = default;
};

// True for the word after the port that asks for web mode: "web", in any case.
bool IsWebWord(const std::string& word);

// The step a line of a web-mode file holds: its keyword, then exactly its arguments, each in
// double quotes, where \" stands for a quote, \\ for a backslash and \m for CR LF (any other
// backslash stays as written). Nothing for an unknown keyword, a missing or extra argument, text
// outside the quotes, a URL that is not http://, a header without its name, or a PAUSE outside
// 1 to 600 seconds.
std::optional<WebStep> ReadWebStep(const std::string& line);

// The URL as a log line or a message may show it: without user information, query or fragment.
std::string UrlForLog(const std::string& url);

// The URL's host and port, without user information.
std::string UrlHost(const std::string& url);

// The URL's user information ("name:password"), "" when it has none, and the URL without it.
std::string UrlUserInfo(const std::string& url);
std::string UrlWithoutUserInfo(const std::string& url);

// The request target the URL names: its path and query ("/" when it has no path).
std::string UrlTarget(const std::string& url);

}  // namespace qv
