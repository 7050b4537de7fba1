// Modems that misbehave, over real sockets on 127.0.0.1, and command files far beyond what a
// user writes: every conversation ends within its time-outs with one of its four outcomes, the
// connection closed, and the window's messages served between the steps.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/App.h"
#include "modem/ModemReboot.h"
#include "modem/TelNetCmds.h"
#include "platform/posix/PosixSockets.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/doubles/HostilePeer.h"

namespace qv::test {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class HostileModemTest : public ::testing::Test {
  protected:
    HostileModemTest() {
        t.InitPaths();
        app.SetActions(t.actions);
        InitGlobals(app);
        app.modem.ConnectTimeoutMs = 1000;
        app.modem.ReceiveTimeoutMs = 1500;
        app.modem.SendTimeoutMs = 1000;
        app.settings.SrvModemFail = true;
        // The pauses really pass, shortened to a tenth.
        t.ui.onSleep = [](uint32_t ms) {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms / 10));
        };
    }
    void Script(const HostilePeer& peer, const std::string& commands) {
        t.files.files[app.paths.CommandFilePath] =
            "127.0.0.1 " + peer.PortText() + "\r\n" + commands;
    }
    // Reboots; expects it to end within the seconds, the connection closed either way.
    bool Reboot(double seconds) {
        const auto start = Clock::now();
        const int shutdowns = t.ShutdownRequests();
        const bool rebooted = RebootModem(app.modemContext);
        EXPECT_LT(SecondsSince(start), seconds);
        EXPECT_EQ(sockets.OpenCount(), 0u);
        EXPECT_EQ(app.modem.ModemSocket, kNoSocket);
        EXPECT_EQ(t.ShutdownRequests() - shutdowns, rebooted ? 0 : 1);
        return rebooted;
    }

    TestApp t;
    PosixSockets sockets;
    Platform platform = t.Compose({.sockets = &sockets});
    App app{platform};
};

TEST_F(HostileModemTest, AModemThatNeverSpeaksCostsOneReceiveTimeOutPerWait) {
    HostilePeer peer({});
    Script(peer, "WAIT \"*\"\r\nSEND \"admin\\m\"\r\nWAIT \"*\"\r\nSEND \"reboot\\m\"\r\n");
    EXPECT_TRUE(Reboot(2 * 1.5 + 2.0));
    EXPECT_EQ(peer.Received(), "admin\r\nreboot\r\n");

    HostilePeer second({});
    Script(second, "WAIT \"Login\"\r\nSEND \"admin\\m\"\r\n");
    EXPECT_FALSE(Reboot(1.5 + 1.0));
    EXPECT_EQ(t.LogMessages().back(), "Unable to Reboot Modem - Invalid Responce ");
}

TEST_F(HostileModemTest, AModemThatDripsAByteASecondIsJudgedByItsFirstByte) {
    HostilePeer peer({.greeting = "Login: ", .dripIntervalMs = 1000});
    Script(peer, "WAIT \"Login\"\r\nSEND \"admin\\m\"\r\n");
    EXPECT_FALSE(Reboot(1.0));
    EXPECT_EQ(t.LogMessages(),
              std::vector<std::string>{"Unable to Reboot Modem - Invalid Responce L"});

    // Taking any reply, the script goes on a byte at a time.
    HostilePeer star({.greeting = "Login: ", .dripIntervalMs = 1000});
    Script(star, "WAIT \"*\"\r\nSEND \"admin\\m\"\r\nWAIT \"*\"\r\nSEND \"reboot\\m\"\r\n");
    const int pumpsBefore = t.ui.pumps;
    EXPECT_TRUE(Reboot(4.0));
    EXPECT_EQ(star.Received(), "admin\r\nreboot\r\n");
    EXPECT_GE(t.ui.pumps - pumpsBefore, 6);  // messages served between the steps
}

