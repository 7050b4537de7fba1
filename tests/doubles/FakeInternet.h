#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Internet.h"

namespace qv::test {

// Pages served from memory, each read taking as much as it asks for. An address that is in
// neither map cannot be opened. Every open and read first asks `waitEnds` (when given), and
// fails at once when it says the program was asked to end.
class FakeInternet : public Internet {
  public:
    std::map<std::string, std::string> pages;
    std::map<std::string, int64_t> sizedPages;  // this many bytes, which the reads only count
    std::vector<std::string> opened;            // every address asked for, in order
    // When set, every request goes to this implementation instead (still listed in `opened`).
    Internet* passThrough = nullptr;
    std::function<bool()> waitEnds;

    std::unique_ptr<InternetRequest> OpenUrl(const std::string& url) override {
        opened.push_back(url);
        if (Ended())
            return nullptr;
        if (passThrough)
            return passThrough->OpenUrl(url);
        if (!pages.count(url) && !sizedPages.count(url))
            return nullptr;
        const std::string text = pages.count(url) ? pages[url] : "";
        const int64_t size = sizedPages.count(url) ? sizedPages[url] : int64_t(text.size());
        return std::make_unique<Request>(*this, text, size);
    }
    bool Ended() const { return waitEnds && waitEnds(); }

  private:
    struct Request : InternetRequest {
        Request(const FakeInternet& i, std::string t, int64_t n) : internet(i), text(t), left(n) {}
        size_t Read(char* buffer, size_t size) override {
            if (internet.Ended())
                return 0;
            const auto count = static_cast<size_t>(std::min<int64_t>(left, size));
            text.erase(0, text.copy(buffer, count));  // a sized page's reads only count
            left -= static_cast<int64_t>(count);
            return count;
        }

        const FakeInternet& internet;
        std::string text;
        int64_t left;
    };
};

}  // namespace qv::test
