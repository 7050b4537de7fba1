#include <gtest/gtest.h>

#include <utility>

#include "connectivity/DateTime.h"
#include "connectivity/PingInet.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

using Strings = std::vector<std::string>;

TEST(DateTime, CountsMinuteBoundariesFromTheZeroPoint) {
    EXPECT_EQ(MinutesSinceZeroPoint(kDateTimeZero), 0);
    EXPECT_EQ(MinutesSinceZeroPoint({1899, 12, 31, 0, 1, 59}), 1441);
    EXPECT_EQ(MinutesSinceZeroPoint({1900, 3, 1, 0, 0, 0}), 61 * 1440);  // 1900 is no leap year
    EXPECT_EQ(MinutesSinceZeroPoint({2000, 1, 1, 0, 0, 0}), 36526LL * 1440);
    EXPECT_EQ(MinutesBetween({2026, 3, 4, 10, 0, 59}, {2026, 3, 4, 10, 3, 0}), 3);
    EXPECT_EQ(MinutesBetween({2026, 3, 4, 10, 0, 0}, {2026, 3, 4, 10, 2, 59}), 2);
    EXPECT_EQ(MinutesBetween({2024, 12, 31, 23, 59, 30}, {2025, 1, 1, 0, 2, 0}), 3);
    EXPECT_EQ(MinutesBetween({2024, 2, 28, 12, 0, 0}, {2024, 3, 1, 12, 0, 0}), 2 * 1440);
}

class PingInetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        t.InitPaths();
        const ProgramPaths& p = t.app.paths;
        t.app.settings.PingUrlList = {p.HomePageUrls[0], p.HomePageUrls[1], p.HomePageUrls[2]};
        t.clock.now = {2026, 3, 7, 10, 0, 0};
        // A modem that takes its reboot command.
        t.files.files[t.app.paths.CommandFilePath] =
            "127.0.0.1 23\r\nWAIT \"\"\r\nSEND \"reboot\\m\"\r\n";
    }
    void ServeSearchPages() {
        for (const std::string& url : t.app.paths.SearchPageUrls)
            t.internet.pages[url] = {"<html>" + url + "</html>"};
    }
    void CheckAt(int hour, int minute, int second) {
        t.clock.Set(hour, minute, second);
        CheckConnectivity(t.app.connectivityContext);
    }
    // Reboots tried: connections to the modem.
    int Reboots() const { return static_cast<int>(t.sockets.connects.size()); }
    std::string Home(int i) const { return t.app.paths.HomePageUrls[i]; }
    std::string Search(int i) const { return t.app.paths.SearchPageUrls[i]; }
    std::string Folder() const { return t.app.paths.ProgramFolder; }
    test::TestApp t;
    const std::string kReboot = "No Connectivity Since last 3 Minutes - Rebooting Modem.";
    const std::string kRebooted = "Modem Rebooted Successfully.";
};

TEST_F(PingInetTest, CyclesFromTheSecondEntryThroughTheSearchPages) {
    ServeSearchPages();
    for (int i = 0; i < 4; ++i)
        CheckConnectivity(t.app.connectivityContext);
    EXPECT_EQ(t.internet.opened, (Strings{Search(1), Search(2), Search(0), Search(1)}));
    EXPECT_EQ(t.actions.Count("StartTrayAnimation"), 4);
    EXPECT_TRUE(t.LogMessages().empty());

    // A user address is fetched as it is, after the built-in pages.
    t.internet.opened.clear();
    t.app.settings.PingUrlList.push_back("http://127.0.0.1:8080/");
    t.internet.pages["http://127.0.0.1:8080/"] = {"x"};
    t.app.net.PageIndex = 0;
    for (int i = 0; i < 4; ++i)
        CheckConnectivity(t.app.connectivityContext);
    EXPECT_EQ(t.internet.opened,
              (Strings{Search(1), Search(2), "http://127.0.0.1:8080/", Search(0)}));

    // An empty list fetches nothing.
    t.app.settings.PingUrlList.clear();
    t.app.net.PageIndex = 0;
    CheckConnectivity(t.app.connectivityContext);
    EXPECT_EQ(t.internet.opened.size(), 4u);
    EXPECT_EQ(t.app.net.PageIndex, 0);
}

