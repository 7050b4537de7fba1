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
        if (waitEnds && waitEnds())
            return nullptr;
        auto request = std::make_unique<Request>();
        request->waitEnds = waitEnds;
        request->inner = passThrough ? passThrough->OpenUrl(url) : nullptr;
        request->text = pages.count(url) ? pages[url] : "";
        request->left = sizedPages.count(url) ? sizedPages[url] : int64_t(request->text.size());
        if (!request->inner && !pages.count(url) && !sizedPages.count(url))
            return nullptr;
        return request;
    }

  private:
    struct Request : InternetRequest {
        size_t Read(char* buffer, size_t size) override {
            if (waitEnds && waitEnds())
                return 0;
            if (inner)
                return inner->Read(buffer, size);
            const auto count = static_cast<size_t>(std::min<int64_t>(left, size));
            text.erase(0, text.copy(buffer, count));  // a sized page's reads only count
            left -= static_cast<int64_t>(count);
            return count;
        }

        std::function<bool()> waitEnds;
        std::unique_ptr<InternetRequest> inner;
        std::string text;
        int64_t left = 0;
    };
};

}  // namespace qv::test