TEST_F(HostileModemTest, AMegabyteBannerIsTakenInPiecesOfAReceiveBuffer) {
    HostilePeer peer({.greeting = "Welcome", .floodBytes = 1 << 20});
    Script(peer,
           "WAIT \"Welcome\"\r\nSEND \"admin\\m\"\r\nWAIT \"m\"\r\nSEND \"reboot\\m\"\r\n"
           "WAIT \"Login\"\r\nSEND \"\"\r\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(Reboot(3.0));
    ASSERT_EQ(t.LogMessages().size(), 1u);
    // The failed reply is one receive of at most 51200 bytes, logged on one line.
    const std::string line = t.LogMessages()[0];
    const std::string head = "Unable to Reboot Modem - Invalid Responce ";
    EXPECT_EQ(line.rfind(head, 0), 0u);
    EXPECT_LE(line.size() - head.size(), 51200u);
    EXPECT_EQ(line.find_first_not_of('m', head.size()), std::string::npos);
    EXPECT_EQ(peer.Received(), "admin\r\nreboot\r\n");
}

TEST_F(HostileModemTest, AModemThatResetsMidConversationFailsItAtTheNextStep) {
    HostilePeer peer({.greeting = "Login: ", .resetAfter = "admin\r\n"});
    Script(peer, "WAIT \"Login\"\r\nSEND \"admin\\m\"\r\nWAIT \"Password\"\r\nSEND \"x\\m\"\r\n");
    EXPECT_FALSE(Reboot(2.0));
    EXPECT_TRUE(peer.WasReset());
    EXPECT_EQ(t.LogMessages(),
              std::vector<std::string>{"Unable to Reboot Modem - Invalid Responce "});

    // Sending into the reset connection fails the send.
    HostilePeer second({.greeting = "Login: ", .resetAfter = "admin\r\n"});
    Script(second, "WAIT \"Login\"\r\nSEND \"admin\\m\"\r\nWAIT \"\"\r\nSEND \"reboot\\m\"\r\n");
    EXPECT_FALSE(Reboot(2.0));
    // The message ends in the text's own CR LF.
    const std::string& log = t.files.files[app.paths.LogPath];
    const std::string tail = ">   Unable to send : reboot\r\n\r\n";
    ASSERT_GE(log.size(), tail.size());
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
}

TEST_F(HostileModemTest, TenMegabyteCommandFilesAreJudgedByTheSameRules) {
    const std::string& path = app.paths.CommandFilePath;
    auto read = [&](const std::string& content) {
        t.files.files[path] = content;
        return ReadCommandFile(app.modemContext, path);
    };
    const size_t tenMegabytes = 10 << 20;
    std::string pairs = "127.0.0.1 23\r\n";
    const std::string pair = "WAIT \"*\"\r\nSEND \"x\\m\"\r\n";
    while (pairs.size() + pair.size() <= tenMegabytes)
        pairs += pair;
    EXPECT_TRUE(read(pairs));
    EXPECT_EQ(app.modem.CommandPairs.size(), (pairs.size() - 14) / pair.size());
    EXPECT_EQ(app.modem.CommandPairs.back().SendText, "x\r\n");

    EXPECT_FALSE(read("127.0.0.1 23" + std::string(tenMegabytes, ' ')));  // one line, no pair
    EXPECT_FALSE(read(std::string(tenMegabytes, '\r')));                  // empty lines only
    EXPECT_FALSE(read("127.0.0.1 23\r\nWAIT \"" + std::string(tenMegabytes, '\\') + "\r\n"));
    EXPECT_EQ(t.LogMessages(), (std::vector<std::string>{
                                   "Invalid telnet Commands file : Unknown Error 9",
                                   "Invalid telnet Commands file : first line must be IP & Port.",
                                   "Invalid telnet Commands file : Command Pairs must be even."}));
}

TEST_F(HostileModemTest, AnEmptyCommandFileIsABadFirstLine) {
    t.files.files[app.paths.CommandFilePath] = "";
    EXPECT_FALSE(ReadCommandFile(app.modemContext, app.paths.CommandFilePath));
    EXPECT_EQ(t.LogMessages(), std::vector<std::string>{
                                   "Invalid telnet Commands file : first line must be IP & Port."});
}

}  // namespace
}  // namespace qv::test
