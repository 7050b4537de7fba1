#include <gtest/gtest.h>

#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

// The whole record a load leaves, from what the store holds ("key=value" rows; "key!" fails
// to read, "Other:key" belongs to another program). A failing step leaves the record as it
// was (all zero here) from that step on and logs one line.
TEST(GetSettings, ReadsTheStoreByTheNumberRulesAndStopsAtTheFirstFault) {
    const Strings home = {"http://www.yahoo.com/", "http://www.bing.com/", "http://www.msn.com/"};
    Strings urls = home;
    urls.insert(urls.end(), {"http://www.wikipedia.org/", "http://www.debian.org/"});
    const Settings defaults{.FreeStartHour = 2,
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
    auto zeroFromShutAt = [](Settings& s) {
        s.ShutAtHour = s.ShutFromHour = s.ShutFromMinute = s.ShutToHour = 0;
    };
    struct Row {
        Strings stored;
        std::function<void(Settings&)> expect;  // changes to the defaults
        std::string log;
    };
    const Row rows[] = {
        {{}, [](Settings&) {}, ""},
        {{"Time= 02 , 08 ,9", "frmTop=1440.5", "frmLeft=1441.5", "Reboot=", "SrvPing=-1",
          "PingUrls=http://a/,,http://b/", "SrvModem=True", "SrvShutAt=2", "ShutAt=30:75",
          "SrvNicAt=1", "SrvModemFail=1", "SrvStartup=1", "SrvShutDuring=1", "SrvNicDuringN=1",
          "SrvNicDuringD=1", "ShutDuring=23:59-00:01"},
         [&](Settings& s) {
             std::tie(s.DialogTop, s.DialogLeft) = std::pair(1440, 1442);  // halves to even
             s.RebootTimes.clear();
             s.PingUrlList = home;
             s.PingUrlList.insert(s.PingUrlList.end(), {"http://a/", "", "http://b/"});
             s.SrvPing = s.SrvShutAt = s.SrvNicAt = s.SrvModemFail = s.SrvStartup = true;
             s.SrvShutDuring = s.SrvNicDuringN = s.SrvNicDuringD = true;
             std::tie(s.ShutAtHour, s.ShutAtMinute) = std::pair(30, 75);  // no range on load
             std::tie(s.ShutFromHour, s.ShutFromMinute, s.ShutToHour, s.ShutToMinute) =
                 std::tuple(23, 59, 0, 1);
         },
         ""},
        {{"PingUrls=", "PingInterval=12", "NIC=3:4,5:6", "Other:PingInterval=34"},
         [&](Settings& s) {
             s.PingUrlList = home;
             s.PingInterval = 12;
             std::tie(s.NicOnHour, s.NicOnMinute, s.NicOffHour, s.NicOffMinute) =
                 std::tuple(3, 4, 5, 6);
         },
         ""},
        {{"NIC=1:59"},
         [](Settings& s) {
             s = {};
             std::tie(s.FreeStartHour, s.FreeEndHour, s.NicOnHour, s.NicOnMinute) =
                 std::tuple(2, 8, 1, 59);
         },
         "GetSettings Unknown Error : 9"},
        {{"Time="}, [](Settings& s) { s = {}; }, "GetSettings Unknown Error : 9"},
        {{"PingInterval=99999999999", "SrvPing=1"},
         [&](Settings& s) {
             s.PingInterval = 0;
             s.PingUrlList.clear();
             zeroFromShutAt(s);
         },
         "GetSettings Unknown Error : 6"},
        {{"ShutAt!"}, zeroFromShutAt, "GetSettings Unknown Error : 5"},
    };
    for (const Row& row : rows) {
        TestApp t;
        t.InitPaths();
        for (const std::string& kv : row.stored) {
            const size_t eq = kv.find('=');
            if (eq == std::string::npos)
                t.store.failReadsOf.insert(kv.substr(0, kv.size() - 1));
            else if (kv.rfind("Other:", 0) == 0)
                t.store.values[{"Other", "Other", kv.substr(6, eq - 6)}] = kv.substr(eq + 1);
            else
                t.store.Put(kv.substr(0, eq), kv.substr(eq + 1));
        }
        GetSettings(t.app.settingsAccess);
        Settings expected = defaults;
        row.expect(expected);
        SCOPED_TRACE(row.stored.empty() ? "" : row.stored[0]);
        EXPECT_EQ(t.app.settings, expected);
        EXPECT_EQ(t.LogMessages(), row.log.empty() ? Strings{} : Strings{row.log});
        EXPECT_EQ(t.app.IconState == 5, !row.log.empty());
    }
}

}  // namespace
}  // namespace qv::test