TEST_F(PingInetTest, FetchCountsEveryChunkAndClosesTheRequest) {
    t.internet.pages["http://127.0.0.1/a"] = {std::string(30000, 'a'), std::string(5, 'b')};
    int pumpsDuringRead = 0;
    t.internet.onRead = [&](const std::string&, int) { pumpsDuringRead = t.ui.pumps; };
    EXPECT_TRUE(FetchPage(t.app.connectivityContext, "http://127.0.0.1/a"));
    EXPECT_EQ(t.app.traffic.TotalBytesDownloaded, 30005);
    EXPECT_EQ(t.internet.largestRead, kPageReadSize);
    EXPECT_EQ(pumpsDuringRead, 3);  // 20480, 9520, 5, then the read of 0: pumped between reads
    EXPECT_EQ(t.internet.openRequests, 0);

    // Not opened, or opened with nothing received: a failure that adds nothing.
    EXPECT_FALSE(FetchPage(t.app.connectivityContext, "http://127.0.0.1/none"));
    t.internet.pages["http://127.0.0.1/empty"] = {};
    EXPECT_FALSE(FetchPage(t.app.connectivityContext, "http://127.0.0.1/empty"));
    EXPECT_EQ(t.app.traffic.TotalBytesDownloaded, 30005);
    EXPECT_EQ(t.internet.openRequests, 0);

    // The total goes past two gigabytes.
    t.internet.sizedPages["http://127.0.0.1/big"] = (int64_t{1} << 31) + 5;
    EXPECT_TRUE(FetchPage(t.app.connectivityContext, "http://127.0.0.1/big"));
    EXPECT_TRUE(FetchPage(t.app.connectivityContext, "http://127.0.0.1/big"));
    EXPECT_EQ(t.app.traffic.TotalBytesDownloaded, (int64_t{1} << 32) + 30015);
}

TEST_F(PingInetTest, ThreeFailuresRightAfterStartRebootAtOnce) {
    CheckAt(2, 0, 10);
    CheckAt(2, 0, 20);
    EXPECT_EQ(Reboots(), 0);
    EXPECT_EQ(t.app.IconState, 5);
    CheckAt(2, 0, 30);
    EXPECT_EQ(t.LogMessages(),
              (Strings{"Unable to open : " + Home(1), "Unable to open : " + Home(2),
                       "Unable to open : " + Home(0), kReboot, kRebooted}));
    EXPECT_EQ(Reboots(), 1);
    EXPECT_EQ(t.app.net.PageFailures, 0);
    EXPECT_EQ(MinutesSinceZeroPoint(t.app.net.LastPageOK), MinutesSinceZeroPoint(t.clock.now));
}

TEST_F(PingInetTest, RebootsOnTheFirstFailureAtOrAfterThreeMinuteBoundaries) {
    ServeSearchPages();
    CheckAt(10, 0, 30);  // success
    t.internet.pages.clear();
    for (int s = 40; s <= 170; s += 10)  // failures every 10 s up to 10:02:50
        CheckAt(10, s / 60, s % 60);
    EXPECT_EQ(Reboots(), 0);
    EXPECT_EQ(t.app.net.PageFailures, 14);
    CheckAt(10, 3, 0);
    EXPECT_EQ(Reboots(), 1);

    // A long gap without three failures does not reboot either.
    ServeSearchPages();
    CheckAt(11, 0, 0);
    t.internet.pages.clear();
    CheckAt(11, 30, 0);
    CheckAt(11, 31, 0);
    EXPECT_EQ(Reboots(), 1);
    CheckAt(11, 31, 5);
    EXPECT_EQ(Reboots(), 2);
}

TEST_F(PingInetTest, AFailedRebootStillRestartsTheCount) {
    t.sockets.connectSucceeds = false;
    for (int i = 0; i < 3; ++i)
        CheckAt(2, 0, i * 10);
    EXPECT_EQ(Reboots(), 1);
    const Strings log = t.LogMessages();
    const Strings last(log.end() - 2, log.end());  // no success line
    EXPECT_EQ(last,
              (Strings{kReboot, "Unable to Reboot Modem - Can't able to Connect 127.0.0.1:23"}));
    EXPECT_EQ(t.app.net.PageFailures, 0);

    // Three more failures within three minutes of the attempt: no second reboot yet.
    CheckAt(2, 0, 30);
    CheckAt(2, 1, 0);
    CheckAt(2, 2, 59);
    EXPECT_EQ(Reboots(), 1);
    CheckAt(2, 3, 0);
    EXPECT_EQ(Reboots(), 2);

    // The count carries over into the next night's window.
    ServeSearchPages();
    CheckAt(7, 58, 0);
    t.internet.pages.clear();
    CheckAt(7, 59, 0);
    CheckAt(7, 59, 50);
    t.clock.now = {2026, 3, 8, 2, 0, 5};
    CheckConnectivity(t.app.connectivityContext);
    EXPECT_EQ(Reboots(), 3);
}

