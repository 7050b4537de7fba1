#pragma once
#include <winsock2.h>

#include <windows.h>

#include <functional>
#include <map>

#include "platform/Sockets.h"

namespace qv::win32 {

// An owned Winsock socket, closed when it goes.
class UniqueSocket {
  public:
    UniqueSocket() = default;
    explicit UniqueSocket(SOCKET s) : s_(s) {}
    ~UniqueSocket() { Reset(); }
    UniqueSocket(UniqueSocket&& other) noexcept : s_(other.Release()) {}
    UniqueSocket& operator=(UniqueSocket&& other) noexcept {
        if (this != &other) {
            Reset();
            s_ = other.Release();
        }
        return *this;
    }
    UniqueSocket(const UniqueSocket&) = delete;
    UniqueSocket& operator=(const UniqueSocket&) = delete;

    SOCKET Get() const { return s_; }
    bool Valid() const { return s_ != INVALID_SOCKET; }
    SOCKET Release() {
        SOCKET s = s_;
        s_ = INVALID_SOCKET;
        return s;
    }
    void Reset() {
        if (s_ != INVALID_SOCKET)
            ::closesocket(s_);
        s_ = INVALID_SOCKET;
    }

  private:
    SOCKET s_ = INVALID_SOCKET;
};

// The socket interface over Windows Sockets (ws2_32). Every socket it hands out is owned here
// and closed at the latest when the object goes.
class Win32Sockets : public Sockets {
  public:
    Win32Sockets() = default;
    ~Win32Sockets() override;
    Win32Sockets(const Win32Sockets&) = delete;
    Win32Sockets& operator=(const Win32Sockets&) = delete;

    int Startup(uint16_t requestedVersion) override;
    void Cleanup() override;
    SocketId OpenStream() override;
    bool Connect(SocketId socket, const std::string& address, uint16_t port,
                 uint32_t timeoutMs) override;
    // Reports through the window given to Attach (WSAAsyncSelect for the connect, a window
    // timer for the time-out); that window hands both to HandleMessage.
    bool StartConnect(SocketId socket, const std::string& address, uint16_t port,
                      uint32_t timeoutMs, std::function<void(bool)> done) override;
    int Send(SocketId socket, const std::string& bytes, uint32_t timeoutMs) override;
    std::string Receive(SocketId socket, size_t maxBytes, uint32_t timeoutMs) override;
    void Shutdown(SocketId socket) override;
    void Close(SocketId socket) override;
    bool IsBlocking() override;
    void CancelBlockingCall() override;

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
        std::function<void(bool)> done;
    };
    SOCKET Handle(SocketId socket) const;
    void Finish(std::map<SOCKET, PendingConnect>::iterator it, bool connected);
    void Forget(SOCKET s);

    HWND window_ = nullptr;
    std::map<SOCKET, PendingConnect> pending_;

    std::map<SocketId, UniqueSocket> sockets_;
    SocketId nextId_ = 1;
    int startups_ = 0;  // successful Startup calls not yet matched by Cleanup
};

}  // namespace qv::win32
