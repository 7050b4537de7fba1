// Winsock and WinINet against servers on 127.0.0.1 (the fake modem, and the same server
// speaking HTTP, well or badly), and the shutdown's calls as Windows sees them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "connectivity/PingInet.h"
#include "platform/win32/Win32Internet.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32Sockets.h"
#include "tests/doubles/FakeModemServer.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

TEST(Win32Sockets, ConnectsSendsReceivesAndClosesEverySocket) {
    win32::Win32Sockets sockets;
    ASSERT_TRUE(sockets.Start());
    EXPECT_EQ(sockets.LibraryVersion(), 0x0101);  // Windows Sockets 1.1 was asked for
    FakeModemServer modem(
        {Say("Login: "), Expect("admin\r\n"), Say(std::string(60000, 'y')), Silent(20000)});
    SocketId s = kNoSocket;
    ASSERT_TRUE(sockets.Connect(s, "127.0.0.1", modem.Port(), 3000));
    EXPECT_EQ(sockets.Receive(s, 51200, 3000), "Login: ");
    EXPECT_EQ(sockets.Send(s, "admin\r\n", 3000), 7);
    // One receive takes at most the buffer; a silent peer ends it at the time-out.
    std::string got = sockets.Receive(s, 51200, 3000);
    EXPECT_LE(got.size(), 51200u);
    for (std::string piece; !(piece = sockets.Receive(s, 51200, 3000)).empty();)
        got += piece;
    EXPECT_EQ(got, std::string(60000, 'y'));
    sockets.Close(s);
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
    EXPECT_FALSE(sockets.StartConnect(probe, "127.0.0.1", refused, 1000,
                                      [](SocketId, bool) { ADD_FAILURE() << "no outcome due"; }));
    EXPECT_EQ(probe, kNoSocket);
    EXPECT_EQ(sockets.OpenCount(), 0u);
    sockets.Stop();
}

TEST(Win32Internet, CountsWhatEachServerSentAndEndsEveryFetch) {
    auto answer = [](const char* status, const std::string& body, std::vector<ModemStep> then) {
        then.insert(then.begin(),
                    {Expect("\r\n\r\n"),
                     Say(std::string("HTTP/1.1 ") + status +
                         "\r\nContent-Length: 100000\r\nConnection: close\r\n\r\n" + body)});
        return then;
    };
    const struct {
        std::vector<ModemStep> server;
        int64_t least, most;
        int pumps;  // messages served at least, between the reads
    } rows[] = {
        {answer("200 OK", std::string(100000, 'q'), {}), 100000, 100000, 4},
        {answer("404 Not Found", "no such page", {Hangup()}), 12, 12, 0},  // counted by its body
        {{Expect("\r\n\r\n"), Hangup()}, 0, 0, 0},  // dropped without an answer
        {{}, 0, 0, 0},                              // nobody listens
        // Stalled, or dripping: the read or the page time-out ends it with what came.
        {answer("200 OK", std::string(30000, 's'), {Silent(5000)}),
         static_cast<int64_t>(kPageReadSize), 30000, 1},
        {answer("200 OK", "", std::vector<ModemStep>(20, Say("d"))), 1, 20, 0},
    };
    Win32Internet real{Win32Internet::Timeouts{3000, 3000, 1500, 4000}};
    for (const auto& row : rows) {
        TestApp t;
        t.InitPaths();
        t.internet.passThrough = &real;
        FakeModemServer server(row.server);
        const uint16_t port = row.server.empty() ? FakeModemServer::RefusingPort() : server.Port();
        const bool fetched = FetchPage(t.app.connectivityContext,
                                       "http://127.0.0.1:" + std::to_string(port) + "/page");
        const int64_t bytes = t.app.traffic.TotalBytesDownloaded;
        SCOPED_TRACE(row.least);
        EXPECT_EQ(fetched, bytes > 0);
        EXPECT_GE(bytes, row.least);
        EXPECT_LE(bytes, row.most);
        EXPECT_EQ(t.internet.openRequests, 0);
        EXPECT_GE(t.ui.pumps, row.pumps);
        EXPECT_LE(t.internet.largestRead, kPageReadSize);
        const std::string& got = server.Received();
        EXPECT_TRUE(row.server.empty() || (got.rfind("GET /page HTTP/1.1\r\n", 0) == 0 &&
                                           got.find("\r\nUser-Agent: Quorvane\r\n") != got.npos))
            << got;
    }
}

// On the NT family the shutdown privilege of the process's own token is enabled (and the token
// closed again) before the forced shutdown; the family is told anew by every shutdown.
TEST(Win32Power, EnablesThePrivilegeOnTheNtFamilyOnlyThenForcesTheShutdown) {
    std::string seen;
    DWORD version = 0;
    HANDLE token = nullptr;
    LUID luid{};
    win32::ShutdownCalls c;
    c.GetVersion = [&] { return version; };
    c.GetCurrentProcess = [] { return ::GetCurrentProcess(); };
    c.OpenProcessToken = [&](HANDLE process, DWORD access, HANDLE* out) {
        seen += "token " + std::to_string(access) + ", ";
        return ::OpenProcessToken(process, TOKEN_QUERY, &token) && (*out = token);
    };
    c.LookupPrivilegeValueA = [&](LPCSTR system, LPCSTR name, LUID* out) {
        seen += std::string("'") + system + "' " + name + ", ";
        return ::LookupPrivilegeValueA(system, name, &luid) && (*out = luid, true);
    };
    c.AdjustTokenPrivileges = [&](HANDLE h, BOOL all, TOKEN_PRIVILEGES* p, DWORD length,
                                  TOKEN_PRIVILEGES* previous, DWORD* returned) {
        const LUID& wanted = p->Privileges[0].Luid;
        const bool same = h == token && !all && p->PrivilegeCount == 1 && previous && returned &&
                          wanted.LowPart == luid.LowPart && wanted.HighPart == luid.HighPart;
        seen += "enable " + std::to_string(same) + " " +
                std::to_string(p->Privileges[0].Attributes) + " " + std::to_string(length) + ", ";
        return TRUE;
    };
    c.ExitWindowsEx = [&](UINT flags, DWORD reason) {
        return seen += "exit " + std::to_string(flags) + " " + std::to_string(reason), TRUE;
    };
    const std::string nt = "token 40, '' SeShutdownPrivilege, enable 1 2 16, exit 5 4294967295";
    win32::Win32Power power(c);
    for (const auto& [v, isNt, calls] :
         std::vector<std::tuple<DWORD, bool, std::string>>{{0x0A280105, true, nt},
                                                           {0xC0000A04, false, "exit 5 4294967295"},
                                                           {0x1DB10106, true, nt}}) {
        seen.clear();
        version = v;
        power.ShutDownWindows();
        EXPECT_EQ(power.IsWinNT(), isNt) << std::hex << v;
        EXPECT_EQ(seen, calls) << std::hex << v;
        DWORD flags = 0;
        EXPECT_FALSE(isNt && GetHandleInformation(token, &flags));  // the token was closed
    }
}

}  // namespace
}  // namespace qv::test
