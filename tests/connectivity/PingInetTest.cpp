#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "connectivity/DateTime.h"
#include "connectivity/PingInet.h"
#include "actions/NumberText.h"
#include "tests/doubles/FakePlatform.h"

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

// The check's program: the first `pages` home pages to fetch and a command file that reboots.
struct Net : TestApp {
    explicit Net(size_t pages = 3) {
        InitPaths();
        actions.calls.clear();  // start-up's own services
        app.settings.PingUrlList =
            Strings(app.paths.HomePageUrls.begin(), app.paths.HomePageUrls.begin() + pages);
        files.files[app.paths.CommandFilePath] = "127.0.0.1 23\r\nWAIT \"\"\r\nSEND \"x\"\r\n";
    }
    // One check with the line up (every search page answers) or down: "ok" when the tray
    // animates, then the check's log lines.
    Strings Check(bool up) {
        internet.pages.clear();
        for (const std::string& url : app.paths.SearchPageUrls)
            up ? void(internet.pages[url] = "<html>") : void();
        files.files.erase(app.paths.LogPath);
        actions.calls.clear();
        CheckConnectivity(app.connectivityContext);
        Strings lines = LogMessages();
        if (!actions.calls.empty())
            lines.insert(lines.begin(), "ok");
        return lines;
    }
};

