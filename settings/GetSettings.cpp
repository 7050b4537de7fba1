#include "settings/GetSettings.h"

#include "actions/ProgramError.h"
#include "actions/Text.h"
#include "settings/LeadingNumber.h"

namespace qv {
namespace {

// The store failed for a reason of its own.
constexpr int kErrStore = 5;

// Part k (from 1) of a split text; a missing part is error 9.
const std::string& Part(const std::vector<std::string>& parts, size_t k) {
    if (k == 0 || k > parts.size())
        throw ProgramError(kErrSubscript);
    return parts[k - 1];
}

// Two whole numbers from the parts of a text split at a separator, each assigned as soon as it
// is read.
void LoadPair(const std::string& text, char separator, int32_t& first, int32_t& second) {
    auto parts = SplitText(text, separator);
    first = WholeNumber(Part(parts, 1));
    second = WholeNumber(Part(parts, 2));
}

// The pacing's "count,hours": a count above 0 comes with a rest of 1 to 24 hours, and one
// without ("3,0", "3") sets no limit. The record keeps a rest the dialog can show; nothing is
// assigned unless both numbers read.
void LoadRebootLimit(const std::string& text, Settings& s) {
    auto parts = SplitText(text, ',');
    const int32_t count = WholeNumber(Part(parts, 1));
    const int32_t hours = parts.size() >= 2 ? WholeNumber(parts[1]) : 0;
    const bool rests = hours >= 1 && hours <= 24;
    s.RebootLimitCount = rests ? count : 0;
    s.RebootLimitHours = rests ? hours : kUsualRebootRestHours;
}

void LoadAll(const SettingsAccess& access) {
    Settings& s = access.settings;
    auto text = [&](const char* key, const char* def) { return GetSettingText(access, key, def); };

    LoadPair(text(keys::kTime, defaults::kTime), ',', s.FreeStartHour, s.FreeEndHour);

    auto nic = SplitText(text(keys::kNic, defaults::kNic), ',');
    LoadPair(Part(nic, 1), ':', s.NicOnHour, s.NicOnMinute);
    LoadPair(Part(nic, 2), ':', s.NicOffHour, s.NicOffMinute);

    s.RebootTimes = SplitText(text(keys::kReboot, defaults::kReboot), ',');

    s.DialogTop = WholeNumber(text(keys::kFrmTop, "0"));
    s.DialogLeft = WholeNumber(text(keys::kFrmLeft, "0"));
    s.PingInterval = WholeNumber(text(keys::kPingInterval, defaults::kPingInterval));

    std::vector<std::string> urls(access.paths.HomePageUrls.begin(),
                                  access.paths.HomePageUrls.end());
    for (auto& part : SplitText(text(keys::kPingUrls, defaults::kPingUrls), ',')) {
        urls.push_back(std::move(part));
    }
    s.PingUrlList = std::move(urls);

    LoadPair(text(keys::kShutAt, defaults::kShutAt), ':', s.ShutAtHour, s.ShutAtMinute);

    auto during = SplitText(text(keys::kShutDuring, defaults::kShutDuring), '-');
    LoadPair(Part(during, 1), ':', s.ShutFromHour, s.ShutFromMinute);
    LoadPair(Part(during, 2), ':', s.ShutToHour, s.ShutToMinute);

    auto flag = [&](const char* key) { return SwitchOn(text(key, "0")); };
    s.SrvShutAt = flag(keys::kSrvShutAt);
    s.SrvShutDuring = flag(keys::kSrvShutDuring);
    s.SrvNicDuringN = flag(keys::kSrvNicDuringN);
    s.SrvNicDuringD = flag(keys::kSrvNicDuringD);
    s.SrvModemFail = flag(keys::kSrvModemFail);
    s.SrvStartup = flag(keys::kSrvStartup);
    s.SrvNicAt = flag(keys::kSrvNicAt);
    s.SrvModem = flag(keys::kSrvModem);
    s.SrvPing = flag(keys::kSrvPing);

    // Read last, so that a faulty value here leaves every older key loaded.
    LoadRebootLimit(text(keys::kRebootLimit, defaults::kRebootLimit), s);
    s.RebootGraceMinutes = WholeNumber(text(keys::kRebootGrace, defaults::kRebootGrace));
    s.SrvAwake = SwitchOn(text(keys::kSrvAwake, defaults::kSrvAwake));
    s.SrvWake = SwitchOn(text(keys::kSrvWake, defaults::kSrvWake));
}

}  // namespace

std::string GetSettingText(const SettingsAccess& access, const std::string& key,
                           const std::string& defaultText) {
    const std::string& name = access.paths.ExeBaseName;
    std::optional<std::string> stored = access.store.Read(name, name, key);
    return stored ? *stored : defaultText;
}

void SaveSettingText(const SettingsAccess& access, const std::string& key,
                     const std::string& text) {
    const std::string& name = access.paths.ExeBaseName;
    access.store.Write(name, name, key, text);
}

void GetSettings(const SettingsAccess& access) {
    int number = 0;
    try {
        LoadAll(access);
        return;
    } catch (const ProgramError& e) {
        number = e.Number();
    } catch (const StoreError&) {
        number = kErrStore;
    } catch (const std::exception&) {
        number = kErrStore;
    }
    access.log.ReportFailure("GetSettings Unknown Error : " + std::to_string(number));
}

}  // namespace qv
