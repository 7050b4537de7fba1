#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "connectivity/DateTime.h"
#include "connectivity/PingInet.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

TEST(DateTimeTest, CountsMinuteBoundariesFromTheZeroPoint) {
    const std::tuple<LocalTime, LocalTime, int64_t> rows[] = {
        {kDateTimeZero, {1899, 12, 31, 0, 1, 59}, 1441},
        {kDateTimeZero, {1900, 3, 1, 0, 0, 0}, 61 * 1440},  // 1900 is no leap year
        {kDateTimeZero, {2000, 1, 1, 0, 0, 0}, 36526LL * 1440},
        {{2024, 12, 31, 23, 59, 30}, {2025, 1, 1, 0, 2, 0}, 3},
        {{2024, 2, 28, 12, 0, 0}, {2024, 3, 1, 12, 0, 0}, 2 * 1440}};
    for (const auto& [from, to, minutes] : rows)
        EXPECT_EQ(MinutesBetween(from, to), minutes) << to.year << "-" << to.month;
}

class PingInetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        t.InitPaths();
        t.app.settings.PingUrlList = {Home(0), Home(1), Home(2)};
        t.files.files[t.app.paths.CommandFilePath] = "127.0.0.1 23\r\nWAIT \"\"\r\nSEND \"x\"\r\n";
    }
    void Serve() {
        for (const std::string& url : t.app.paths.SearchPageUrls)
            t.internet.pages[url] = "<html>";
    }
    std::string Home(int i) const { return t.app.paths.HomePageUrls[i]; }
    std::string Search(int i) const { return t.app.paths.SearchPageUrls[i]; }
    TestApp t;
};

// Each step "day/hh:mm:ss" and + (the pages answer) or - (they do not) is one check; its
// outcome: "ok" (the tray animates), "x" (logged), then R for a reboot that worked or F for one
// that did not.
TEST_F(PingInetTest, RebootsOnTheThirdFailureOnceThreeMinuteBoundariesPassedSinceTheLastSuccess) {
    // clang-format off
    std::map<std::string, std::string> tokens = {{"StartTrayAnimation", "ok"}, {"Modem Rebooted Successfully.", "R"},
        {"No Connectivity Since last 3 Minutes - Rebooting Modem.", ""}, {"Unable to Reboot Modem - Can't able to Connect 127.0.0.1:23", "F"}};
    for (int i = 0; i < 3; ++i)
        tokens["Unable to open : " + Home(i)] = "x";
    const std::tuple<bool, std::string, std::string> rows[] = {
        {true, "7/02:00:10- 7/02:00:20- 7/02:00:30- 7/02:00:40-", "x x xR x"},  // after start
        {true, "7/10:00:30+ 7/10:00:40- 7/10:01:00- 7/10:02:59- 7/10:03:00-", "ok x x x xR"},
        {true, "7/11:00:00+ 7/11:30:00- 7/11:31:00- 7/11:31:05- 7/11:32:00+", "ok x x xR ok"},
        // A failed reboot restarts the count all the same.
        {false, "8/02:00:00- 8/02:00:10- 8/02:00:20- 8/02:00:30- 8/02:01:00- 8/02:02:59- 8/02:03:00-", "x x xF x x x xF"},
        {true, "9/07:58:00+ 9/07:59:00- 9/07:59:50- 10/02:00:05-", "ok x x xR"},  // over night
    };
    // clang-format on
    for (const auto& [connects, steps, want] : rows) {
        t.sockets.connectSucceeds = connects;
        std::istringstream in(steps);
        std::string got;
        for (std::string step; in >> step;) {
            LocalTime& now = t.clock.now;
            std::sscanf(step.c_str(), "%d/%d:%d:%d", &now.day, &now.hour, &now.minute, &now.second);
            t.internet.pages.clear();
            if (step.back() == '+')
                Serve();
            t.files.files.erase(t.app.paths.LogPath);
            t.actions.calls.clear();
            CheckConnectivity(t.app.connectivityContext);
            got += got.empty() ? "" : " ";
            for (const std::string& call : t.actions.calls)
                got += tokens.at(call);
            for (const std::string& line : t.LogMessages())
                got += tokens.at(line);
        }
        EXPECT_EQ(got, want) << steps;
    }
}

TEST_F(PingInetTest, CyclesFromTheSecondEntryAndATickDuringACheckIsSkipped) {
    Serve();
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
