#pragma once
#include <string>
#include <vector>

#include "platform/Power.h"

namespace qv::test {

// Records the shutdown calls; nothing is ever switched off.
class FakePower : public Power {
  public:
    uint32_t version = 0x0A280105;  // an NT-family version (bit 31 clear)
    TokenId tokenToOpen = 7;
    PrivilegeLuid luid{0x13, 0};
    std::vector<uint32_t> tokenAccesses;
    std::vector<std::pair<std::string, std::string>> lookups;
    struct Adjust {
        TokenId token;
        bool disableAll;
        TokenPrivilegeRequest request;
        uint32_t length;
    };
    std::vector<Adjust> adjusts;
    std::vector<TokenId> closedTokens;
    std::vector<std::pair<uint32_t, uint32_t>> exits;  // flags, reason
    std::vector<std::string> events;

    uint32_t GetVersion() override { return version; }
    TokenId OpenProcessToken(uint32_t access) override {
        tokenAccesses.push_back(access);
        events.push_back("token");
        return tokenToOpen;
    }
    bool LookupPrivilegeValueA(const std::string& system, const std::string& name,
                               PrivilegeLuid& out) override {
        lookups.emplace_back(system, name);
        events.push_back("lookup");
        out = luid;
        return true;
    }
    bool AdjustTokenPrivileges(TokenId token, bool disableAll, const TokenPrivilegeRequest& request,
                               uint32_t length) override {
        adjusts.push_back({token, disableAll, request, length});
        events.push_back("adjust");
        return true;
    }
    void CloseToken(TokenId token) override { closedTokens.push_back(token); }
    bool ExitWindowsEx(uint32_t flags, uint32_t reason) override {
        exits.emplace_back(flags, reason);
        events.push_back("exit");
        return true;
    }
};

}  // namespace qv::test
