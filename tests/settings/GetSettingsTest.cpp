#include <gtest/gtest.h>

#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

using Items = std::vector<std::string>;

class GetSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { t.InitPaths(); }
    Settings& s() { return t.app.settings; }
    Items Home() const {
        return Items(t.app.paths.HomePageUrls.begin(), t.app.paths.HomePageUrls.end());
    }
    test::TestApp t;
};

TEST_F(GetSettingsTest, EmptyStoreGivesEveryDefault) {
    GetSettings(t.app.settingsAccess);
    Items urls = Home();
    urls.insert(urls.end(), {"http://www.wikipedia.org/", "http://www.debian.org/"});
    const Settings expected{.FreeStartHour = 2,
                            .FreeEndHour = 8,
                            .NicOnHour = 1,
                            .NicOnMinute = 59,
                            .NicOffHour = 7,
                            .NicOffMinute = 58,
                            .RebootTimes = {"02:01", "02:03", "02:05", "07:53", "07:55", "07:57"},
                            .PingInterval = 50,
                            .PingUrlList = urls,
                            .ShutAtHour = 8,
                            .ShutFromHour = 8,
                            .ShutFromMinute = 1,
                            .ShutToHour = 9};
    EXPECT_EQ(s(), expected);
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
    t.store.Put("SrvShutAt", "2");
    t.store.Put("ShutAt", "30:75");
    t.store.values[{"Other", "Other", "PingInterval"}] = "34";  // another program's value
    GetSettings(t.app.settingsAccess);
    EXPECT_EQ(s().FreeStartHour, 2);
    EXPECT_EQ(s().FreeEndHour, 8);
    EXPECT_EQ(s().DialogTop, 1440);
    EXPECT_EQ(s().DialogLeft, 1442);
    EXPECT_TRUE(s().RebootTimes.empty());
    Items urls = Home();
    urls.insert(urls.end(), {"http://a/", "", "http://b/"});
    EXPECT_EQ(s().PingUrlList, urls);
    EXPECT_TRUE(s().SrvPing);
    EXPECT_FALSE(s().SrvModem);
    EXPECT_TRUE(s().SrvShutAt);
    EXPECT_EQ(s().ShutAtHour, 30);  // no range is enforced on load
    EXPECT_EQ(s().ShutAtMinute, 75);
    EXPECT_EQ(s().PingInterval, 50);
    EXPECT_TRUE(t.LogLines().empty());

    t.store.Put("PingUrls", "");
    t.store.Put("PingInterval", "12");
    GetSettings(t.app.settingsAccess);
    EXPECT_EQ(s().PingUrlList, Home());
    EXPECT_EQ(s().PingInterval, 12);
}

TEST_F(GetSettingsTest, AFailingStepLogsItsErrorAndKeepsWhatCameBefore) {
    s().NicOffHour = 42;
    s().PingInterval = 17;
    s().SrvPing = true;
    t.store.Put("NIC", "1:59");  // the off time is missing
    GetSettings(t.app.settingsAccess);
    EXPECT_EQ(s().NicOnMinute, 59);
    EXPECT_EQ(s().NicOffHour, 42);
    EXPECT_EQ(s().PingInterval, 17);
    EXPECT_TRUE(s().SrvPing);
    EXPECT_EQ(t.app.IconState, 5);
    EXPECT_EQ(t.LogMessages(), Items{"GetSettings Unknown Error : 9"});

    test::TestApp empty;
    empty.InitPaths();
    empty.store.Put("Time", "");
    GetSettings(empty.app.settingsAccess);
    EXPECT_EQ(empty.app.settings, Settings{});
    EXPECT_EQ(empty.LogMessages(), Items{"GetSettings Unknown Error : 9"});

    test::TestApp big;
    big.InitPaths();
    big.store.Put("PingInterval", "99999999999");
    big.store.Put("SrvPing", "1");
    GetSettings(big.app.settingsAccess);
    EXPECT_EQ(big.app.settings.RebootTimes.size(), 6u);
    EXPECT_EQ(big.app.settings.PingInterval, 0);
    EXPECT_TRUE(big.app.settings.PingUrlList.empty());
    EXPECT_FALSE(big.app.settings.SrvPing);
    EXPECT_EQ(big.LogMessages(), Items{"GetSettings Unknown Error : 6"});

    test::TestApp broken;
    broken.InitPaths();
    broken.store.failReadsOf.insert("ShutAt");
    GetSettings(broken.app.settingsAccess);
    EXPECT_EQ(broken.app.settings.PingInterval, 50);
    EXPECT_EQ(broken.app.settings.ShutAtHour, 0);
    ASSERT_EQ(broken.LogMessages().size(), 1u);
    EXPECT_EQ(broken.LogMessages()[0].rfind("GetSettings Unknown Error : ", 0), 0u);
    EXPECT_EQ(broken.app.IconState, 5);
}

}  // namespace
}  // namespace qv
