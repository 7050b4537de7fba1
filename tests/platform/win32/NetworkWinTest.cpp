// Winsock and WinINet against servers on 127.0.0.1: the fake modem, and the same server
// speaking HTTP, well or badly.
#include <gtest/gtest.h>

#include "app/frmIcon.h"
#include "connectivity/PingInet.h"
#include "modem/TCPMod.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/Win32Internet.h"
#include "platform/win32/Win32Sockets.h"
#include "platform/win32/Win32Tray.h"
#include "tests/doubles/FakeModemServer.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

using win32::Win32Sockets;

class Win32SocketsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sockets.Start());
        ASSERT_EQ(sockets.LibraryVersion(), 0x0101);  // Windows Sockets 1.1 was asked for
    }
    void TearDown() override { sockets.Stop(); }
    Win32Sockets sockets;
};

TEST_F(Win32SocketsTest, ConnectsSendsReceivesAndClosesEverySocket) {
    FakeModemServer modem({Say("Login: "), Expect("admin\r\n"), Say(std::string(60000, 'y')),
                           Silent(20000), Hangup()});
    SocketId s = kNoSocket;
    ASSERT_TRUE(sockets.Connect(s, "127.0.0.1", modem.Port(), 3000));
    EXPECT_EQ(sockets.Receive(s, 51200, 3000), "Login: ");
    EXPECT_EQ(sockets.Send(s, "admin\r\n", 3000), 7);
    // One receive takes at most the buffer and leaves the rest; a silent peer ends it at the
    // time-out, long before it lets go.
    size_t got = sockets.Receive(s, 51200, 3000).size(), first = got;
    for (std::string piece; !(piece = sockets.Receive(s, 51200, 3000)).empty();)
        got += piece.size();
    EXPECT_LE(first, 51200u);
    EXPECT_EQ(got, 60000u);
    sockets.Close(s);
    EXPECT_EQ(sockets.OpenCount(), 0u);
    EXPECT_EQ(modem.Received(), "admin\r\n");  // and it saw the close before its silence ended
    EXPECT_EQ(sockets.Send(s, "x", 100), -1);  // a closed socket's number names nothing

    const uint16_t refused = FakeModemServer::RefusingPort();
    for (const char* address : {"127.0.0.1", "not an address"}) {
        SocketId bad = kNoSocket;
        EXPECT_FALSE(sockets.Connect(bad, address, refused, 3000)) << address;
        sockets.Close(bad);  // left for the caller to close
    }
    // A connect without waiting needs the window its outcome is reported to.
    SocketId probe = 7;
    EXPECT_FALSE(sockets.StartConnect(probe, "127.0.0.1", refused, 1000, [](SocketId, bool) {
        ADD_FAILURE() << "no outcome was due";
    }));
    EXPECT_EQ(probe, kNoSocket);
    EXPECT_EQ(sockets.OpenCount(), 0u);
}

// Port 80 is free here: the test runs in a network namespace of its own.
TEST(ModemProbe, ReachesAModemOnPort80ThroughTheMainWindowAndLeavesNoSocket) {
    FakeModemServer web({}, 80);
    if (!web.Listening())
        GTEST_SKIP() << "port 80 cannot be bound here";
    TestApp t;
    Win32Sockets sockets;
    Platform platform = t.Compose({.sockets = &sockets});
    App app{platform};
    t.InitPaths();
    app.SetActions(t.actions);
    InitGlobals(app);
    StartSockets(app.modemContext);
    win32::MainWindow window;
    ASSERT_TRUE(window.Create(GetModuleHandleA(nullptr)));
    FrmIcon form(app);
    win32::Win32Tray tray;
    sockets.Attach(window.Handle());
    window.Connect(form, tray, sockets);
    // Serves the window's messages until the probe has answered.
    auto answered = [&] {
        for (MSG msg; app.modem.ProbeSocket != kNoSocket && GetMessageA(&msg, nullptr, 0, 0);)
            DispatchMessageA(&msg);
        return sockets.OpenCount() == 0;
    };
    // Each answer is the one of the probe before it: the first, a refusing address after.
    const struct {
        const char* address;
        bool answer;
    } rows[] = {
        {"127.0.0.1", false}, {"127.0.0.1", true}, {"127.0.0.2", true}, {"127.0.0.2", false}};
    for (const auto& row : rows) {
        app.modem.ModemAddress = row.address;
        EXPECT_EQ(ModemReachable(app.modemContext), row.answer) << row.address;
        EXPECT_TRUE(answered());
    }
    EXPECT_TRUE(web.Accepted());
    StopSockets(app.modemContext);
    DestroyWindow(window.Handle());
    for (MSG msg; PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);) {
    }
}

