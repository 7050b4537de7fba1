#include <gtest/gtest.h>

#include <sstream>

#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

// The whole record in one line; "home" stands for each built-in home page.
std::string Record(const Settings& s) {
    std::ostringstream o;
    auto list = [&](const Strings& items) {
        for (const std::string& item : items)
            o << (item.starts_with("http://www.") && item.size() <= 21 ? "home" : item) << ",";
    };
    o << s.FreeStartHour << "-" << s.FreeEndHour << " nic " << s.NicOnHour << ":" << s.NicOnMinute
      << "-" << s.NicOffHour << ":" << s.NicOffMinute << " reboot ";
    list(s.RebootTimes);
    o << " at " << s.DialogTop << "," << s.DialogLeft << " ping " << s.PingInterval << " ";
    list(s.PingUrlList);
    o << " shut " << s.ShutAtHour << ":" << s.ShutAtMinute << " " << s.ShutFromHour << ":"
      << s.ShutFromMinute << "-" << s.ShutToHour << ":" << s.ShutToMinute << " on " << s.SrvShutAt
      << s.SrvShutDuring << s.SrvNicDuringN << s.SrvNicDuringD << s.SrvModemFail << s.SrvStartup
      << s.SrvNicAt << s.SrvModem << s.SrvPing << " pace " << s.RebootLimitCount << ","
      << s.RebootLimitHours << "/" << s.RebootGraceMinutes << " night " << s.SrvAwake << s.SrvWake;
    return o.str();
}

// The record a load leaves, from what the store holds ("key=value"; "key!" fails to read;
// "Other:key" is another program's). A failing step leaves the record as it was (all zero
// here) from that step on and logs one line.
TEST(GetSettings, ReadsTheStoreByTheNumberRulesAndStopsAtTheFirstFault) {
    const std::string five = "02:01,02:03,02:05,07:53,07:55,07:57,";
    const std::string urls = "home,home,home,http://www.wikipedia.org/,http://www.debian.org/,";
    // Every key as its default, but the switches, the pacing and the night's (given per row).
    const std::string loaded =
        "2-8 nic 1:59-7:58 reboot " + five + " at 0,0 ping 50 " + urls + " shut 8:0 8:1-9:0 on ";
    // Nothing past the failing step: its zeros and the night's switches off.
    const std::string zero = " at 0,0 ping 0  shut 0:0 0:0-0:0 on 000000000 pace 0,4/0 night 00";
    const std::array<std::string, 3> rows[] = {
        {"", loaded + "000000000 pace 0,4/0 night 10", ""},
        {"Time= 02 , 08 ,9|frmTop=1440.5|frmLeft=1441.5|Reboot=|SrvPing=-1|SrvModem=True|"
         "PingUrls=http://a/,,http://b/|SrvShutAt=2|ShutAt=30:75|SrvNicAt=1|SrvModemFail=1|"
         "SrvStartup=1|SrvShutDuring=1|SrvNicDuringN=1|SrvNicDuringD=1|ShutDuring=23:59-00:01",
         // Halves round to even; no range is enforced on load; "True" is no number.
         "2-8 nic 1:59-7:58 reboot  at 1440,1442 ping 50 home,home,home,http://a/,,http://b/, "
         "shut 30:75 23:59-0:1 on 111111101 pace 0,4/0 night 10",
         ""},
        {"PingUrls=|PingInterval=12|NIC=3:4,5:6|Other:PingInterval=34",
         "2-8 nic 3:4-5:6 reboot " + five +
             " at 0,0 ping 12 home,home,home, shut 8:0 8:1-9:0 on "
             "000000000 pace 0,4/0 night 10",
         ""},
        {"NIC=1:59", "2-8 nic 1:59-0:0 reboot " + zero, "GetSettings Unknown Error : 9"},
        {"Time=", "0-0 nic 0:0-0:0 reboot " + zero, "GetSettings Unknown Error : 9"},
        {"PingInterval=99999999999|SrvPing=1", "2-8 nic 1:59-7:58 reboot " + five + zero,
         "GetSettings Unknown Error : 6"},
        // The reboot pacing keys are read last: a fault there leaves every older key loaded.
        {"RebootLimit= 3 , 4.5 |RebootGrace=10.5|SrvPing=1",
         loaded + "000000001 pace 3,4/10 night 10", ""},
        // A count without a rest of 1 to 24 hours sets no limit.
        {"RebootLimit=3|RebootGrace=10|SrvModem=1", loaded + "000000010 pace 0,4/10 night 10", ""},
        {"RebootLimit=1,1", loaded + "000000000 pace 1,1/0 night 10", ""},
        {"RebootLimit=3,0|RebootGrace=10", loaded + "000000000 pace 0,4/10 night 10", ""},
        // Keeping awake is on unless stored off; waking is off unless stored on.
        {"SrvAwake=0|SrvWake=-1", loaded + "000000000 pace 0,4/0 night 01", ""},
        {"ShutAt!",
         "2-8 nic 1:59-7:58 reboot " + five + " at 0,0 ping 50 " + urls +
             " shut 0:0 0:0-0:0 on 000000000 pace 0,4/0 night 00",
         "GetSettings Unknown Error : 5"},
    };
    for (const auto& [stored, record, log] : rows) {
        TestApp t;
        t.InitPaths();
        std::istringstream in(stored);
        for (std::string kv; std::getline(in, kv, '|');) {
            const size_t eq = kv.find('=');
            if (eq == std::string::npos)
                t.store.failReadsOf.insert(kv.substr(0, kv.size() - 1));
            else if (kv.starts_with("Other:"))
                t.store.values[{"Other", "Other", kv.substr(6, eq - 6)}] = kv.substr(eq + 1);
            else
                t.store.Put(kv.substr(0, eq), kv.substr(eq + 1));
        }
        GetSettings(t.app.settingsAccess);
        EXPECT_EQ(Record(t.app.settings), record) << stored;
        EXPECT_EQ(t.LogMessages(), log.empty() ? Strings{} : Strings{log}) << stored;
        EXPECT_EQ(t.app.IconState == 5, !log.empty()) << stored;
    }
}

}  // namespace
}  // namespace qv::test
