#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/WebRequests.h"

namespace qv::test {

// A device on the web: each request is recorded as the bytes that would go on the wire (the
// request line with the path and query, Host, the headers as given, Content-Length for a
// body), and answered by the next entry of `answers`; none left is no answer. Every send first
// asks `waitEnds` (when given) and fails at once when it says the program was asked to end.
class FakeWebRequests : public WebRequests {
  public:
    std::deque<WebAnswer> answers;
    std::vector<std::string> sent;
    std::function<bool()> waitEnds;

    // An answer with a status, the given header lines and a body.
    static WebAnswer Answer(int status, std::vector<std::string> headers = {},
                            std::string body = "") {
        return WebAnswer{true, status, std::move(headers), std::move(body)};
    }

    WebAnswer Send(const WebRequest& request) override {
        sent.push_back(Bytes(request));
        if ((waitEnds && waitEnds()) || answers.empty())
            return WebAnswer{};
        WebAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    static std::string Bytes(const WebRequest& r) {
        const size_t host = r.url.find("//") == std::string::npos ? 0 : r.url.find("//") + 2;
        const size_t path = std::min(r.url.find_first_of("/?#", host), r.url.size());
        std::string target = r.url.substr(path, r.url.find('#', path) - path);
        target = target.empty() || target[0] == '?' ? "/" + target : target;
        std::string authority = r.url.substr(host, path - host);
        authority = authority.substr(authority.rfind('@') + 1);
        std::string bytes = r.method + " " + target + " HTTP/1.1\r\nHost: " + authority + "\r\n";
        for (const std::string& line : r.headers)
            bytes += line + "\r\n";
        if (r.method == "POST")
            bytes += "Content-Length: " + std::to_string(r.body.size()) + "\r\n";
        return bytes + "\r\n" + r.body;
    }
};

}  // namespace qv::test