// An HTTP answer with the length it announces and the body it sends.
std::string Answer(const std::string& status, size_t length, const std::string& body) {
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(length) +
           "\r\nConnection: close\r\n\r\n" + body;
}

TEST(Win32Internet, CountsWhatEachServerSentAndEndsEveryFetch) {
    // A page that drips a byte a second for 20 s.
    std::vector<ModemStep> drip = {Expect("\r\n\r\n"), Say(Answer("200 OK", 100000, ""))};
    for (int i = 0; i < 20; ++i)
        drip.insert(drip.end(), {Say("d"), Pause(1000)});
    const struct {
        std::vector<ModemStep> server;
        int64_t least, most;
        int pumps;  // messages served at least, between the reads
    } rows[] = {
        {{Expect("\r\n\r\n"), Say(Answer("200 OK", 100000, std::string(100000, 'q')))},
         100000,
         100000,
         4},
        {{Expect("\r\n\r\n"), Say(Answer("200 OK", 1, "q"))}, 1, 1, 0},
        // An error answer counts by its body.
        {{Expect("\r\n\r\n"), Say(Answer("404 Not Found", 12, "no such page"))}, 12, 12, 0},
        {{Expect("\r\n\r\n"), Say(Answer("500 Internal Server Error", 0, "")), Hangup()}, 0, 0, 0},
        {{Expect("\r\n\r\n"), Hangup()}, 0, 0, 0},      // dropped without an answer
        {{Expect("\r\n\r\n"), Silent(8000)}, 0, 0, 0},  // never answers
        {{}, 0, 0, 0},                                  // nobody listens
        // Stalled after part of the page: the read time-out ends it with what came.
        {{Expect("\r\n\r\n"), Say(Answer("200 OK", 100000, std::string(30000, 's'))), Silent(5000)},
         static_cast<int64_t>(kPageReadSize),
         30000,
         1},
        // Dripping: the page time-out ends it with what came, messages served meanwhile.
        {drip, 2, 19, 1},
    };
    Win32Internet real{Win32Internet::Timeouts{3000, 3000, 1500, 4000}};
    for (const auto& row : rows) {
        TestApp t;
        t.InitPaths();
        t.internet.passThrough = &real;
        FakeModemServer server(row.server);
        const uint16_t port = row.server.empty() ? FakeModemServer::RefusingPort() : server.Port();
        const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/page";
        const bool fetched = FetchPage(t.app.connectivityContext, url);
        const int64_t bytes = t.app.traffic.TotalBytesDownloaded;
        EXPECT_EQ(fetched, bytes > 0) << row.least;
        EXPECT_GE(bytes, row.least);
        EXPECT_LE(bytes, row.most);
        EXPECT_EQ(t.internet.openRequests, 0);
        EXPECT_GE(t.ui.pumps, row.pumps);
        EXPECT_LE(t.internet.largestRead, kPageReadSize);
        if (!row.server.empty()) {
            EXPECT_EQ(server.Received().rfind("GET /page HTTP/1.1\r\n", 0), 0u);
            EXPECT_NE(server.Received().find("\r\nUser-Agent: Quorvane\r\n"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace qv::test
