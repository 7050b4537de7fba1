// Win32Sockets and the TCP client over Winsock, against the fake modem in this process on
// 127.0.0.1.
#include <gtest/gtest.h>

#include <chrono>

#include "app/App.h"
#include "modem/ModemReboot.h"
#include "modem/TCPMod.h"
#include "app/frmIcon.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/Win32Sockets.h"
#include "platform/win32/Win32Tray.h"
#include "tests/doubles/FakeModemServer.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

using win32::Win32Sockets;

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class Win32SocketsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sockets.Start());
        ASSERT_EQ(sockets.LibraryVersion(), 0x0101);  // Windows Sockets 1.1 was asked for
    }
    void TearDown() override { sockets.Stop(); }

    Win32Sockets sockets;
};

TEST_F(Win32SocketsTest, ConnectsSendsAndReceives) {
    FakeModemServer modem({Say("Login: "), Expect("admin\r\n"), Say("Bye\r\n"), Hangup()});
    ASSERT_TRUE(modem.Listening());
    SocketId s = kNoSocket;
    ASSERT_TRUE(sockets.Connect(s, "127.0.0.1", modem.Port(), 3000));
    ASSERT_GT(s, 0);
    EXPECT_EQ(sockets.Receive(s, 51200, 3000), "Login: ");
    EXPECT_EQ(sockets.Send(s, "admin\r\n", 3000), 7);
    EXPECT_EQ(sockets.Receive(s, 51200, 3000), "Bye\r\n");
    // The modem hung up: the next receive comes back empty at once.
    auto start = Clock::now();
    EXPECT_EQ(sockets.Receive(s, 51200, 3000), "");
    EXPECT_LT(MsSince(start), 1500);
    sockets.Close(s);
    EXPECT_EQ(sockets.OpenCount(), 0u);
    EXPECT_EQ(modem.Received(), "admin\r\n");
    // A closed socket's number names nothing any more.
    EXPECT_EQ(sockets.Send(s, "x", 100), -1);
}

TEST_F(Win32SocketsTest, ARefusedPortAndAMalformedAddressFailToConnect) {
    uint16_t port = FakeModemServer::RefusingPort();
    ASSERT_NE(port, 0);
    SocketId s = kNoSocket;
    auto start = Clock::now();
    EXPECT_FALSE(sockets.Connect(s, "127.0.0.1", port, 3000));
    EXPECT_LT(MsSince(start), 3500);
    EXPECT_EQ(sockets.OpenCount(), 1u);  // left for the caller to close
    sockets.Close(s);
    SocketId bad = kNoSocket;
    EXPECT_FALSE(sockets.Connect(bad, "not an address", port, 1000));
    sockets.Close(bad);
    EXPECT_EQ(sockets.OpenCount(), 0u);

    // A connect without waiting needs the window its outcome is reported to.
    SocketId probe = 7;
    EXPECT_FALSE(sockets.StartConnect(probe, "127.0.0.1", port, 1000, [](SocketId, bool) {
        ADD_FAILURE() << "no outcome was due";
    }));
    EXPECT_EQ(probe, kNoSocket);
    EXPECT_EQ(sockets.OpenCount(), 0u);
}

TEST_F(Win32SocketsTest, AReceiveFromASilentPeerEndsAtTheTimeout) {
    FakeModemServer modem({Silent(4000)});
    SocketId s = kNoSocket;
    ASSERT_TRUE(sockets.Connect(s, "127.0.0.1", modem.Port(), 3000));
    auto start = Clock::now();
    EXPECT_EQ(sockets.Receive(s, 51200, 300), "");
    long long elapsed = MsSince(start);
    EXPECT_GE(elapsed, 250);
    EXPECT_LT(elapsed, 2000);
    sockets.Close(s);
}

