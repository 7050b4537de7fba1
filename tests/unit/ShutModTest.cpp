#include <gtest/gtest.h>

#include "actions/ShutMod.h"
#include "app/App.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

TEST(ShutDownTest, OnNtEnablesThePrivilegeThenForcesTheShutdown) {
    TestApp t;
    t.InitPaths();
    ShutDownPC(t.app.shutdownControl);
    EXPECT_EQ(t.app.IsWinNT, 1);
    EXPECT_EQ(t.power.events, (std::vector<std::string>{"token", "lookup", "adjust", "exit"}));
    EXPECT_EQ(t.power.tokenAccesses, std::vector<uint32_t>{0x28});
    ASSERT_EQ(t.power.lookups.size(), 1u);
    EXPECT_EQ(t.power.lookups[0], (std::pair<std::string, std::string>{"", "SeShutdownPrivilege"}));
    ASSERT_EQ(t.power.adjusts.size(), 1u);
    const auto& adjust = t.power.adjusts[0];
    EXPECT_EQ(adjust.token, t.power.tokenToOpen);
    EXPECT_FALSE(adjust.disableAll);
    EXPECT_EQ(adjust.length, 16u);
    EXPECT_EQ(adjust.request.PrivilegeCount, 1u);
    EXPECT_EQ(adjust.request.Luid.LowPart, t.power.luid.LowPart);
    EXPECT_EQ(adjust.request.Attributes, 2u);
    EXPECT_EQ(t.power.closedTokens, std::vector<TokenId>{t.power.tokenToOpen});
    EXPECT_EQ(t.power.exits, (std::vector<std::pair<uint32_t, uint32_t>>{{5u, 0xFFFFFFFFu}}));
    EXPECT_TRUE(t.LogMessages().empty());  // nothing fetched, no traffic line
}

TEST(ShutDownTest, OnTheOlderFamilyAsksDirectlyAndCheckIsMadeAnew) {
    TestApp t;
    t.InitPaths();
    t.app.IsWinNT = 1;
    t.power.version = 0xC0000A04;
    ShutDownPC(t.app.shutdownControl);
    EXPECT_EQ(t.app.IsWinNT, 0);
    EXPECT_EQ(t.power.events, std::vector<std::string>{"exit"});
}

TEST(ShutDownTest, LogsTheTrafficTotalFirstWhenBytesWereFetched) {
    TestApp t;
    t.InitPaths();
    t.clock.decimalSeparator = ",";
    t.app.traffic.TotalBytesDownloaded = 1536;
    ShutDownPC(t.app.shutdownControl);
    EXPECT_EQ(t.LogMessages(),
              std::vector<std::string>{"Total Data Downloaded for Connectivity : 1,5 KB."});
    EXPECT_EQ(t.power.exits.size(), 1u);
}

}  // namespace
}  // namespace qv::test
