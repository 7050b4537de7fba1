// The modem conversation and the TCP client over real sockets, against a fake modem on
// 127.0.0.1.
#include <gtest/gtest.h>

#include "app/App.h"
#include "modem/ModemReboot.h"
#include "modem/TCPMod.h"
#include "platform/posix/PosixSockets.h"
#include "tests/doubles/FakeModemServer.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

using Strings = std::vector<std::string>;

// The test doubles with real POSIX sockets in place of the scripted ones.
class LoopbackTest : public ::testing::Test {
  protected:
    LoopbackTest() {
        t.InitPaths();
        app.SetActions(t.actions);
        InitGlobals(app);
        app.modem.ConnectTimeoutMs = 2000;
        app.modem.ReceiveTimeoutMs = 2000;
        app.settings.SrvModemFail = true;
    }

    TestApp t;
    PosixSockets sockets;
    Platform platform = t.Compose({.sockets = &sockets});
    App app{platform};
};

TEST_F(LoopbackTest, ConversationsEndWithTheirOutcomeAndTheConnectionClosed) {
    struct Row {
        const char* name;
        std::vector<ModemStep> modem;
        std::string commands;
        std::string received;
        Strings log;  // empty: rebooted
    };
    const std::string invalid = "Unable to Reboot Modem - Invalid Responce ";
    const std::vector<Row> rows = {
        {"login, help and reboot",
         {Say("Login: "), Expect("admin\r\n"), Say("Password: "), Expect("secret\r\n"),
          Say("\r\n> "), Expect("help\r\n"), Say("help reboot quit\r\n> "), Expect("reboot\r\n"),
          Say("Rebooting...\r\n"), Hangup()},
         "WAIT \"Login\"\r\nSEND \"admin\\m\"\r\nWAIT \"Password\"\r\nSEND \"secret\\m\"\r\n"
         "WAIT \"\"\r\nSEND \"help\\m\"\r\nWAIT \"*\"\r\nSEND \"reboot\\m\"\r\n"
         "WAIT \"*\"\r\nSEND \"\"\r\n",
         "admin\r\nsecret\r\nhelp\r\nreboot\r\n",
         {}},
        {"only the first piece of a split prompt is tested",
         {Say("Log"), Pause(300), Say("in: "), Silent(3000)},
         "WAIT \"Login\"\r\nSEND \"admin\\m\"\r\n",
         "",
         {invalid + "Log"}},
        {"a silent modem",
         {Silent(4000)},
         "WAIT \"Login\"\r\nSEND \"admin\\m\"\r\n",
         "",
         {invalid}},
        {"WAIT \"*\" on a closed connection", {Hangup()}, "WAIT \"*\"\r\nSEND \"\"\r\n", "", {}},
    };
    for (const Row& row : rows) {
        t.files.files.erase(app.paths.LogPath);
        FakeModemServer modem(row.modem);
        ASSERT_TRUE(modem.Listening());
        t.files.files[app.paths.CommandFilePath] =
            "127.0.0.1 " + modem.PortText() + "\r\n" + row.commands;
        const int shutdowns = t.ShutdownRequests();
        EXPECT_EQ(RebootModem(app.modemContext), row.log.empty()) << row.name;
        EXPECT_EQ(modem.Received(), row.received) << row.name;
        EXPECT_TRUE(modem.Problems().empty()) << row.name;
        EXPECT_EQ(t.LogMessages(), row.log) << row.name;
        EXPECT_EQ(t.ShutdownRequests() - shutdowns, row.log.empty() ? 0 : 1) << row.name;
        EXPECT_EQ(sockets.OpenCount(), 0u) << row.name;
        EXPECT_EQ(app.modem.ModemSocket, kNoSocket) << row.name;
    }
    EXPECT_EQ(t.ui.sleeps, (std::vector<uint32_t>{1000, 1000, 1000, 2000, 1000, 1000, 1000}));

    const uint16_t refusing = FakeModemServer::RefusingPort();
    ASSERT_NE(refusing, 0);
    const std::string address = "127.0.0.1:" + std::to_string(refusing);
    t.files.files[app.paths.CommandFilePath] =
        "127.0.0.1 " + std::to_string(refusing) + "\r\nWAIT \"*\"\r\nSEND \"x\"\r\n";
    EXPECT_FALSE(RebootModem(app.modemContext));
    EXPECT_EQ(t.LogMessages().back(), "Unable to Reboot Modem - Can't able to Connect " + address);
    EXPECT_EQ(sockets.OpenCount(), 0u);
}

TEST_F(LoopbackTest, OneReceiveTakesAtMost51200BytesAndLeavesTheRest) {
    const std::string big(60000, 'x');
    FakeModemServer modem({Say(big), Silent(3000)});
    SocketId s = kNoSocket;
    ASSERT_TRUE(TcpConnect(app.modemContext, s, "127.0.0.1", modem.PortText(), 2000));
    std::string first;
    for (int i = 0; i < 5 && first.empty(); ++i)  // it may come in several pieces
        first = TcpReceive(app.modemContext, s);
    EXPECT_LE(first.size(), 51200u);
    std::string rest;
    while (first.size() + rest.size() < big.size()) {
        std::string piece = TcpReceive(app.modemContext, s);
        EXPECT_LE(piece.size(), 51200u);
        if (piece.empty())
            break;
        rest += piece;
    }
    EXPECT_EQ(first + rest, big);
    CloseSocket(app.modemContext, s);
    EXPECT_EQ(sockets.OpenCount(), 0u);
}

}  // namespace
}  // namespace qv::test