TEST_F(PingInetTest, ATickDuringACheckIsSkipped) {
    ServeSearchPages();
    bool ticked = false;
    t.internet.onRead = [&](const std::string&, int) {
        if (!std::exchange(ticked, true))
            CheckConnectivity(
                t.app.connectivityContext);  // the ping timer fires while the page downloads
    };
    CheckConnectivity(t.app.connectivityContext);
    EXPECT_EQ(t.internet.opened, (Strings{Search(1)}));
    EXPECT_EQ(t.app.net.PageIndex, 1);

    // Nor does a tick during the modem reboot fetch or reboot again.
    t.internet.pages.clear();
    t.clock.Set(10, 5, 0);
    t.ui.onPump = [&] {
        if (Reboots() > 0 && Reboots() < 3)
            CheckConnectivity(t.app.connectivityContext);  // ticks while the modem reboots
    };
    for (int i = 0; i < 3; ++i)
        CheckConnectivity(t.app.connectivityContext);
    EXPECT_EQ(Reboots(), 1);
    EXPECT_EQ(t.internet.opened.size(), 4u);

    // Once a check is over the next tick runs.
    CheckConnectivity(t.app.connectivityContext);
    EXPECT_EQ(t.internet.opened.size(), 5u);
}

TEST_F(PingInetTest, FetchLogNamesTheListEntryAndItsBytes) {
    t.app.diag.FetchLog = true;
    t.internet.pages[Search(1)] = {"12345"};
    FetchPage(t.app.connectivityContext, Home(1));
    FetchPage(t.app.connectivityContext, "http://127.0.0.1/gone");
    EXPECT_EQ(t.LogMessages(Folder() + "\\debug.log"),
              (Strings{Home(1) + " : 5", "http://127.0.0.1/gone : 0"}));
}

TEST_F(PingInetTest, SavePagesWritesEachHomePageOncePerDay) {
    t.app.diag.SavePages = true;
    t.internet.pages[Search(1)] = {"line 1\r\n", "line 2"};
    t.internet.pages["http://127.0.0.1/user"] = {"user page"};
    t.clock.now.day = 7;
    FetchPage(t.app.connectivityContext, Home(1));
    t.internet.pages[Search(1)] = {"changed"};
    FetchPage(t.app.connectivityContext, Home(1));
    FetchPage(t.app.connectivityContext, Home(0));  // fails: nothing saved
    FetchPage(t.app.connectivityContext, "http://127.0.0.1/user");

    const std::string saved = Folder() + "\\7_2.dat";
    EXPECT_EQ(t.files.files[saved].substr(24), "line 1\r\nline 2\r\n");
    EXPECT_EQ(t.files.files.size(), 2u);  // the command file and no other .dat, no log

    // At a drive root the path gets a single backslash.
    t.app.paths.ProgramFolder = "D:\\";
    FetchPage(t.app.connectivityContext, Home(1));
    EXPECT_EQ(t.LogMessages("D:\\7_2.dat"), (Strings{"changed"}));
}

TEST_F(PingInetTest, ASavedPageKeepsItsFirstMebibyteAndCountsEveryByte) {
    t.app.diag.SavePages = true;
    t.internet.sizedPages[Search(2)] = 3 << 20;
    t.clock.now.day = 9;
    EXPECT_TRUE(FetchPage(t.app.connectivityContext, Home(2)));
    EXPECT_EQ(t.app.traffic.TotalBytesDownloaded, 3 << 20);
    EXPECT_EQ(t.files.files[Folder() + "\\9_3.dat"].size(), 24u + (1u << 20) + 2u);
}

}  // namespace
}  // namespace qv
