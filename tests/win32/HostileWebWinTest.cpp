// Web servers that misbehave, against the real WinINet fetcher: each fetch ends within its
// time-outs with the outcome the watch expects, and window messages keep being served while a
// page trickles in.
#include <winsock2.h>
//
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "connectivity/PingInet.h"
#include "platform/win32/Win32Internet.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

using Clock = std::chrono::steady_clock;

// One misbehaving HTTP server on 127.0.0.1, one connection at a time, chosen by path:
//   /drip      200 announcing 100000 bytes, then one byte a second for up to 20 s
//   /500empty  500 with no body at all
//   /500body   500 with a small body
//   /silent    accepts, reads the request and never answers (lets go after 8 s)
class HostileHttpServer {
  public:
    HostileHttpServer() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener_, 8);
        int length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, &HostileHttpServer::Run, this, 0, nullptr);
    }
    ~HostileHttpServer() {
        SetEvent(stop_);
        closesocket(listener_);
        WaitForSingleObject(thread_, 30000);
        CloseHandle(thread_);
        CloseHandle(stop_);
        WSACleanup();
    }
    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

  private:
    static DWORD WINAPI Run(void* self) {
        auto* server = static_cast<HostileHttpServer*>(self);
        for (;;) {
            SOCKET client = accept(server->listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET)
                return 0;
            server->Serve(client);
            closesocket(client);
        }
    }
    // Waits for the test's end; true when it came within the milliseconds.
    bool Stopped(DWORD ms) { return WaitForSingleObject(stop_, ms) == WAIT_OBJECT_0; }

    static void Send(SOCKET s, const std::string& text) {
        send(s, text.data(), static_cast<int>(text.size()), 0);
    }
    void Serve(SOCKET client) {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            int got = recv(client, buffer, sizeof buffer, 0);
            if (got <= 0)
                return;
            request.append(buffer, static_cast<size_t>(got));
        }
        const std::string path = request.substr(4, request.find(' ', 4) - 4);
        if (path == "/drip") {
            Send(client, "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\nConnection: close\r\n\r\n");
            for (int i = 0; i < 20 && !Stopped(i ? 1000 : 0); ++i) {
                if (send(client, "d", 1, 0) != 1)
                    break;
            }
        } else if (path == "/500empty") {
            Send(client,
                 "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n"
                 "Connection: close\r\n\r\n");
        } else if (path == "/500body") {
            Send(client,
                 "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 12\r\n"
                 "Connection: close\r\n\r\nserver error");
        } else if (path == "/silent") {
            Stopped(8000);
        }
        shutdown(client, SD_SEND);
    }

    SOCKET listener_ = INVALID_SOCKET;
    uint16_t port_ = 0;
    HANDLE stop_ = nullptr;
    HANDLE thread_ = nullptr;
};

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class HostileWebTest : public ::testing::Test {
  protected:
    void SetUp() override {
        t.InitPaths();
        t.internet.passThrough = &real;
    }
    // One check of the watch on the page; the seconds it took.
    double Check(const std::string& path) {
        t.app.settings.PingUrlList = {"unused", server.Url(path)};
        t.app.net.PageIndex = 0;
        const auto start = Clock::now();
        CheckConnectivity(t.app.connectivityContext);
        EXPECT_EQ(t.internet.openRequests, 0);
        EXPECT_FALSE(t.app.net.Check.Running());
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    HostileHttpServer server;
    // Short time-outs: 1.5 s for one read, 4 s for a whole page.
    Win32Internet real{Win32Internet::Timeouts{3000, 3000, 1500, 4000}};
    test::TestApp t;
};

TEST_F(HostileWebTest, APageThatDripsIsCutOffAtThePageTimeOutAndCountsAsFetched) {
    int pumps = 0;
    t.ui.onPump = [&] { ++pumps; };
    const double seconds = Check("/drip");
    EXPECT_LT(seconds, 7.0);
    EXPECT_TRUE(t.LogMessages().empty()) << t.LogMessages()[0];
    EXPECT_GE(t.app.traffic.TotalBytesDownloaded, 2);
    EXPECT_LE(t.app.traffic.TotalBytesDownloaded, 8);
    // Every byte that came let the window serve its messages.
    EXPECT_GE(pumps, t.app.traffic.TotalBytesDownloaded - 1);
}

TEST_F(HostileWebTest, AnErrorAnswerCountsByItsBody) {
    Check("/500empty");
    EXPECT_EQ(t.LogMessages(),
              std::vector<std::string>{"Unable to open : " + server.Url("/500empty")});
    EXPECT_EQ(t.app.traffic.TotalBytesDownloaded, 0);
    EXPECT_EQ(t.app.net.PageFailures, 1);

    Check("/500body");
    EXPECT_EQ(t.LogMessages().size(), 1u);
    EXPECT_EQ(t.app.traffic.TotalBytesDownloaded, 12);
    EXPECT_EQ(t.app.net.PageFailures, 0);
}

TEST_F(HostileWebTest, AServerThatNeverAnswersFailsTheFetch) {
    const double seconds = Check("/silent");
    EXPECT_EQ(t.LogMessages(),
              std::vector<std::string>{"Unable to open : " + server.Url("/silent")});
    // Windows gives up at the receive time-out; Wine's WinINet waits for the server to let go.
    EXPECT_LT(seconds, UnderWine() ? 12.0 : 5.0);
}

}  // namespace
}  // namespace qv
