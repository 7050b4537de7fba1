#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Sockets.h"

namespace qv {

struct App;

// The most one receive takes; the rest of a longer reply waits for the next receive.
inline constexpr size_t kReceiveBufferSize = 51200;
inline constexpr uint16_t kSocketsVersion = 0x0101;

// Starts the socket library; on failure logs it, stops the library again and goes on.
void StartSockets(App& app);

// Closes a telnet connection still open, cancels a blocking call and releases the library.
void StopSockets(App& app);

// Opens a socket into `socket` and connects it to the address and port texts, waiting at most
// timeoutMs. The port is the text's leading number made whole; one that does not fit a 16-bit
// signed port, or is not above 0, fails the connection. On false the socket may still be open:
// closing it is the caller's task.
bool TcpConnect(App& app, SocketId& socket, const std::string& address, const std::string& port,
                uint32_t timeoutMs);

// One send of the text's bytes; true when at least one byte went out.
bool TcpSend(App& app, SocketId socket, const std::string& text);

// One receive of at most 51200 bytes within the receive time-out (or the given one); "" when
// nothing came.
std::string TcpReceive(App& app, SocketId socket);
std::string TcpReceive(App& app, SocketId socket, uint32_t timeoutMs);

// Shuts down and closes a socket held in a variable and sets the variable to 0. Does nothing
// when the variable holds no socket.
void CloseSocket(App& app, SocketId& socket);

// True when the modem accepts a connection on its web port 80 within the probe time-out. The
// probe's socket is closed at once; false without touching the network while no command file
// has given an address.
bool ModemReachable(App& app);

}  // namespace qv
