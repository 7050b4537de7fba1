#pragma once
#include <winsock2.h>

#include <windows.h>

#include <functional>
#include <map>

#include "platform/Sockets.h"
#include "win32/Handles.h"
#include "win32/Win32Ui.h"

namespace qv::win32 {

// An owned Winsock socket, closed when it goes.
using UniqueSocket = Owner<SOCKET, &::closesocket, INVALID_SOCKET>;
// An event object made by WSACreateEvent.
using UniqueSocketEvent = Owner<WSAEVENT, &::WSACloseEvent>;

// The socket interface over Windows Sockets (ws2_32). Every socket it hands out is owned here
// and closed at the latest when the object goes. A connection made by Connect is non-blocking
// and tied to an event object of its own (WSAEventSelect): its connect, sends and receives wait
// for that event while the window is served (Win32Ui::WaitServing), so no wait holds the
// window, and no event of one connection can be taken for another's. Every wait ends at once,
// as failed, when the program was asked to end.
class Win32Sockets : public Sockets {
  public:
    explicit Win32Sockets(Win32Ui& ui) : ui_(ui) {}
    ~Win32Sockets() override;
    Win32Sockets(const Win32Sockets&) = delete;
    Win32Sockets& operator=(const Win32Sockets&) = delete;

    // WSAStartup asking for version 1.1.
    bool Start() override;
    // WSACleanup.
    void Stop() override;
    // socket(AF_INET, SOCK_STREAM, 0), then a non-blocking connect to the address (inet_addr)
    // and port (htons), waiting for FD_CONNECT at most timeoutMs.
    bool Connect(SocketId& socket, const std::string& address, uint16_t port,
                 uint32_t timeoutMs) override;
    // Reports through the window given to Attach (WSAAsyncSelect for the connect, a window
    // timer for the time-out); that window hands both to HandleMessage.
    bool StartConnect(SocketId& socket, const std::string& address, uint16_t port,
                      uint32_t timeoutMs, std::function<void(SocketId, bool)> done) override;
    // Sends until every byte went, flags 0, waiting for FD_WRITE whenever the connection cannot
    // take more: the byte count, or -1 when not all went within timeoutMs.
    int Send(SocketId socket, const std::string& bytes, uint32_t timeoutMs) override;
    // One recv into a buffer of maxBytes, flags 0, waiting for FD_READ or FD_CLOSE at most
    // timeoutMs when nothing is there yet.
    std::string Receive(SocketId socket, size_t maxBytes, uint32_t timeoutMs) override;
    // shutdown(SD_BOTH), then closesocket.
    void Close(SocketId socket) override;
    // WSACancelBlockingCall when WSAIsBlocking says a call is in progress.
    void CancelBlockingCall() override;

    // The system socket of a connection (INVALID_SOCKET for none), for the Windows-side tests.
    SOCKET Handle(SocketId socket) const;
    // The version the last successful WSAStartup agreed on.
    uint16_t LibraryVersion() const { return version_; }
    // Sockets opened and not yet closed.
    size_t OpenCount() const { return sockets_.size(); }

    // The window whose procedure passes its messages to HandleMessage.
    void Attach(HWND window) { window_ = window; }
    // Serves a message of a connect started by StartConnect (its outcome or its time-out);
    // false for every other message. Windows reuses socket values, so an outcome is taken only
    // when the probe's own socket shows it (connected, or failed); a message left over from a
    // closed socket whose value a later probe got is dropped.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    static constexpr UINT kConnectMessage = WM_APP + 0x51;
    static constexpr UINT_PTR kTimerBase = 0x10000;  // above the program's own timer ids

  private:
    struct PendingConnect {
        SocketId socket;
        std::function<void(SocketId, bool)> done;
    };
    // A socket with the event its waits use (none for a probe).
    struct Connection {
        UniqueSocketEvent event;
        UniqueSocket socket;  // closed before its event
    };
    WSAEVENT Event(SocketId socket) const;
    // Waits for one of `events` on the connection until the deadline; false when it timed out
    // or the program was asked to end.
    bool WaitForEvent(SocketId socket, long events, ULONGLONG deadline, long& happened, int& error);
    // A new stream socket and its number; kNoSocket when none could be made.
    SocketId Open();
    void Finish(std::map<SOCKET, PendingConnect>::iterator it, bool connected);
    void Forget(SOCKET s);

    Win32Ui& ui_;
    HWND window_ = nullptr;
    std::map<SOCKET, PendingConnect> pending_;

    std::map<SocketId, Connection> sockets_;
    SocketId nextId_ = 1;
    int startups_ = 0;  // successful Start calls not yet matched by Stop
    uint16_t version_ = 0;
};

}  // namespace qv::win32
