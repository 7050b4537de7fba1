#include <gtest/gtest.h>

#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

class GetSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { t.InitPaths(); }
    Settings& s() { return t.app.settings; }
    test::TestApp t;
};

TEST_F(GetSettingsTest, EmptyStoreGivesEveryDefault) {
    GetSettings(t.app);
    EXPECT_EQ(s().FreeStartHour, 2);
    EXPECT_EQ(s().FreeEndHour, 8);
    EXPECT_EQ(s().NicOnHour, 1);
    EXPECT_EQ(s().NicOnMinute, 59);
    EXPECT_EQ(s().NicOffHour, 7);
    EXPECT_EQ(s().NicOffMinute, 58);
    EXPECT_EQ(s().RebootTimes,
              (std::vector<std::string>{"02:01", "02:03", "02:05", "07:53", "07:55", "07:57"}));
    EXPECT_EQ(s().DialogTop, 0);
    EXPECT_EQ(s().DialogLeft, 0);
    EXPECT_EQ(s().PingInterval, 50);
    ASSERT_EQ(s().PingUrlList.size(), 5u);
    EXPECT_EQ(s().PingUrlList[0], t.app.paths.HomePageUrls[0]);
    EXPECT_EQ(s().PingUrlList[2], t.app.paths.HomePageUrls[2]);
    EXPECT_EQ(s().ShutAtHour, 8);
    EXPECT_EQ(s().ShutAtMinute, 0);
    EXPECT_EQ(s().ShutFromHour, 8);
    EXPECT_EQ(s().ShutFromMinute, 1);
    EXPECT_EQ(s().ShutToHour, 9);
    EXPECT_EQ(s().ShutToMinute, 0);
    EXPECT_FALSE(s().SrvShutAt || s().SrvShutDuring || s().SrvNicDuringN || s().SrvNicDuringD ||
                 s().SrvModemFail || s().SrvStartup || s().SrvNicAt || s().SrvModem || s().SrvPing);
    EXPECT_TRUE(t.LogLines().empty());
    EXPECT_NE(t.app.IconState, 5);
}

TEST_F(GetSettingsTest, StoredTextsAreReadByTheLeadingNumberAndSwitchRules) {
    t.store.Put("Time", " 02 , 08 ,9");
    t.store.Put("frmTop", "1440.5");
    t.store.Put("frmLeft", "1441.5");
    t.store.Put("Reboot", "");
    t.store.Put("PingUrls", "http://a/,,http://b/");
    t.store.Put("SrvPing", "-1");
    t.store.Put("SrvModem", "True");
    t.store.Put("SrvNicAt", "yes");
    t.store.Put("SrvShutAt", "2");
    t.store.Put("ShutAt", "30:75");
    GetSettings(t.app);
    EXPECT_EQ(s().FreeStartHour, 2);
    EXPECT_EQ(s().FreeEndHour, 8);
    EXPECT_EQ(s().DialogTop, 1440);
    EXPECT_EQ(s().DialogLeft, 1442);
    EXPECT_TRUE(s().RebootTimes.empty());
    ASSERT_EQ(s().PingUrlList.size(), 6u);
    EXPECT_EQ(s().PingUrlList[3], "http://a/");
    EXPECT_EQ(s().PingUrlList[4], "");
    EXPECT_TRUE(s().SrvPing);
    EXPECT_FALSE(s().SrvModem);
    EXPECT_FALSE(s().SrvNicAt);
    EXPECT_TRUE(s().SrvShutAt);
    EXPECT_EQ(s().ShutAtHour, 30);  // no range is enforced on load
    EXPECT_EQ(s().ShutAtMinute, 75);
    EXPECT_TRUE(t.LogLines().empty());
}

TEST_F(GetSettingsTest, EmptyPageListGivesTheBuiltInPagesAlone) {
    t.store.Put("PingUrls", "");
    GetSettings(t.app);
    EXPECT_EQ(s().PingUrlList, (std::vector<std::string>(t.app.paths.HomePageUrls.begin(),
                                                         t.app.paths.HomePageUrls.end())));
}

TEST_F(GetSettingsTest, MissingPartStopsTheLoadWithErrorNineAndKeepsWhatCameBefore) {
    s().NicOffHour = 42;
    s().PingInterval = 17;
    s().SrvPing = true;
    t.store.Put("NIC", "1:59");
    GetSettings(t.app);
    EXPECT_EQ(s().FreeStartHour, 2);
    EXPECT_EQ(s().NicOnHour, 1);
    EXPECT_EQ(s().NicOnMinute, 59);
    EXPECT_EQ(s().NicOffHour, 42);
    EXPECT_EQ(s().PingInterval, 17);
    EXPECT_TRUE(s().SrvPing);
    EXPECT_EQ(t.app.IconState, 5);
    EXPECT_EQ(t.LogMessages(), (std::vector<std::string>{"GetSettings Unknown Error : 9"}));
}

TEST_F(GetSettingsTest, EmptyTimeFailsAtTheFirstStep) {
    t.store.Put("Time", "");
    GetSettings(t.app);
    EXPECT_EQ(s(), Settings{});
    EXPECT_EQ(t.LogMessages(), (std::vector<std::string>{"GetSettings Unknown Error : 9"}));
}

TEST_F(GetSettingsTest, NumberTooLargeIsErrorSixAtItsStep) {
    t.store.Put("PingInterval", "99999999999");
    t.store.Put("SrvPing", "1");
    GetSettings(t.app);
    EXPECT_EQ(s().DialogTop, 0);
    EXPECT_EQ(s().FreeStartHour, 2);
    EXPECT_EQ(s().RebootTimes.size(), 6u);
    EXPECT_EQ(s().PingInterval, 0);
    EXPECT_TRUE(s().PingUrlList.empty());
    EXPECT_FALSE(s().SrvPing);
    EXPECT_EQ(t.LogMessages(), (std::vector<std::string>{"GetSettings Unknown Error : 6"}));
}

TEST_F(GetSettingsTest, StoreFailureIsReportedAndEndsTheLoad) {
    t.store.failReadsOf.insert("ShutAt");
    GetSettings(t.app);
    EXPECT_EQ(s().PingInterval, 50);
    EXPECT_EQ(s().ShutAtHour, 0);
    ASSERT_EQ(t.LogMessages().size(), 1u);
    EXPECT_EQ(t.LogMessages()[0].rfind("GetSettings Unknown Error : ", 0), 0u);
    EXPECT_EQ(t.app.IconState, 5);
}

TEST_F(GetSettingsTest, ReadsUnderTheExecutablesBaseName) {
    t.store.values[{"Quorvane", "Quorvane", "PingInterval"}] = "12";
    t.store.values[{"Other", "Other", "PingInterval"}] = "34";
    GetSettings(t.app);
    EXPECT_EQ(s().PingInterval, 12);
}

}  // namespace
}  // namespace qv
