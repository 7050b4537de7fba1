#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "modem/WebSteps.h"
#include "platform/WebRequests.h"

namespace qv::test {

// A device on the web: each request is recorded as the bytes that would go on the wire (the
// request line with the path and query, Host with the URL's authority as given, the headers,
// Content-Length for a POST, the body) and answered by the next entry of `answers`; none left is no
// answer. Every send first asks `waitEnds` (when given) and fails at once when it says the program
// was asked to end.
class FakeWebRequests : public WebRequests {
  public:
    std::deque<WebAnswer> answers;
    std::vector<std::string> sent;
    std::function<bool()> waitEnds;

    WebAnswer Send(const WebRequest& r) override {
        const size_t host = r.url.find("//") + 2;  // the authority as given
        std::string bytes = r.method + " " + UrlTarget(r.url) + " HTTP/1.1\r\nHost: " +
                            r.url.substr(host, r.url.find_first_of("/?#", host) - host) + "\r\n";
        for (const std::string& line : r.headers)
            bytes += line + "\r\n";
        if (r.method == "POST")
            bytes += "Content-Length: " + std::to_string(r.body.size()) + "\r\n";
        sent.push_back(bytes + "\r\n" + r.body);
        if ((waitEnds && waitEnds()) || answers.empty())
            return WebAnswer{};
        WebAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace qv::test
