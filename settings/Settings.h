#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// The rest of the three-minute rule's pacing when none is stored.
inline constexpr int32_t kUsualRebootRestHours = 4;

// Every user setting in memory. All fields start at zero, empty or off, but the pacing's rest.
struct Settings {
    int32_t FreeStartHour = 0;
    int32_t FreeEndHour = 0;
    int32_t NicOnHour = 0;
    int32_t NicOnMinute = 0;
    int32_t NicOffHour = 0;
    int32_t NicOffMinute = 0;
    std::vector<std::string> RebootTimes;
    int32_t DialogTop = 0;
    int32_t DialogLeft = 0;
    int32_t PingInterval = 0;
    std::vector<std::string> PingUrlList;
    int32_t ShutAtHour = 0;
    int32_t ShutAtMinute = 0;
    int32_t ShutFromHour = 0;
    int32_t ShutFromMinute = 0;
    int32_t ShutToHour = 0;
    int32_t ShutToMinute = 0;
    bool SrvShutAt = false;
    bool SrvShutDuring = false;
    bool SrvNicDuringN = false;
    bool SrvNicDuringD = false;
    bool SrvModemFail = false;
    bool SrvStartup = false;
    bool SrvNicAt = false;
    bool SrvModem = false;
    bool SrvPing = false;
    // The three-minute rule's pacing: after RebootLimitCount reboots with no page opened in
    // between it rests RebootLimitHours, always 1 to 24 (a count of 0 sets no limit); after each
    // of its reboots it counts no failure for RebootGraceMinutes.
    int32_t RebootLimitCount = 0;
    int32_t RebootLimitHours = kUsualRebootRestHours;
    int32_t RebootGraceMinutes = 0;
    // Keep the computer awake while the free window is open and the connectivity service is
    // on; have a timer wake it a minute before the window opens.
    bool SrvAwake = false;
    bool SrvWake = false;

    bool operator==(const Settings&) const = default;
};

// Store keys and their default texts.
namespace keys {
inline constexpr const char* kTime = "Time";
inline constexpr const char* kNic = "NIC";
inline constexpr const char* kReboot = "Reboot";
inline constexpr const char* kFrmTop = "frmTop";
inline constexpr const char* kFrmLeft = "frmLeft";
inline constexpr const char* kPingInterval = "PingInterval";
inline constexpr const char* kPingUrls = "PingUrls";
inline constexpr const char* kShutAt = "ShutAt";
inline constexpr const char* kShutDuring = "ShutDuring";
inline constexpr const char* kSrvShutAt = "SrvShutAt";
inline constexpr const char* kSrvShutDuring = "SrvShutDuring";
inline constexpr const char* kSrvNicDuringN = "SrvNicDuringN";
inline constexpr const char* kSrvNicDuringD = "SrvNicDuringD";
inline constexpr const char* kSrvModemFail = "SrvModemFail";
inline constexpr const char* kSrvStartup = "SrvStartup";
inline constexpr const char* kSrvNicAt = "SrvNicAt";
inline constexpr const char* kSrvModem = "SrvModem";
inline constexpr const char* kSrvPing = "SrvPing";
inline constexpr const char* kRebootLimit = "RebootLimit";
inline constexpr const char* kRebootGrace = "RebootGrace";
inline constexpr const char* kSrvAwake = "SrvAwake";
inline constexpr const char* kSrvWake = "SrvWake";
}  // namespace keys

namespace defaults {
inline constexpr const char* kTime = "2,8";
inline constexpr const char* kNic = "01:59,07:58";
inline constexpr const char* kReboot = "02:01,02:03,02:05,07:53,07:55,07:57";
inline constexpr const char* kPingInterval = "50";
// Two public home pages fetched besides the built-in ones.
inline constexpr const char* kPingUrls = "http://www.wikipedia.org/,http://www.debian.org/";
inline constexpr const char* kShutAt = "08:00";
inline constexpr const char* kShutDuring = "08:01-09:00";
// No limit and no grace: the three-minute rule reboots whenever it falls due.
inline constexpr const char* kRebootLimit = "0,4";
inline constexpr const char* kRebootGrace = "0";
// A computer that sleeps keeps nothing: keeping it awake is on unless the user turned it off.
inline constexpr const char* kSrvAwake = "1";
inline constexpr const char* kSrvWake = "0";
}  // namespace defaults

}  // namespace qv
