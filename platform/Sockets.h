#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace qv {

// A socket as the logic holds it: a small number the platform layer hands out, which owns the
// system handle behind it. Numbers are never reused, so a number kept after its socket was
// closed names nothing and every call with it fails. 0 means no socket.
using SocketId = int32_t;
inline constexpr SocketId kNoSocket = 0;
inline constexpr SocketId kInvalidSocket = -1;

// Blocking IPv4 stream sockets, every wait bounded by the caller's time-out.
class Sockets {
  public:
    virtual ~Sockets() = default;
    // Starts the socket library asking for the given version (0x0101 is 1.1); 0 on success.
    virtual int Startup(uint16_t requestedVersion) = 0;
    // Releases the socket library.
    virtual void Cleanup() = 0;
    // A new stream socket (address family 2, type 1, protocol 0); kInvalidSocket on failure.
    virtual SocketId OpenStream() = 0;
    // Connects to a dotted IPv4 address text and a port, waiting at most timeoutMs; true when
    // connected. A malformed address simply fails to connect.
    virtual bool Connect(SocketId socket, const std::string& address, uint16_t port,
                         uint32_t timeoutMs) = 0;
    // Starts connecting without waiting for the outcome. `done` gets it later, on the program's
    // thread while it serves its messages: true when connected, false when the connect failed
    // or had not succeeded after timeoutMs. It may also come before StartConnect returns; it
    // never comes once the socket was closed. False, and no call, when the connect could not be
    // started.
    virtual bool StartConnect(SocketId socket, const std::string& address, uint16_t port,
                              uint32_t timeoutMs, std::function<void(bool connected)> done) = 0;
    // One send of all the bytes; the number of bytes sent, 0 or less on failure or when the
    // socket could not take them within timeoutMs.
    virtual int Send(SocketId socket, const std::string& bytes, uint32_t timeoutMs) = 0;
    // One receive of at most maxBytes, waiting at most timeoutMs for the first byte. Empty when
    // nothing arrived in time, the peer closed the connection or the receive failed.
    virtual std::string Receive(SocketId socket, size_t maxBytes, uint32_t timeoutMs) = 0;
    // Shuts both directions down; the result is not looked at.
    virtual void Shutdown(SocketId socket) = 0;
    // Closes the socket and forgets its number.
    virtual void Close(SocketId socket) = 0;
    // True while a blocking call of the library is in progress.
    virtual bool IsBlocking() = 0;
    // Cancels a blocking call in progress.
    virtual void CancelBlockingCall() = 0;
};

}  // namespace qv
