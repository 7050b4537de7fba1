#pragma once
#include "modem/ModemContext.h"
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Sockets.h"

namespace qv {

// The most one receive takes; the rest of a longer reply waits for the next receive.
inline constexpr size_t kReceiveBufferSize = 51200;
inline constexpr uint16_t kModemWebPort = 80;

// The last characters of a reply that a failure's log line carries: one receive buffer's worth,
// where the prompt would have been, each CR LF shown as a tab.
std::string ReplyForLog(const std::string& reply);

// Starts the socket library; on failure logs it, stops the library again and goes on.
void StartSockets(const ModemContext& ctx);

// Closes a telnet connection still open, cancels a blocking call and releases the library.
void StopSockets(const ModemContext& ctx);

// Opens a connection into `socket` to the address and port texts, waiting at most timeoutMs.
// The port is the text's leading number made whole; one that does not fit a 16-bit signed
// port, or is not above 0, fails without any socket. On false a socket may still be open:
// closing it is the caller's task.
bool TcpConnect(const ModemContext& ctx, SocketId& socket, const std::string& address,
                const std::string& port, uint32_t timeoutMs);

// One send of the text's bytes; true when at least one byte went out.
bool TcpSend(const ModemContext& ctx, SocketId socket, const std::string& text);

// One receive of at most 51200 bytes (or of the given number, never more) within the receive
// time-out (or the given one); "" when nothing came.
std::string TcpReceive(const ModemContext& ctx, SocketId socket);
std::string TcpReceive(const ModemContext& ctx, SocketId socket, uint32_t timeoutMs,
                       size_t maxBytes = kReceiveBufferSize);

// Shuts down and closes a socket held in a variable and sets the variable to 0. Does nothing
// when the variable holds no socket.
void CloseSocket(const ModemContext& ctx, SocketId& socket);

// The answer of the latest finished probe of the modem's web port 80: true when the modem
// accepted the connection within the probe time-out. Starts the next probe unless one is still
// under way, and returns without waiting for it, so the answer is at most one call old. False
// without touching the network while no command file has given an address.
bool ModemReachable(const ModemContext& ctx);

// Starts a probe of the modem's web port without waiting, unless one is under way.
void StartModemProbe(const ModemContext& ctx);

// The outcome of the probe on `probe`: kept as the latest answer, and the probe's socket is
// closed. An outcome for a socket that is no longer the probe's is dropped.
void ModemProbeAnswered(const ModemContext& ctx, SocketId probe, bool connected);

}  // namespace qv
