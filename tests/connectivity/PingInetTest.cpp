#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "connectivity/DateTime.h"
#include "connectivity/PingInet.h"
#include "actions/NumberText.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/doubles/SimTimers.h"

namespace qv::test {
namespace {

TEST(DateTimeTest, CountsMinuteBoundariesFromTheZeroPoint) {
    const std::tuple<LocalTime, LocalTime, int64_t> rows[] = {
        {kDateTimeZero, {1899, 12, 31, 0, 1, 59}, 1441},
        {kDateTimeZero, {1900, 3, 1, 0, 0, 0}, 61 * 1440},       // 1900 is no leap year
        {kDateTimeZero, {2000, 3, 1, 0, 0, 0}, 36586LL * 1440},  // 2000 is one
        {{2024, 12, 31, 23, 59, 30}, {2025, 1, 1, 0, 2, 0}, 3},
        {{2024, 2, 28, 12, 0, 0}, {2024, 3, 1, 12, 0, 0}, 2 * 1440}};
    for (const auto& [from, to, minutes] : rows)
        EXPECT_EQ(MinutesBetween(from, to), minutes) << to.year << "-" << to.month;
}

// The check's app: the first `pages` home pages to fetch, a command file that reboots, and the
// line up (every search page answers) or down.
class PingInetTest : public ::testing::Test {
  protected:
    void SetUp() override { Start(t, 3); }
    static void Start(TestApp& t, size_t pages) {
        t.InitPaths();
        t.app.settings.PingUrlList =
            Strings(t.app.paths.HomePageUrls.begin(), t.app.paths.HomePageUrls.begin() + pages);
        t.files.files[t.app.paths.CommandFilePath] = "127.0.0.1 23\r\nWAIT \"\"\r\nSEND \"x\"\r\n";
    }
    static void Line(TestApp& t, bool up) {
        t.internet.pages.clear();
        for (const std::string& url : t.app.paths.SearchPageUrls)
            up ? void(t.internet.pages[url] = "<html>") : void();
    }
    std::string Home(int i) const { return t.app.paths.HomePageUrls[i]; }
    std::string Search(int i) const { return t.app.paths.SearchPageUrls[i]; }
    TestApp t;
};

// Each step "day/hh:mm:ss" and + (the pages answer) or - (they do not) is one check; its
// outcome: "ok" (the tray animates), "x" (logged), then R for a reboot that worked or F for one
// that did not; rN: the page opened after N failed in a row.
TEST_F(PingInetTest, RebootsOnTheThirdFailureOnceThreeMinuteBoundariesPassedSinceTheLastSuccess) {
    // clang-format off
    std::map<std::string, std::string> tokens = {{"StartTrayAnimation", "ok"}, {"Modem Rebooted Successfully.", "R"},
        {"No Connectivity Since last 3 Minutes - Rebooting Modem.", ""}, {"Unable to Reboot Modem - Can't able to Connect 127.0.0.1:23", "F"}};
    for (int i = 0; i < 3; ++i)
        tokens["Unable to open : " + Home(i)] = "x";
    const std::tuple<bool, std::string, std::string> rows[] = {
        {true, "7/02:00:10- 7/02:00:20- 7/02:00:30- 7/02:00:40-", "x x xR x"},  // after start
        {true, "7/10:00:30+ 7/10:00:40- 7/10:01:00- 7/10:02:59- 7/10:03:00-", "okr4 x x x xR"},  // the row before failed four times
        {true, "7/11:00:00+ 7/11:30:00- 7/11:31:00- 7/11:31:05- 7/11:32:00+", "okr4 x x xR okr3"},  // a reboot does not end the row
        // A failed reboot restarts the count all the same.
        {false, "8/02:00:00- 8/02:00:10- 8/02:00:20- 8/02:00:30- 8/02:01:00- 8/02:02:59- 8/02:03:00-", "x x xF x x x xF"},
        {true, "9/07:58:00+ 9/07:59:00- 9/07:59:50- 10/02:00:05-", "okr7 x x xR"},  // over night
    };
    // clang-format on
    for (const auto& [connects, steps, want] : rows) {
        t.sockets.connectSucceeds = connects;
        std::istringstream in(steps);
        std::string got;
        for (std::string step; in >> step;) {
            LocalTime& now = t.clock.now;
            std::sscanf(step.c_str(), "%d/%d:%d:%d", &now.day, &now.hour, &now.minute, &now.second);
            Line(t, step.back() == '+');
            t.files.files.erase(t.app.paths.LogPath);
            t.actions.calls.clear();
            CheckConnectivity(t.app.connectivityContext);
            got += got.empty() ? "" : " ";
            for (const std::string& call : t.actions.calls)
                got += tokens.at(call);
            for (const std::string& line : t.LogMessages())  // "rN": restored after N failures
                got += line.starts_with("Connectivity Restored after ")
                           ? "r" + line.substr(28, line.size() - 28 - 14)
                           : tokens.at(line);
        }
        EXPECT_EQ(got, want) << steps;
    }
}

// A six-hour outage from 02:00, a page every 50 s (the default), under the rule's pacing
// ("count,hours" limit and grace minutes): how many reboots, then the times of its first eight
// reboots and limit lines ("Lhh:mm>" the time the line names). A page that opens at `opens` starts
// the count again.
TEST_F(PingInetTest, PacesTheRulesRebootsByItsLimitAndGrace) {
    struct Row {
        int count, hours, grace;
        std::string opens, want;
    };
    // clang-format off
    const Row rows[] = {
        // No pacing: a reboot every three minutes, all night.
        {0, 0, 0, "", "120 02:01 02:04 02:07 02:10 02:13 02:16 02:19 02:22"},
        {3, 4, 0, "", "6 02:01 02:04 02:07 L02:10>06:10. 06:10 06:13 06:16 L06:19>10:19."},
        {0, 4, 10, "", "28 02:01 02:14 02:27 02:40 02:53 03:06 03:19 03:32"},
        {3, 4, 10, "", "6 02:01 02:14 02:27 L02:40>06:40. 06:40 06:53 07:06 L07:19>11:19."},
        // The longest rest names the same time of the next day.
        {3, 24, 0, "", "3 02:01 02:04 02:07 L02:10>02:10."},
        // A page between the reboots starts the count (and ends the grace) again.
        {3, 1, 0, "02:07", "19 02:01 02:04 02:10 02:13 02:16 L02:19>03:19. 03:19 03:22"},
        {2, 1, 10, "02:05", "10 02:01 02:08 02:21 L02:34>03:34. 03:34 03:47 L04:00>05:00. 05:00"},
    };
    // clang-format on
    const std::string limit = "No Connectivity - Reboot Limit Reached, Next Reboot after ";
    for (const Row& row : rows) {
        TestApp t;
        Start(t, 1);
        t.app.settings.RebootLimitCount = row.count;
        t.app.settings.RebootLimitHours = row.hours;
        t.app.settings.RebootGraceMinutes = row.grace;
        t.clock.Set(2, 0, 0);
        int reboots = 0, events = 0;
        std::string times;
        for (int tick = 0; tick < 6 * 72; ++tick) {
            const std::string at = TimeText(t.clock.now.hour, t.clock.now.minute);
            Line(t, at == row.opens && t.clock.now.second < 50);
            t.files.files.erase(t.app.paths.LogPath);
            CheckConnectivity(t.app.connectivityContext);
            for (const std::string& line : t.LogMessages()) {
                const bool rebooted = line == "Modem Rebooted Successfully.";
                reboots += rebooted;
                if (rebooted && events++ < 8)
                    times += " " + at;
                else if (line.starts_with(limit) && events++ < 8)
                    times += " L" + at + ">" + line.substr(limit.size());
            }
            t.clock.now = SimTimers::AddSeconds(t.clock.now, 50);
        }
        EXPECT_EQ(std::to_string(reboots) + times, row.want)
            << row.count << "," << row.hours << " " << row.grace << " " << row.opens;
    }
}

TEST_F(PingInetTest, CyclesFromTheSecondEntryAndATickDuringACheckIsSkipped) {
    Line(t, true);
    int ticks = 0;  // the timer fires while messages are served during a check
    t.ui.onPump = [&] { ticks += (CheckConnectivity(t.app.connectivityContext), 1); };
    for (int i = 0; i < 5; ++i)
        CheckConnectivity(t.app.connectivityContext);
    const std::string yahoo = "http://search.yahoo.com/search?p=weather",
                      bing = "http://www.bing.com/search?q=weather",
                      msn = "http://www.msn.com/en-us/search?q=weather";
    EXPECT_EQ(t.internet.opened, (Strings{bing, msn, yahoo, bing, msn}));
    EXPECT_GT(ticks, 0);
    // Nor does a tick during the modem's reboot fetch or reboot again.
    t.internet.pages.clear();
    t.clock.Set(22, 0);
    for (int i = 0; i < 3; ++i)
        CheckConnectivity(t.app.connectivityContext);
    EXPECT_EQ(t.sockets.connects.size(), 1u);
    t.app.settings.PingUrlList.clear();  // an empty list fetches nothing
    CheckConnectivity(t.app.connectivityContext);
    EXPECT_EQ(t.internet.opened.size(), 8u);
}

// A home page is fetched from its search page and saved once a day with its first mebibyte.
TEST_F(PingInetTest, FetchCountsEveryByteLogsAndSavesEachHomePageOncePerDay) {
    t.app.diag.FetchLog = t.app.diag.SavePages = true;
    t.internet.pages = {{Search(1), std::string(30000, 'a') + "\r\nb"},
                        {"http://127.0.0.1/user", "user page"},
                        {"http://127.0.0.1/empty", ""}};
    t.internet.sizedPages[Search(2)] = (int64_t{1} << 31) + 5;
    std::string fetched;
    for (const std::string& url :
         {Home(0), Home(1), Home(1), Home(0), std::string("http://127.0.0.1/user"),
          std::string("http://127.0.0.1/empty"), Home(2), Home(2)}) {
        fetched += FetchPage(t.app.connectivityContext, url) ? "+" : "-";
        if (url == Home(1))
            t.internet.pages[Search(0)] = t.internet.pages[Search(1)] = "changed";
    }
    EXPECT_EQ(fetched, "-++++-++");
    EXPECT_EQ(t.app.traffic.TotalBytesDownloaded, (int64_t{1} << 32) + 30036);
    const std::string folder = t.app.paths.ProgramFolder + "\\";
    const std::string line = "05/12/2026 19:42:28 >   ";
    EXPECT_EQ(t.files.files[folder + "5_1.dat"], line + "changed\r\n");
    EXPECT_EQ(t.files.files[folder + "5_2.dat"], line + std::string(30000, 'a') + "\r\nb\r\n");
    EXPECT_EQ(t.files.files[folder + "5_3.dat"].size(), line.size() + (1u << 20) + 2);
    EXPECT_EQ(t.LogMessages(folder + "debug.log"),
              (Strings{Home(0) + " : 0", Home(1) + " : 30003", Home(1) + " : 7", Home(0) + " : 7",
                       "http://127.0.0.1/user : 9", "http://127.0.0.1/empty : 0",
                       Home(2) + " : 2147483653", Home(2) + " : 2147483653"}));
    EXPECT_EQ(t.files.files.size(), 5u);  // the command file, debug.log and three saved pages
}

// The program asked to end at any wait of a fetch (its open, a read, the pump between reads)
// on the check that would be the third failure: no failure line, no reboot and no shutdown,
// and the count of failures stays.
TEST_F(PingInetTest, AnEndAtAnyWaitOfAFetchIsNoFailure) {
    auto check = [](int endAtWait, TestApp& app) {
        app.InitPaths();
        app.actions.calls.clear();
        app.app.settings.PingUrlList = {"http://example.test/"};
        app.internet.pages["http://example.test/"] = std::string(3 * kPageReadSize, 'x');
        app.app.settings.SrvModemFail = true;
        app.app.net.PageFailures = 2;
        app.ui.endAtWait = endAtWait;
        CheckConnectivity(app.app.connectivityContext);
    };
    TestApp unended;
    check(0, unended);
    EXPECT_EQ(unended.actions.calls, Strings{"StartTrayAnimation"});
    ASSERT_GE(unended.ui.waits, 5);  // the open, four reads and the pumps between them
    for (int wait = 1; wait <= unended.ui.waits; ++wait) {
        TestApp e;
        e.app.net.LastPageOK = {2026, 12, 1, 0, 0, 0};  // long ago
        check(wait, e);
        EXPECT_EQ(Join(e.LogMessages()) + Join(e.actions.calls) + "/" +
                      std::to_string(e.ShutdownRequests()) + "/" +
                      std::to_string(e.app.net.PageFailures),
                  "/0/2")
            << wait;
    }
}

}  // namespace
}  // namespace qv::test
