#include "modem/ModemReboot.h"

#include <cctype>
#include <vector>

#include "actions/EventLog.h"
#include "app/App.h"
#include "modem/TCPMod.h"
#include "modem/TelNetCmds.h"
#include "settings/LeadingNumber.h"

namespace qv {
namespace {

constexpr uint32_t kPairPauseMs = 1000;
constexpr uint32_t kRebootPauseMs = 2000;

// Marks a conversation as running for as long as it lives.
class RunningMark {
  public:
    explicit RunningMark(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningMark() { flag_ = false; }
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;

  private:
    bool& flag_;
};

bool BeginsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool IsRebootCommand(const std::string& text) {
    if (text.size() < 6)
        return false;
    std::string head = text.substr(0, 6);
    for (char& c : head)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return head == "reboot";
}

// Plays the pairs on the open connection; false after a failure, which it has logged.
bool PlayPairs(App& app, const std::vector<CommandPair>& pairs) {
    Ui& ui = app.os.ui;
    for (const CommandPair& pair : pairs) {
        std::string step;
        if (pair.WaitText.empty()) {
            ui.PumpMessages();
        } else {
            step = TcpReceive(app, app.modem.ModemSocket);
            ui.PumpMessages();
            if (pair.WaitText != "*" && !BeginsWith(step, pair.WaitText)) {
                app.IconState = 5;
                WriteLog(app, "Unable to Reboot Modem - Invalid Responce " +
                                  ReplaceAll(step, "\r\n", "\t"));
                return false;
            }
        }
        ui.PumpMessages();
        if (app.diag.ModemTrace)
            ui.ShowMessage("Recv : " + step, kAppTitle);
        if (!pair.SendText.empty()) {
            step = pair.SendText;
            bool sent = TcpSend(app, app.modem.ModemSocket, step);
            ui.PumpMessages();
            if (!sent) {
                app.IconState = 5;
                WriteLog(app, "Unable to send : " + pair.SendText);
                return false;
            }
            if (IsRebootCommand(pair.SendText)) {
                ui.PumpMessages();
                ui.Sleep(kRebootPauseMs);
            }
        }
        if (app.diag.ModemTrace)
            ui.ShowMessage("Send : " + step, kAppTitle);
        ui.Sleep(kPairPauseMs);
    }
    return true;
}

bool Converse(App& app) {
    const std::string& path = app.paths.CommandFilePath;
    if (!ReadCommandFile(app, path)) {
        app.IconState = 5;
        WriteLog(app, "Unable to Reboot Modem - Invalid commands in " + path);
        return false;
    }
    // The script as read now: the settings dialog may read the file again while the
    // conversation handles window messages.
    const std::vector<CommandPair> pairs = app.modem.CommandPairs;
    const std::string address = app.modem.ModemAddress;
    const std::string port = app.modem.ModemPort;
    if (!TcpConnect(app, app.modem.ModemSocket, address, port, app.modem.ConnectTimeoutMs)) {
        app.IconState = 5;
        WriteLog(app, "Unable to Reboot Modem - Can't able to Connect " + address + ":" + port);
        return false;
    }
    return PlayPairs(app, pairs);
}

}  // namespace

bool RebootModem(App& app) {
    if (app.modem.RebootRunning)
        return false;
    RunningMark running(app.modem.RebootRunning);
    bool rebooted = Converse(app);
    CloseSocket(app, app.modem.ModemSocket);
    if (!rebooted && app.settings.SrvModemFail)
        app.actions().ShutDownPC();
    return rebooted;
}

}  // namespace qv
