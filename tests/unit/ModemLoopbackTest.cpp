// The modem conversation and the TCP client over real sockets, against a fake modem on
// 127.0.0.1.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/App.h"
#include "modem/ModemReboot.h"
#include "modem/TCPMod.h"
#include "platform/posix/PosixSockets.h"
#include "tests/doubles/FakeModemServer.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// The test doubles with real POSIX sockets in place of the scripted ones.
class LoopbackTest : public ::testing::Test {
  protected:
    LoopbackTest() {
        t.InitPaths();
        app.SetActions(t.actions);
        InitGlobals(app);
        app.modem.ConnectTimeoutMs = 2000;
        app.modem.ReceiveTimeoutMs = 2000;
    }
    void Script(const FakeModemServer& modem, const std::string& commands) {
        ASSERT_TRUE(modem.Listening());
        t.files.files[app.paths.CommandFilePath] =
            "127.0.0.1 " + modem.PortText() + "\r\n" + commands;
    }

    TestApp t;
    PosixSockets sockets;
    Platform platform = t.Compose({.sockets = &sockets});
    App app{platform};
};

TEST_F(LoopbackTest, PlaysALoginHelpRebootScriptToTheEnd) {
    FakeModemServer modem({Say("Login: "), Expect("admin\r\n"), Say("Password: "),
                           Expect("secret\r\n"), Say("\r\n> "), Expect("help\r\n"),
                           Say("help reboot quit\r\n> "), Expect("reboot\r\n"),
                           Say("Rebooting...\r\n"), Hangup()});
    Script(modem,
           "WAIT \"Login\"\r\nSEND \"admin\\m\"\r\nWAIT \"Password\"\r\nSEND \"secret\\m\"\r\n"
           "WAIT \"\"\r\nSEND \"help\\m\"\r\nWAIT \"*\"\r\nSEND \"reboot\\m\"\r\n"
           "WAIT \"*\"\r\nSEND \"\"\r\n");
    EXPECT_TRUE(RebootModem(app.modemContext));
    EXPECT_EQ(modem.Received(), "admin\r\nsecret\r\nhelp\r\nreboot\r\n");
    EXPECT_TRUE(modem.Problems().empty());
    EXPECT_EQ(t.ui.sleeps, (std::vector<uint32_t>{1000, 1000, 1000, 2000, 1000, 1000}));
    EXPECT_EQ(sockets.OpenCount(), 0u);
    EXPECT_EQ(app.modem.ModemSocket, kNoSocket);
    EXPECT_TRUE(t.LogMessages().empty());
}

TEST_F(LoopbackTest, OnlyTheFirstPieceOfASplitPromptIsTested) {
    FakeModemServer modem({Say("Log"), Pause(300), Say("in: "), Silent(3000)});
    Script(modem, "WAIT \"Login\"\r\nSEND \"admin\\m\"\r\n");
    EXPECT_FALSE(RebootModem(app.modemContext));
    EXPECT_EQ(t.LogMessages(),
              std::vector<std::string>{"Unable to Reboot Modem - Invalid Responce Log"});
    EXPECT_EQ(modem.Received(), "");
    EXPECT_EQ(sockets.OpenCount(), 0u);
}

TEST_F(LoopbackTest, ASilentModemIsBoundedByTheReceiveTimeout) {
    app.modem.ReceiveTimeoutMs = 300;
    app.settings.SrvModemFail = true;
    FakeModemServer modem({Silent(4000)});
    Script(modem, "WAIT \"Login\"\r\nSEND \"admin\\m\"\r\n");
    auto start = Clock::now();
    EXPECT_FALSE(RebootModem(app.modemContext));
    long long elapsed = MsSince(start);
    EXPECT_GE(elapsed, 250);
    EXPECT_LT(elapsed, 2000);
    EXPECT_EQ(t.LogMessages(),
              std::vector<std::string>{"Unable to Reboot Modem - Invalid Responce "});
    EXPECT_EQ(t.ShutdownRequests(), 1);
    EXPECT_EQ(sockets.OpenCount(), 0u);
    // The modem sees the connection closed well before its silence ends.
    EXPECT_EQ(modem.Received(), "");
    EXPECT_LT(MsSince(start), 3500);
}

TEST_F(LoopbackTest, WaitStarOnAClosedConnectionReturnsAtOnce) {
    FakeModemServer modem({Hangup()});
    Script(modem, "WAIT \"*\"\r\nSEND \"\"\r\n");
    auto start = Clock::now();
    EXPECT_TRUE(RebootModem(app.modemContext));
    EXPECT_LT(MsSince(start), 1000);
}

TEST_F(LoopbackTest, ARefusedConnectionIsReported) {
    uint16_t port = FakeModemServer::RefusingPort();
    ASSERT_NE(port, 0);
    t.files.files[app.paths.CommandFilePath] =
        "127.0.0.1 " + std::to_string(port) + "\r\nWAIT \"*\"\r\nSEND \"x\"\r\n";
    EXPECT_FALSE(RebootModem(app.modemContext));
    EXPECT_EQ(t.LogMessages(),
              std::vector<std::string>{"Unable to Reboot Modem - Can't able to Connect 127.0.0.1:" +
                                       std::to_string(port)});
    EXPECT_EQ(sockets.OpenCount(), 0u);
}

TEST_F(LoopbackTest, OneReceiveTakesAtMost51200BytesAndLeavesTheRest) {
    const std::string big(60000, 'x');
    FakeModemServer modem({Say(big), Silent(3000)});
    SocketId s = kNoSocket;
    ASSERT_TRUE(TcpConnect(app.modemContext, s, "127.0.0.1", modem.PortText(), 2000));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // let it all arrive
    EXPECT_EQ(TcpReceive(app.modemContext, s).size(), 51200u);
    std::string rest;
    while (rest.size() < big.size() - 51200) {
        std::string piece = TcpReceive(app.modemContext, s);
        if (piece.empty())
            break;
        rest += piece;
    }
    EXPECT_EQ(rest.size(), big.size() - 51200);
    CloseSocket(app.modemContext, s);
    EXPECT_EQ(sockets.OpenCount(), 0u);
}

}  // namespace
}  // namespace qv::test
