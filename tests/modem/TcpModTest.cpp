#include <gtest/gtest.h>

#include "app/App.h"
#include "modem/TCPMod.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

TEST(TcpConnectTest, PortIsTheLeadingNumberMadeWholeWithinTheSigned16BitRange) {
    const std::pair<const char*, int> rows[] = {
        // -1: no connect attempt
        {"23", 23}, {"23.5", 24},  {"22.5", 22}, {"8 0", 80},    {"32767", 32767}, {"1", 1},
        {"0", -1},  {"32768", -1}, {"", -1},     {"telnet", -1}, {"-23", -1},      {"1e12", -1}};
    for (const auto& [text, port] : rows) {
        TestApp t;
        SocketId s = 7;
        EXPECT_EQ(TcpConnect(t.app.modemContext, s, "127.0.0.1", text, 1234), port > 0) << text;
        EXPECT_EQ(s > 0, port > 0) << text;
        EXPECT_EQ(t.sockets.connects.size(), port > 0 ? 1u : 0u) << text;
        for (const FakeSockets::Call& c : t.sockets.connects)
            EXPECT_EQ(std::to_string(c.port) + " " + std::to_string(c.timeoutMs),
                      std::to_string(port) + " 1234");
        // Nothing empty goes out; the stop closes what is open.
        EXPECT_FALSE(TcpSend(t.app.modemContext, s, ""));
        EXPECT_EQ(TcpSend(t.app.modemContext, s, "x"), port > 0);
        t.app.modem.ModemSocket = s;
        StopSockets(t.app.modemContext);
        EXPECT_EQ(t.sockets.sent, std::vector<std::string>(port > 0 ? 1 : 0, "x"));
        EXPECT_TRUE(t.sockets.open.empty());
        EXPECT_EQ(t.app.modem.ModemSocket, kNoSocket);
    }
}

TEST(ModemReachableTest, AnswersFromTheLatestProbeWithoutWaitingForTheNext) {
    TestApp t;
    EXPECT_FALSE(ModemReachable(t.app.modemContext));  // no command file read yet
    EXPECT_TRUE(t.sockets.pending.empty());
    t.app.modem.ModemAddress = "127.0.0.1";
    t.app.modem.ModemSocket = 42;  // a conversation's connection is left alone
    // Each answer serves the calls until the next arrives; a call meanwhile starts no probe.
    for (bool answer : {true, true, false, false, true}) {
        const bool before = t.app.modem.ProbeAnswer;
        EXPECT_EQ(ModemReachable(t.app.modemContext), before);
        EXPECT_EQ(ModemReachable(t.app.modemContext), before);
        ASSERT_EQ(t.sockets.pending.size(), 1u);
        EXPECT_EQ(t.sockets.pending[0].port, 80);
        EXPECT_EQ(t.sockets.pending[0].timeoutMs, 3000u);
        t.sockets.Answer(answer);
        EXPECT_TRUE(t.sockets.open.empty());
    }
    EXPECT_TRUE(t.app.modem.ProbeAnswer);
    EXPECT_EQ(t.app.modem.ModemSocket, 42);
    // A probe that cannot be started is a failed one; one cut off by the stop answers nothing.
    t.sockets.startFails = true;
    EXPECT_FALSE(ModemReachable(t.app.modemContext));
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
