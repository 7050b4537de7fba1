#include <gtest/gtest.h>

#include "app/App.h"
#include "modem/TCPMod.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

// The port is the leading number made whole, within the signed 16-bit range; the stop closes
// the connection.
TEST(TcpConnectTest, ConnectsToThePortTheTextNamesWithItsTimeOut) {
    const std::pair<const char*, int> rows[] = {
        {"23", 23}, {"23.5", 24}, {"22.5", 22}, {"8 0", 80}, {"32767", 32767}, {"1", 1},
        {"0", 0},   {"32768", 0}, {"", 0},      {"-23", 0},  {"1e12", 0},      {"telnet", 0}};
    for (const auto& [text, port] : rows) {
        TestApp t;
        SocketId& s = t.app.modem.ModemSocket = 7;
        EXPECT_EQ(TcpConnect(t.app.modemContext, s, "127.0.0.1", text, 1234), port > 0) << text;
        std::string calls;
        for (const FakeSockets::Call& c : t.sockets.connects)
            calls += std::to_string(c.port) + "/" + std::to_string(c.timeoutMs);
        EXPECT_EQ(calls, port ? std::to_string(port) + "/1234" : "") << text;
        StopSockets(t.app.modemContext);
        EXPECT_TRUE(t.sockets.open.empty() && s == kNoSocket) << text;
    }
}

// Each answer of a probe of the modem's web port serves the calls until the next arrives; a call
// meanwhile starts no probe. A probe that cannot start is a failed one; one cut off by the stop
// answers nothing. A conversation's connection is left alone.
TEST(ModemReachableTest, AnswersFromTheLatestProbeWithoutWaitingForTheNext) {
    TestApp t;
    EXPECT_FALSE(ModemReachable(t.app.modemContext));  // no command file read yet
    t.app.modem.ModemAddress = "127.0.0.1";
    t.app.modem.ModemSocket = 42;
    std::string got;
    for (bool answer : {true, true, false, false, true}) {
        got += std::to_string(ModemReachable(t.app.modemContext)) +
               std::to_string(ModemReachable(t.app.modemContext));
        for (const FakeSockets::Call& c : t.sockets.pending)
            got += "/" + std::to_string(c.port) + "/" + std::to_string(c.timeoutMs) + " ";
        t.sockets.Answer(answer);
    }
    EXPECT_EQ(got, "00/80/3000 11/80/3000 11/80/3000 00/80/3000 00/80/3000 ");
    EXPECT_EQ(t.app.modem.ModemSocket + t.sockets.open.size(), 42u);  // each probe closed
    t.sockets.startFails = true;
    EXPECT_FALSE(ModemReachable(t.app.modemContext));
    t.sockets.startFails = false;
    ModemReachable(t.app.modemContext);
    StopSockets(t.app.modemContext);
    t.sockets.Answer(true);
    EXPECT_FALSE(t.app.modem.ProbeAnswer);
    EXPECT_TRUE(t.sockets.open.empty());
}

}  // namespace
}  // namespace qv::test
