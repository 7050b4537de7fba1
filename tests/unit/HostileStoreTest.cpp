// Settings texts far beyond anything the dialog writes: every one of them ends in a full load or
// in the one error line.
#include <gtest/gtest.h>

#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

constexpr size_t kHuge = 100000;

std::string Padded(const std::string& head, char fill) {
    return head + std::string(kHuge - head.size(), fill);
}

class HostileStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { t.InitPaths(); }
    void Load() { GetSettings(t.app.settingsAccess); }
    test::TestApp t;
};

TEST_F(HostileStoreTest, HundredThousandCharacterValuesLoadByTheSameRules) {
    std::string reboots;
    while (reboots.size() + 6 <= kHuge)
        reboots += "02:01,";
    reboots += "07";
    const std::string url = Padded("http://127.0.0.1/", 'a');
    t.store.Put("Time", std::string(kHuge / 2, ' ') + "2" + std::string(kHuge / 2 - 3, ' ') + ",8");
    t.store.Put("NIC", Padded("1:59,7:58", 'x'));
    t.store.Put("Reboot", reboots);
    t.store.Put("frmTop", Padded("", '\t') + "5");
    t.store.Put("frmLeft", Padded("-3", 'e'));
    t.store.Put("PingInterval", Padded("45", ','));
    t.store.Put("PingUrls", url);
    t.store.Put("ShutAt", Padded("08:00", ':'));
    t.store.Put("ShutDuring", Padded("08:01-09:00", '-'));
    t.store.Put("SrvPing", Padded("1", '0'));   // a number too large to hold is still not 0
    t.store.Put("SrvModem", Padded("0", '0'));  // and a long run of zeros is 0
    Load();

    const Settings& s = t.app.settings;
    EXPECT_TRUE(t.LogMessages().empty()) << t.LogMessages()[0];
    EXPECT_EQ(s.FreeStartHour, 2);
    EXPECT_EQ(s.FreeEndHour, 8);
    EXPECT_EQ(s.NicOffMinute, 58);
    EXPECT_EQ(s.RebootTimes.size(), kHuge / 6 + 1);
    EXPECT_EQ(s.RebootTimes.back(), "07");
    EXPECT_EQ(s.DialogTop, 5);
    EXPECT_EQ(s.DialogLeft, -3);
    EXPECT_EQ(s.PingInterval, 45);
    ASSERT_EQ(s.PingUrlList.size(), 4u);
    EXPECT_EQ(s.PingUrlList[3], url);
    EXPECT_EQ(s.ShutToHour, 9);
    EXPECT_TRUE(s.SrvPing);
    EXPECT_FALSE(s.SrvModem);
}

TEST_F(HostileStoreTest, AHundredThousandDigitNumberIsErrorSixAtItsStep) {
    t.store.Put("PingInterval", std::string(kHuge, '9'));
    t.store.Put("frmLeft", "&H" + std::string(kHuge - 2, 'F'));
    Load();
    EXPECT_EQ(t.LogMessages(), std::vector<std::string>{"GetSettings Unknown Error : 6"});
    EXPECT_EQ(t.app.IconState, 5);
    EXPECT_EQ(t.app.settings.DialogTop, 0);
    EXPECT_EQ(t.app.settings.PingInterval, 0);  // frmLeft already failed
    EXPECT_TRUE(t.app.settings.PingUrlList.empty());
}

}  // namespace
}  // namespace qv
