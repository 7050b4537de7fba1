#include <gtest/gtest.h>

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

// The check's program: the first home page to fetch and a command file that reboots.
struct Net : TestApp {
    Net() {
        InitPaths();
        actions.calls.clear();  // start-up's own services
        app.settings.PingUrlList = {app.paths.HomePageUrls[0]};
        files.files[app.paths.CommandFilePath] = "127.0.0.1 23\r\nWAIT \"\"\r\nSEND \"x\"\r\n";
    }
    // One check with the line up (the search page answers) or down (it answers nothing): its log
    // lines.
    Strings Check(bool up) {
        internet.pages[app.paths.SearchPageUrls[0]] = up ? "<html>" : "";
        files.files.erase(app.paths.LogPath);
        CheckConnectivity(app.connectivityContext);
        return LogMessages();
    }
};

// A six-hour outage from 02:00, a page every 50 s (the default), under the rule's pacing
// ("count,hours" limit and grace minutes): how many reboots, then the times of its first eight
// reboots and limit lines ("Lhh:mm>" the time the line names). A page that opens at `opens` starts
// the count again.
TEST(PingInet, PacesTheRulesRebootsByItsLimitAndGrace) {
    // clang-format off
    const std::tuple<int32_t, int32_t, int32_t, std::string, std::string> rows[] = {
        // No pacing: a reboot every three minutes, all night.
        {0, 0, 0, "", "120 02:01 02:04 02:07 02:10 02:13 02:16 02:19 02:22"},
        {3, 4, 0, "", "6 02:01 02:04 02:07 L02:10>06:10. 06:10 06:13 06:16 L06:19>10:19."},
        {0, 0, 1, "", "90 02:01 02:05 02:09 02:13 02:17 02:21 02:25 02:29"},
        {0, 4, 10, "", "28 02:01 02:14 02:27 02:40 02:53 03:06 03:19 03:32"},
        {3, 4, 10, "", "6 02:01 02:14 02:27 L02:40>06:40. 06:40 06:53 07:06 L07:19>11:19."},
        // One reboot a day: the longest rest names the same time of the next day.
        {1, 24, 0, "", "1 02:01 L02:04>02:04."},
        // A page between the reboots starts the count (and ends the grace) again.
        {3, 1, 0, "02:07", "19 02:01 02:04 02:10 02:13 02:16 L02:19>03:19. 03:19 03:22"},
        {2, 1, 10, "02:05", "10 02:01 02:08 02:21 L02:34>03:34. 03:34 03:47 L04:00>05:00. 05:00"},
    };
    // clang-format on
    const std::string limit = "No Connectivity - Reboot Limit Reached, Next Reboot after ";
    for (const auto& [count, hours, grace, opens, want] : rows) {
        Net n;
        std::tie(n.app.settings.RebootLimitCount, n.app.settings.RebootLimitHours,
                 n.app.settings.RebootGraceMinutes) = std::tie(count, hours, grace);
        n.clock.Set(2, 0, 0);
        int reboots = 0, events = 0;
        std::string times;
        for (int tick = 0; tick < 6 * 72; ++tick) {
            const std::string at = TimeText(n.clock.now.hour, n.clock.now.minute);
            for (const std::string& line : n.Check(at == opens && n.clock.now.second < 50)) {
                const bool rebooted = line == "Modem Rebooted Successfully.";
                reboots += rebooted;
                if (rebooted && events++ < 8)
                    times += " " + at;
                else if (line.starts_with(limit) && events++ < 8)
                    times += " L" + at + ">" + line.substr(limit.size());
            }
            n.clock.now = SimTimers::AddSeconds(n.clock.now, 50);
        }
        EXPECT_EQ(std::to_string(reboots) + times, want)
            << count << "," << hours << " " << grace << " " << opens;
    }
}

// A home page is fetched from its search page and saved once a day with its first mebibyte;
// every byte counts and each fetch is logged with its count.
TEST(PingInet, FetchCountsEveryByteLogsAndSavesEachHomePageOncePerDay) {
    Net n;
    n.app.diag.FetchLog = n.app.diag.SavePages = true;
    const auto& home = n.app.paths.HomePageUrls;
    const auto& search = n.app.paths.SearchPageUrls;
    n.internet.pages = {{search[1], std::string(30000, 'a') + "\r\nb"},
                        {"http://127.0.0.1/user", "user page"},
                        {"http://127.0.0.1/empty", ""}};
    n.internet.sizedPages[search[2]] = (int64_t{1} << 31) + 5;
    std::string got;
    for (const std::string& url :
         {home[0], home[1], home[1], home[0], std::string("http://127.0.0.1/user"),
          std::string("http://127.0.0.1/empty"), home[2], home[2]}) {
        got += FetchPage(n.app.connectivityContext, url) ? "+" : "-";
        if (url == home[1])
            n.internet.pages[search[0]] = n.internet.pages[search[1]] = "changed";
    }
    // The saved pages by their sizes: the line's prefix, the text, the line's end.
    for (const auto& [path, text] : n.files.files)
        if (path.ends_with(".dat"))
            got += " " + path.substr(path.rfind('\\') + 1) + ":" + std::to_string(text.size());
    EXPECT_EQ(got + " " + std::to_string(n.app.traffic.TotalBytesDownloaded),
              "-++++-++ 5_1.dat:33 5_2.dat:30029 5_3.dat:1048602 4294997332");
    EXPECT_EQ(Join(n.LogMessages(n.app.paths.ProgramFolder + "\\debug.log")),
              Join({home[0] + " : 0", home[1] + " : 30003", home[1] + " : 7", home[0] + " : 7",
                    "http://127.0.0.1/user : 9", "http://127.0.0.1/empty : 0",
                    home[2] + " : 2147483653", home[2] + " : 2147483653"}));
}

// The program asked to end at any wait of a fetch (its open, a read, the pump after each of the
// three reads, the last read) on the check that would be the third failure long after the last
// page: no failure line, no reboot, and the count of failures stays. Wait 0: no end, the page
// comes. The ping timer ticks at every pump: a tick served during a check fetches nothing.
TEST(PingInet, AnEndAtAnyWaitOfAFetchIsNoFailure) {
    for (int wait = 0; wait <= 8; ++wait) {
        Net n;
        n.app.settings.PingUrlList = {"http://example.test/"};
        n.internet.pages["http://example.test/"] = std::string(3 * kPageReadSize, 'x');
        n.app.net.PageFailures = 2;
        n.ui.endAtWait = wait;
        n.ui.onPump = [&] { CheckConnectivity(n.app.connectivityContext); };
        CheckConnectivity(n.app.connectivityContext);
        EXPECT_EQ(
            Join(n.LogMessages()) + "|" + Join(n.actions.calls) + "|" + Join(n.internet.opened) +
                "|" + std::to_string(n.app.net.PageFailures) +
                (wait ? "" : "|" + std::to_string(n.ui.waits)),
            wait ? "||http://example.test/|2" : "|StartTrayAnimation|http://example.test/|0|8")
            << wait;
    }
}

}  // namespace
}  // namespace qv::test
