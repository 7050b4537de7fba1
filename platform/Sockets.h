#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace qv {

// A TCP connection as the logic holds it: a small number the platform layer hands out, which
// owns the system socket behind it. Numbers are never reused, so a number kept after its
// connection was closed names nothing and every call with it fails. 0 means no connection.
using SocketId = int32_t;
inline constexpr SocketId kNoSocket = 0;

// IPv4 TCP connections over the system's socket library, every wait bounded by the caller's
// time-out. The waits serve the window meanwhile, and end at once, as failed, when the program
// was asked to end (Ui::EndRequested).
class Sockets {
  public:
    virtual ~Sockets() = default;
    // Starts the socket library (Windows Sockets 1.1); false when it cannot be started.
    virtual bool Start() = 0;
    // Releases the socket library.
    virtual void Stop() = 0;
    // Opens a connection to a dotted IPv4 address text and a port, waiting at most timeoutMs;
    // true when connected. The new connection's number goes into `socket` as soon as a socket
    // was made (kNoSocket when none could be), so on false it may still need closing. A
    // malformed address simply fails to connect.
    virtual bool Connect(SocketId& socket, const std::string& address, uint16_t port,
                         uint32_t timeoutMs) = 0;
    // Opens a connection without waiting for it. Its number goes into `socket` before the
    // connect begins; `done` gets the number and the outcome later, on the program's thread
    // while it serves its messages: true when connected, false when the connect failed or had
    // not succeeded after timeoutMs. It may also come before StartConnect returns; it never
    // comes once the connection was closed. False, with nothing left open, `socket` kNoSocket
    // and no call of `done`, when the connect could not be started.
    virtual bool StartConnect(SocketId& socket, const std::string& address, uint16_t port,
                              uint32_t timeoutMs,
                              std::function<void(SocketId socket, bool connected)> done) = 0;
    // One send of all the bytes; the number of bytes sent, 0 or less on failure or when the
    // connection could not take them within timeoutMs.
    virtual int Send(SocketId socket, const std::string& bytes, uint32_t timeoutMs) = 0;
    // One receive of at most maxBytes, waiting at most timeoutMs for the first byte. Empty when
    // nothing arrived in time, the peer closed the connection or the receive failed.
    virtual std::string Receive(SocketId socket, size_t maxBytes, uint32_t timeoutMs) = 0;
    // Shuts both directions of the connection down and closes it; its number names nothing
    // afterwards.
    virtual void Close(SocketId socket) = 0;
    // Cancels a blocking call of the socket library still in progress, if there is one.
    virtual void CancelBlockingCall() = 0;
};

}  // namespace qv
