#include "modem/TCPMod.h"

#include <algorithm>

#include "actions/EventLog.h"
#include "actions/ProgramError.h"
#include "actions/Text.h"
#include "modem/RestartProof.h"
#include "settings/LeadingNumber.h"

namespace qv {
namespace {

// The port of a port text, or nothing when it is no usable 16-bit signed port.
bool PortNumber(const std::string& text, uint16_t& port) {
    int32_t whole = 0;
    try {
        whole = WholeNumber(text);
    } catch (const ProgramError&) {
        return false;
    }
    if (whole <= 0 || whole > 32767)
        return false;
    port = static_cast<uint16_t>(whole);
    return true;
}

}  // namespace

void StartSockets(const ModemContext& ctx) {
    if (!ctx.sockets.Start()) {
        ctx.log.ReportFailure("Windows Socket Not Responding.");
        StopSockets(ctx);
    }
}

void StopSockets(const ModemContext& ctx) {
    CloseSocket(ctx, ctx.modem.ModemSocket);
    CloseSocket(ctx, ctx.modem.ProbeSocket);
    ctx.sockets.CancelBlockingCall();
    ctx.sockets.Stop();
}

bool TcpConnect(const ModemContext& ctx, SocketId& socket, const std::string& address,
                const std::string& port, uint32_t timeoutMs) {
    socket = kNoSocket;
    uint16_t portNumber = 0;
    if (!PortNumber(port, portNumber))
        return false;
    return ctx.sockets.Connect(socket, address, portNumber, timeoutMs);
}

bool TcpSend(const ModemContext& ctx, SocketId socket, const std::string& text) {
    if (text.empty())
        return false;
    return ctx.sockets.Send(socket, text, ctx.modem.SendTimeoutMs) >= 1;
}

std::string TcpReceive(const ModemContext& ctx, SocketId socket) {
    return TcpReceive(ctx, socket, ctx.modem.ReceiveTimeoutMs);
}

std::string TcpReceive(const ModemContext& ctx, SocketId socket, uint32_t timeoutMs,
                       size_t maxBytes) {
    return ctx.sockets.Receive(socket, std::min(maxBytes, kReceiveBufferSize), timeoutMs);
}

void CloseSocket(const ModemContext& ctx, SocketId& socket) {
    if (socket > 0)
        ctx.sockets.Close(socket);
    socket = kNoSocket;
}

bool ModemReachable(const ModemContext& ctx) {
    if (ctx.modem.ModemAddress.empty())
        return false;
    StartModemProbe(ctx);
    return ctx.modem.ProbeAnswer;
}

void StartModemProbe(const ModemContext& ctx) {
    ModemState& m = ctx.modem;
    if (m.ProbeSocket != kNoSocket || m.ModemAddress.empty())
        return;
    const bool started = ctx.sockets.StartConnect(
        m.ProbeSocket, m.ModemAddress, kModemWebPort, m.ProbeConnectTimeoutMs,
        [ctx](SocketId probe, bool connected) { ModemProbeAnswered(ctx, probe, connected); });
    // A probe that cannot start (no route while the modem's link is down) had no answer.
    if (!started) {
        m.ProbeAnswer = false;
        RestartProofAnswer(ctx, false);
    }
}

void ModemProbeAnswered(const ModemContext& ctx, SocketId probe, bool connected) {
    if (probe == kNoSocket || probe != ctx.modem.ProbeSocket)
        return;
    ctx.modem.ProbeAnswer = connected;
    CloseSocket(ctx, ctx.modem.ProbeSocket);
    RestartProofAnswer(ctx, connected);
}

std::string ReplyForLog(const std::string& reply) {
    const std::string text = ReplaceAll(reply, "\r\n", "\t");
    return text.size() > kReceiveBufferSize ? text.substr(text.size() - kReceiveBufferSize) : text;
}

}  // namespace qv
