#include "modem/TCPMod.h"

#include "actions/EventLog.h"
#include "app/App.h"
#include "app/ProgramError.h"
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

void StartSockets(App& app) {
    if (!app.os.sockets.Start()) {
        app.IconState = 5;
        WriteLog(app, "Windows Socket Not Responding.");
        StopSockets(app);
    }
}

void StopSockets(App& app) {
    CloseSocket(app, app.modem.ModemSocket);
    CloseSocket(app, app.modem.ProbeSocket);
    app.os.sockets.CancelBlockingCall();
    app.os.sockets.Stop();
}

bool TcpConnect(App& app, SocketId& socket, const std::string& address, const std::string& port,
                uint32_t timeoutMs) {
    socket = kNoSocket;
    uint16_t portNumber = 0;
    if (!PortNumber(port, portNumber))
        return false;
    return app.os.sockets.Connect(socket, address, portNumber, timeoutMs);
}

bool TcpSend(App& app, SocketId socket, const std::string& text) {
    if (text.empty())
        return false;
    return app.os.sockets.Send(socket, text, app.modem.SendTimeoutMs) >= 1;
}

std::string TcpReceive(App& app, SocketId socket) {
    return TcpReceive(app, socket, app.modem.ReceiveTimeoutMs);
}

std::string TcpReceive(App& app, SocketId socket, uint32_t timeoutMs) {
    return app.os.sockets.Receive(socket, kReceiveBufferSize, timeoutMs);
}

void CloseSocket(App& app, SocketId& socket) {
    if (socket > 0)
        app.os.sockets.Close(socket);
    socket = kNoSocket;
}

bool ModemReachable(App& app) {
    if (app.modem.ModemAddress.empty())
        return false;
    StartModemProbe(app);
    return app.modem.ProbeAnswer;
}

void StartModemProbe(App& app) {
    ModemState& m = app.modem;
    if (m.ProbeSocket != kNoSocket || m.ModemAddress.empty())
        return;
    const bool started = app.os.sockets.StartConnect(
        m.ProbeSocket, m.ModemAddress, kModemWebPort, m.ProbeConnectTimeoutMs,
        [&app](SocketId probe, bool connected) { ModemProbeAnswered(app, probe, connected); });
    if (!started)
        m.ProbeAnswer = false;
}

void ModemProbeAnswered(App& app, SocketId probe, bool connected) {
    if (probe == kNoSocket || probe != app.modem.ProbeSocket)
        return;
    app.modem.ProbeAnswer = connected;
    CloseSocket(app, app.modem.ProbeSocket);
}

}  // namespace qv
