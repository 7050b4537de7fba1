#pragma once
#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Internet.h"

namespace qv::test {

// Pages served from memory. An address that is in neither map cannot be opened.
class FakeInternet : public Internet {
  public:
    // The chunks successive reads return, in order; a chunk longer than the read is split,
    // an empty chunk ends the page there (a failed read).
    std::map<std::string, std::vector<std::string>> pages;
    // Pages of a given length whose reads only count (the buffer is left untouched).
    std::map<std::string, int64_t> sizedPages;
    std::vector<std::string> opened;  // every address asked for, in order
    int openRequests = 0;             // requests not closed yet
    size_t largestRead = 0;           // the largest size a read asked for
    // Runs inside every read, before it returns: the address and the read's number from 1.
    std::function<void(const std::string& url, int read)> onRead;
    // When set, every request goes to this implementation instead (still counted).
    Internet* passThrough = nullptr;

    std::unique_ptr<InternetRequest> OpenUrl(const std::string& url) override {
        opened.push_back(url);
        auto request = std::make_unique<Request>(*this, url);
        if (passThrough) {
            if (!(request->inner = passThrough->OpenUrl(url)))
                return nullptr;
        } else if (auto page = pages.find(url); page != pages.end()) {
            request->chunks.assign(page->second.begin(), page->second.end());
        } else if (auto sized = sizedPages.find(url); sized != sizedPages.end()) {
            request->sizedLeft = sized->second;
        } else {
            return nullptr;
        }
        return request;
    }

  private:
    struct Request : InternetRequest {
        Request(FakeInternet& owner, std::string url) : owner(owner), url(std::move(url)) {
            ++owner.openRequests;
        }
        ~Request() override { --owner.openRequests; }

        size_t Read(char* buffer, size_t size) override {
            owner.largestRead = std::max(owner.largestRead, size);
            size_t count = 0;
            if (inner) {
                count = inner->Read(buffer, size);
            } else if (sizedLeft > 0) {
                count = static_cast<size_t>(std::min<int64_t>(sizedLeft, size));
                sizedLeft -= static_cast<int64_t>(count);
            } else if (!chunks.empty()) {
                count = chunks.front().copy(buffer, size);
                chunks.front().erase(0, count);
                if (count == 0)
                    chunks.clear();
                else if (chunks.front().empty())
                    chunks.pop_front();
            }
            if (owner.onRead)
                owner.onRead(url, ++reads);
            return count;
        }

        FakeInternet& owner;
        std::string url;
        std::unique_ptr<InternetRequest> inner;
        std::deque<std::string> chunks;
        int64_t sizedLeft = 0;
        int reads = 0;
    };
};

}  // namespace qv::test