TEST_F(Win32SocketsTest, OneReceiveTakesAtMostTheBufferAndLeavesTheRest) {
    const std::string big(60000, 'y');
    FakeModemServer modem({Say(big), Silent(3000)});
    SocketId s = kNoSocket;
    ASSERT_TRUE(sockets.Connect(s, "127.0.0.1", modem.Port(), 3000));
    ::Sleep(200);
    EXPECT_EQ(sockets.Receive(s, 51200, 3000).size(), 51200u);
    size_t rest = 0;
    while (rest < big.size() - 51200) {
        std::string piece = sockets.Receive(s, 51200, 3000);
        if (piece.empty())
            break;
        rest += piece.size();
    }
    EXPECT_EQ(rest, big.size() - 51200);
    sockets.Close(s);
}

// The program's TCP client and conversation over Winsock.
class WinsockAppTest : public ::testing::Test {
  protected:
    WinsockAppTest() {
        t.InitPaths();
        app.SetActions(t.actions);
        InitGlobals(app);
        StartSockets(app.modemContext);
        app.modem.ReceiveTimeoutMs = 2000;
    }
    ~WinsockAppTest() override { StopSockets(app.modemContext); }

    TestApp t;
    Win32Sockets sockets;
    Platform platform = t.Compose({.sockets = &sockets});
    App app{platform};
};

TEST_F(WinsockAppTest, PlaysARebootScriptToTheEnd) {
    FakeModemServer modem({Say("Login: "), Expect("admin\r\n"), Say("> "), Expect("reboot\r\n"),
                           Say("Rebooting\r\n"), Hangup()});
    ASSERT_TRUE(modem.Listening());
    t.files.files[app.paths.CommandFilePath] = "127.0.0.1 " + modem.PortText() +
                                               "\r\nWAIT \"Login\"\r\nSEND \"admin\\m\"\r\n"
                                               "WAIT \">\"\r\nSEND \"reboot\\m\"\r\n"
                                               "WAIT \"*\"\r\nSEND \"\"\r\n";
    EXPECT_TRUE(RebootModem(app.modemContext));
    EXPECT_EQ(modem.Received(), "admin\r\nreboot\r\n");
    EXPECT_TRUE(t.LogMessages().empty());
    EXPECT_EQ(sockets.OpenCount(), 0u);
}

// Port 80 is free here: the test runs in a network namespace of its own.
TEST_F(WinsockAppTest, TheProbeReachesAModemOnPort80AndLeavesNoSocket) {
    FakeModemServer web({}, 80);
    if (!web.Listening())
        GTEST_SKIP() << "port 80 cannot be bound here";
    // The probe reports to the main window, as in the program.
    win32::MainWindow window;
    ASSERT_TRUE(window.Create(GetModuleHandleA(nullptr)));
    FrmIcon form(app);
    win32::Win32Tray tray;
    sockets.Attach(window.Handle());
    window.Connect(form, tray, sockets);
    auto answered = [&] {
        for (auto start = Clock::now(); app.modem.ProbeSocket != kNoSocket;) {
            if (MsSince(start) > 5000)
                return false;
            MSG msg;
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            else
                Sleep(5);
        }
        return true;
    };

    app.modem.ModemAddress = "127.0.0.1";
    auto start = Clock::now();
    EXPECT_FALSE(
        ModemReachable(app.modemContext));  // returns at once; the answer comes as a message
    EXPECT_LT(MsSince(start), 500);
    ASSERT_TRUE(answered());
    EXPECT_TRUE(web.Accepted());
    EXPECT_TRUE(ModemReachable(app.modemContext));
    ASSERT_TRUE(answered());
    EXPECT_EQ(sockets.OpenCount(), 0u);

    // A port that refuses: the next answer is false, and no socket is left either.
    app.modem.ModemAddress = "127.0.0.2";
    EXPECT_TRUE(ModemReachable(app.modemContext));  // the answer of the last probe
    ASSERT_TRUE(answered());
    EXPECT_FALSE(ModemReachable(app.modemContext));
    ASSERT_TRUE(answered());
    EXPECT_EQ(sockets.OpenCount(), 0u);
    DestroyWindow(window.Handle());
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace
}  // namespace qv::test
