#include "settings/SettingsTable.h"

namespace qv {
namespace {

using S = Settings;
using enum Rule;
constexpr SettingField kByRule{};  // the rule names its fields

constexpr SettingRow kRows[] = {
    {keys::kTime, defaults::kTime, FreeHours, kByRule, Ctl::Combo1, kPageTime, 1},
    {keys::kNic, defaults::kNic, CardTimes, kByRule, Ctl::Combo3, kPageNic, 1},
    {keys::kReboot, defaults::kReboot, RebootTimes, kByRule, Ctl::lstReboot, kPageModem, 1},
    {keys::kFrmTop, "0", DialogTop, &S::DialogTop, std::nullopt, kPageMisc, 6},
    {keys::kFrmLeft, "0", DialogLeft, &S::DialogLeft, std::nullopt, kPageMisc, 7},
    {keys::kPingInterval, defaults::kPingInterval, Interval, &S::PingInterval, Ctl::txtInterval,
     kPageConnectivity, 2},
    {keys::kPingUrls, defaults::kPingUrls, PingUrls, kByRule, Ctl::lstUrls, kPageConnectivity, 1},
    {keys::kShutAt, defaults::kShutAt, ShutAt, kByRule, Ctl::Combo9, kPageMisc, 2},
    {keys::kShutDuring, defaults::kShutDuring, ShutDuring, kByRule, Ctl::Combo11, kPageMisc, 4},
    {keys::kSrvShutAt, "0", ShutAtBox, &S::SrvShutAt, Ctl::Check1, kPageMisc, 1},
    {keys::kSrvShutDuring, "0", ShutDuringBox, &S::SrvShutDuring, Ctl::Check6, kPageMisc, 3},
    {keys::kSrvNicDuringN, "0", Box, &S::SrvNicDuringN, Ctl::Check7, kPageNic, 3},
    {keys::kSrvNicDuringD, "0", Box, &S::SrvNicDuringD, Ctl::Check8, kPageNic, 4},
    {keys::kSrvModemFail, "0", Box, &S::SrvModemFail, Ctl::Check9, kPageModem, 3},
    {keys::kSrvStartup, "0", StartupBox, &S::SrvStartup, Ctl::Check2, kPageMisc, 5},
    {keys::kSrvNicAt, "0", Box, &S::SrvNicAt, Ctl::Check3, kPageNic, 2},
    {keys::kSrvModem, "0", Box, &S::SrvModem, Ctl::Check4, kPageModem, 2},
    {keys::kSrvPing, "0", Box, &S::SrvPing, Ctl::Check5, kPageConnectivity, 3},
    // Read last, so that a faulty value here leaves every older key loaded.
    {keys::kRebootLimit, defaults::kRebootLimit, RebootLimit, kByRule, Ctl::txtRebootLimit,
     kPageConnectivity, 4},
    {keys::kRebootGrace, defaults::kRebootGrace, RebootGrace, &S::RebootGraceMinutes,
     Ctl::txtRebootGrace, kPageConnectivity, 5},
    {keys::kSrvAwake, defaults::kSrvAwake, Box, &S::SrvAwake, Ctl::Check10, kPageTime, 2},
    {keys::kSrvWake, defaults::kSrvWake, Box, &S::SrvWake, Ctl::Check11, kPageTime, 3},
};

}  // namespace

std::span<const SettingRow> SettingRows() {
    return kRows;
}

}  // namespace qv