// Each step "day/hh:mm:ss" and + (the pages answer) or - (they do not) is one check; its
// outcome: "ok" (the tray animates), "x" (logged), then R for a reboot that worked or F for one
// that did not; rN: the page opened after N failed in a row.
TEST(PingInet, RebootsOnTheThirdFailureOnceThreeMinuteBoundariesPassedSinceTheLastSuccess) {
    Net n;
    // clang-format off
    std::map<std::string, std::string> tokens = {{"ok", "ok"}, {"Modem Rebooted Successfully.", "R"},
        {"No Connectivity Since last 3 Minutes - Rebooting Modem.", ""}, {"Unable to Reboot Modem - Can't able to Connect 127.0.0.1:23", "F"}};
    for (int i = 0; i < 3; ++i)
        tokens["Unable to open : " + n.app.paths.HomePageUrls[i]] = "x";
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
        n.sockets.connectSucceeds = connects;
        std::istringstream in(steps);
        std::string got;
        for (std::string step; in >> step;) {
            LocalTime& now = n.clock.now;
            std::sscanf(step.c_str(), "%d/%d:%d:%d", &now.day, &now.hour, &now.minute, &now.second);
            got += got.empty() ? "" : " ";
            for (const std::string& line : n.Check(step.back() == '+'))  // rN: restored after N
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
TEST(PingInet, PacesTheRulesRebootsByItsLimitAndGrace) {
    struct Row {
        int count, hours, grace;
        std::string opens, want;
    };
    // clang-format off
    const Row rows[] = {
        // No pacing: a reboot every three minutes, all night.
        {0, 0, 0, "", "120 02:01 02:04 02:07 02:10 02:13 02:16 02:19 02:22"},
        {3, 4, 0, "", "6 02:01 02:04 02:07 L02:10>06:10. 06:10 06:13 06:16 L06:19>10:19."},
        {0, 0, 1, "", "90 02:01 02:05 02:09 02:13 02:17 02:21 02:25 02:29"},
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
        Net n(1);
        n.app.settings.RebootLimitCount = row.count;
        n.app.settings.RebootLimitHours = row.hours;
        n.app.settings.RebootGraceMinutes = row.grace;
        n.clock.Set(2, 0, 0);
        int reboots = 0, events = 0;
        std::string times;
        for (int tick = 0; tick < 6 * 72; ++tick) {
            const std::string at = TimeText(n.clock.now.hour, n.clock.now.minute);
            for (const std::string& line : n.Check(at == row.opens && n.clock.now.second < 50)) {
                const bool rebooted = line == "Modem Rebooted Successfully.";
                reboots += rebooted;
                if (rebooted && events++ < 8)
                    times += " " + at;
                else if (line.starts_with(limit) && events++ < 8)
                    times += " L" + at + ">" + line.substr(limit.size());
            }
            n.clock.now = SimTimers::AddSeconds(n.clock.now, 50);
        }
        EXPECT_EQ(std::to_string(reboots) + times, row.want)
            << row.count << "," << row.hours << " " << row.grace << " " << row.opens;
    }
}

// The list is walked from its second entry; a tick served during a check (a page's or the
// modem's reboot) fetches and reboots nothing; an empty list fetches nothing.
TEST(PingInet, CyclesFromTheSecondEntryAndATickDuringACheckIsSkipped) {
    Net n;
    int ticks = 0;  // the timer fires while messages are served during a check
    n.ui.onPump = [&] { ticks += (CheckConnectivity(n.app.connectivityContext), 1); };
    for (int i = 0; i < 5; ++i)
        n.Check(true);
    const std::string yahoo = "http://search.yahoo.com/search?p=weather",
                      bing = "http://www.bing.com/search?q=weather",
                      msn = "http://www.msn.com/en-us/search?q=weather";
    EXPECT_EQ(n.internet.opened, (Strings{bing, msn, yahoo, bing, msn}));
    EXPECT_GT(ticks, 0);
    n.clock.Set(22, 0);
    for (int i = 0; i < 3; ++i)
        n.Check(false);
    EXPECT_EQ(n.sockets.connects.size(), 1u);
    n.app.settings.PingUrlList.clear();
    n.Check(false);
    EXPECT_EQ(n.internet.opened.size(), 8u);
}

// A home page is fetched from its search page and saved once a day with its first mebibyte.
TEST(PingInet, FetchCountsEveryByteLogsAndSavesEachHomePageOncePerDay) {
    Net n;
    n.app.diag.FetchLog = n.app.diag.SavePages = true;
    const auto& home = n.app.paths.HomePageUrls;
    const auto& search = n.app.paths.SearchPageUrls;
    n.internet.pages = {{search[1], std::string(30000, 'a') + "\r\nb"},
                        {"http://127.0.0.1/user", "user page"},
                        {"http://127.0.0.1/empty", ""}};
    n.internet.sizedPages[search[2]] = (int64_t{1} << 31) + 5;
    std::string fetched;
    for (const std::string& url :
         {home[0], home[1], home[1], home[0], std::string("http://127.0.0.1/user"),
          std::string("http://127.0.0.1/empty"), home[2], home[2]}) {
        fetched += FetchPage(n.app.connectivityContext, url) ? "+" : "-";
        if (url == home[1])
            n.internet.pages[search[0]] = n.internet.pages[search[1]] = "changed";
    }
    EXPECT_EQ(fetched, "-++++-++");
    EXPECT_EQ(n.app.traffic.TotalBytesDownloaded, (int64_t{1} << 32) + 30036);
    const std::string folder = n.app.paths.ProgramFolder + "\\";
    const std::string line = "05/12/2026 19:42:28 >   ";
    EXPECT_EQ(n.files.files[folder + "5_1.dat"], line + "changed\r\n");
    EXPECT_EQ(n.files.files[folder + "5_2.dat"], line + std::string(30000, 'a') + "\r\nb\r\n");
    EXPECT_EQ(n.files.files[folder + "5_3.dat"].size(), line.size() + (1u << 20) + 2);
    EXPECT_EQ(Join(n.LogMessages(folder + "debug.log")),
              Join({home[0] + " : 0", home[1] + " : 30003", home[1] + " : 7", home[0] + " : 7",
                    "http://127.0.0.1/user : 9", "http://127.0.0.1/empty : 0",
                    home[2] + " : 2147483653", home[2] + " : 2147483653"}));
    EXPECT_EQ(n.files.files.size(), 5u);  // the command file, debug.log and three saved pages
}

// The program asked to end at any wait of a fetch (its open, a read, the pump between reads)
// on the check that would be the third failure: no failure line, no reboot and no shutdown,
// and the count of failures stays. Wait 0: no end, the page comes.
TEST(PingInet, AnEndAtAnyWaitOfAFetchIsNoFailure) {
    int waits = 0;
    for (int wait = 0; wait == 0 || wait <= waits; ++wait) {
        Net n;
        n.app.settings.PingUrlList = {"http://example.test/"};
        n.internet.pages["http://example.test/"] = std::string(3 * kPageReadSize, 'x');
        n.app.settings.SrvModemFail = true;
        n.app.net.PageFailures = 2;
        n.app.net.LastPageOK = {2026, 12, 1, 0, 0, 0};  // long ago
        n.ui.endAtWait = wait;
        CheckConnectivity(n.app.connectivityContext);
        EXPECT_EQ(Join(n.LogMessages()) + Join(n.actions.calls) + "/" +
                      std::to_string(n.ShutdownRequests()) + "/" +
                      std::to_string(n.app.net.PageFailures),
                  wait ? "/0/2" : "StartTrayAnimation/0/0")
            << wait;
        waits = wait ? waits : n.ui.waits;
    }
    EXPECT_GE(waits, 5);  // the open, four reads and the pumps between them
}

}  // namespace
}  // namespace qv::test
