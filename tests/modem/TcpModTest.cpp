#include <gtest/gtest.h>

#include "app/App.h"
#include "modem/TCPMod.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

TEST(SocketLibraryTest, AFailedStartIsReportedAndStopClosesWhatIsOpen) {
    for (bool fails : {false, true}) {
        TestApp t;
        t.InitPaths();
        t.sockets.startFailsLibrary = fails;
        StartSockets(t.app.modemContext);
        EXPECT_EQ(t.app.IconState, fails ? 5 : 0);
        EXPECT_EQ(t.LogMessages(), fails
                                       ? std::vector<std::string>{"Windows Socket Not Responding."}
                                       : std::vector<std::string>{});
        EXPECT_EQ(t.sockets.cleanups, fails ? 1 : 0);
    }
    // Stopping closes an open conversation, cancels a blocking call and cleans up.
    TestApp t;
    ASSERT_TRUE(TcpConnect(t.app.modemContext, t.app.modem.ModemSocket, "127.0.0.1", "23", 100));
    StopSockets(t.app.modemContext);
    EXPECT_TRUE(t.sockets.open.empty());
    EXPECT_EQ(t.sockets.cancels + t.sockets.cleanups, 2);
    EXPECT_EQ(t.app.modem.ModemSocket, kNoSocket);
}

TEST(TcpConnectTest, PortIsTheLeadingNumberMadeWholeWithinTheSigned16BitRange) {
    struct Case {
        const char* text;
        int port;  // -1: no connect attempt
    } cases[] = {{"23", 23},    {"23.5", 24}, {"22.5", 22},   {"8 0", 80}, {"32767", 32767},
                 {"32768", -1}, {"", -1},     {"telnet", -1}, {"-23", -1}, {"1e12", -1}};
    for (const Case& c : cases) {
        TestApp t;
        SocketId s = kNoSocket;
        bool connected = TcpConnect(t.app.modemContext, s, "127.0.0.1", c.text, 1234);
        if (c.port < 0) {
            EXPECT_FALSE(connected) << c.text;
            EXPECT_EQ(s, kNoSocket) << c.text;  // nothing was opened
            EXPECT_TRUE(t.sockets.connects.empty()) << c.text;
        } else {
            EXPECT_TRUE(connected) << c.text;
            ASSERT_EQ(t.sockets.connects.size(), 1u) << c.text;
            EXPECT_EQ(t.sockets.connects[0].port, c.port) << c.text;
            EXPECT_EQ(t.sockets.connects[0].timeoutMs, 1234u);
            EXPECT_GT(s, 0) << c.text;
        }
    }
}

TEST(TcpSendTest, AnEmptyTextSendsNothingAndFails) {
    TestApp t;
    SocketId s = kNoSocket;
    ASSERT_TRUE(TcpConnect(t.app.modemContext, s, "127.0.0.1", "23", 100));
    EXPECT_FALSE(TcpSend(t.app.modemContext, s, ""));
    EXPECT_TRUE(t.sockets.sent.empty());
    EXPECT_TRUE(TcpSend(t.app.modemContext, s, "x"));
}

TEST(ModemReachableTest, AnswersFromTheLatestProbeWithoutWaitingForTheNext) {
    TestApp t;
    EXPECT_FALSE(ModemReachable(t.app.modemContext));  // no command file read yet
    EXPECT_TRUE(t.sockets.pending.empty());

    t.app.modem.ModemAddress = "127.0.0.1";
    t.app.modem.ModemPort = "23";
    t.app.modem.ModemSocket = 42;                      // a conversation's connection is left alone
    EXPECT_FALSE(ModemReachable(t.app.modemContext));  // started; no answer yet
    ASSERT_EQ(t.sockets.pending.size(), 1u);
    EXPECT_EQ(t.sockets.pending[0].port, 80);
    EXPECT_EQ(t.sockets.pending[0].timeoutMs, t.app.modem.ProbeConnectTimeoutMs);
    // The next refresh comes before the answer: no second probe, the old answer.
    EXPECT_FALSE(ModemReachable(t.app.modemContext));
    EXPECT_EQ(t.sockets.pending.size(), 1u);
    t.sockets.Answer(true);
    EXPECT_TRUE(t.sockets.open.empty());
    EXPECT_EQ(t.app.modem.ModemSocket, 42);

    // Each answer serves the calls until the next one arrives.
    const bool answers[] = {true, false, false, true};
    for (bool answer : answers) {
        ModemReachable(t.app.modemContext);
        ASSERT_EQ(t.sockets.pending.size(), 1u);
        t.sockets.Answer(answer);
        EXPECT_EQ(ModemReachable(t.app.modemContext), answer);
        t.sockets.Answer(!answer);  // the probe this call started
    }
    EXPECT_TRUE(t.sockets.open.empty());

    // A probe that cannot be started is a failed one; one cut off by the exit answers nothing.
    t.sockets.startFails = true;
    EXPECT_FALSE(ModemReachable(t.app.modemContext));
    EXPECT_TRUE(t.sockets.open.empty());
    t.sockets.startFails = false;
    t.app.modem.ModemSocket = kNoSocket;
    ModemReachable(t.app.modemContext);
    StopSockets(t.app.modemContext);
    t.sockets.Answer(true);
    EXPECT_FALSE(t.app.modem.ProbeAnswer);
    EXPECT_TRUE(t.sockets.open.empty());
}

}  // namespace
}  // namespace qv::test
