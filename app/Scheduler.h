#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "actions/Running.h"
#include "platform/Clock.h"

namespace qv {

struct App;

// What the service ticks remember between two ticks.
struct SchedulerState {
    // The clock minute (MinuteKey) in which tmrShut, tmrModem and tmrNIC last acted; each of
    // them acts at most once per clock minute, although their periods let them tick twice.
    int64_t ShutActedMinute = -1;
    int64_t ModemActedMinute = -1;
    int64_t NicActedMinute = -1;
    // A modem conversation started by tmrModem, or a keep-alive cycle started by tmrPing, is
    // running; ticks served inside it by message pumping must not start another one.
    ActionRunning ModemReboot;
    ActionRunning KeepAlive;
    // A tmrModem tick that fell inside a keep-alive cycle, kept for when the cycle ends.
    bool ModemTickDeferred = false;
    LocalTime DeferredModemTime;
    // RebootTimes as hour and minute, read again whenever the list changes; entries that can
    // never match are left out.
    std::vector<std::string> RebootTimesRead;
    std::vector<std::pair<int32_t, int32_t>> RebootHourMinutes;
};

inline constexpr const char* kAutoShutDownLine = "Auto ShutDown Command Issued.";
inline constexpr const char* kShutDownLine = "ShutDown Command Issued.";
inline constexpr const char* kAutoEnableNicLine = "Auto Enable NIC Command Issued.";
inline constexpr const char* kAutoDisableNicLine = "Auto Disable NIC Command Issued.";
inline constexpr const char* kEnableNicLine = "Enable Nic Command Issued.";
inline constexpr const char* kDisableNicLine = "Disable Nic Command Issued.";
inline constexpr const char* kModemRebootedLine = "Modem Rebooted Successfully.";
inline constexpr const char* kRebootRunningMessage = "A Modem Reboot is already running.";
inline constexpr const char* kNicFramePrefix = "Network Interface Settings ";

// A number that is the same for every moment of one clock minute and differs between minutes.
int64_t MinuteKey(const LocalTime& time);

// The tmrPing period for a PingInterval in seconds: 0 (never ticks) for 0 or less, clamped to
// the longest period a window timer accepts.
uint32_t PingPeriod(int32_t pingIntervalSeconds);

// The shutdown-range test for hour h and minute m, both ends inclusive. A range whose end lies
// earlier in the day than its start runs from its start through midnight to its end.
bool InShutdownRange(int fromHour, int fromMinute, int toHour, int toMinute, int h, int m);

// The service timers' periods; switches none of them on.
void SetServiceTimerIntervals(App& app);
// Switches the service timers on and off as the settings ask.
void ArmServiceTimers(App& app);
// The five-minute network-card rule by the free window.
void CheckNicForFreeWindow(App& app);

// Tick handlers.
void tmrMinuteAlarm_Timer(App& app);
void tmrShut_Timer(App& app);
void tmrNIC_Timer(App& app);
void tmrModem_Timer(App& app);
void tmrPing_Timer(App& app);
// tmrModemProof (5 s, on only while a reboot is being watched): the next probe of the modem's
// web port, or the watch's end.
void tmrModemProof_Timer(App& app);

// The MODEM page's "Reboot Now": plays the command file at once as a listed reboot time would,
// with its lines in the log, but a failure never shuts the computer down. Returns what the user
// is shown: "Modem Rebooted Successfully.", the failure's line, the refusal while a reboot is
// running, or "" when the program was asked to end meanwhile.
std::string RebootNow(App& app);

}  // namespace qv
