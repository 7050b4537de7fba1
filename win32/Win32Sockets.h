#pragma once
#include <winsock2.h>

#include <windows.h>

#include <functional>
#include <map>

#include "platform/Sockets.h"
#include "win32/Handles.h"

namespace qv::win32 {

// An owned Winsock socket, closed when it goes.
using UniqueSocket = Owner<SOCKET, &::closesocket, INVALID_SOCKET>;

// The socket interface over Windows Sockets (ws2_32). Every socket it hands out is owned here
// and closed at the latest when the object goes.
class Win32Sockets : public Sockets {
  public:
    Win32Sockets() = default;
    ~Win32Sockets() override;
    Win32Sockets(const Win32Sockets&) = delete;
    Win32Sockets& operator=(const Win32Sockets&) = delete;

    // WSAStartup asking for version 1.1.
    bool Start() override;
    // WSACleanup.
    void Stop() override;
    // socket(AF_INET, SOCK_STREAM, 0), then connect to the address (inet_addr) and port
    // (htons), the wait bounded by a non-blocking connect and select.
    bool Connect(SocketId& socket, const std::string& address, uint16_t port,
                 uint32_t timeoutMs) override;
    // Reports through the window given to Attach (WSAAsyncSelect for the connect, a window
    // timer for the time-out); that window hands both to HandleMessage.
    bool StartConnect(SocketId& socket, const std::string& address, uint16_t port,
                      uint32_t timeoutMs, std::function<void(SocketId, bool)> done) override;
    // One send, flags 0, once select says the socket can take bytes.
    int Send(SocketId socket, const std::string& bytes, uint32_t timeoutMs) override;
    // One recv into a buffer of maxBytes, flags 0, once select says bytes are there.
    std::string Receive(SocketId socket, size_t maxBytes, uint32_t timeoutMs) override;
    // shutdown(SD_BOTH), then closesocket.
    void Close(SocketId socket) override;
    // WSACancelBlockingCall when WSAIsBlocking says a call is in progress.
    void CancelBlockingCall() override;

    // The version the last successful WSAStartup agreed on.
    uint16_t LibraryVersion() const { return version_; }
    // Sockets opened and not yet closed.
    size_t OpenCount() const { return sockets_.size(); }

    // The window whose procedure passes its messages to HandleMessage.
    void Attach(HWND window) { window_ = window; }
    // Serves a message of a connect started by StartConnect (its outcome or its time-out);
    // false for every other message.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    static constexpr UINT kConnectMessage = WM_APP + 0x51;
    static constexpr UINT_PTR kTimerBase = 0x10000;  // above the program's own timer ids

  private:
    struct PendingConnect {
        SocketId socket;
        std::function<void(SocketId, bool)> done;
    };
    SOCKET Handle(SocketId socket) const;
    // A new stream socket and its number; kNoSocket when none could be made.
    SocketId Open();
    void Finish(std::map<SOCKET, PendingConnect>::iterator it, bool connected);
    void Forget(SOCKET s);

    HWND window_ = nullptr;
    std::map<SOCKET, PendingConnect> pending_;

    std::map<SocketId, UniqueSocket> sockets_;
    SocketId nextId_ = 1;
    int startups_ = 0;  // successful Start calls not yet matched by Stop
    uint16_t version_ = 0;
};

}  // namespace qv::win32
