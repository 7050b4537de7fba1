#include "settings/GetSettings.h"

#include "actions/EventLog.h"
#include "app/App.h"
#include "app/ProgramError.h"
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

void LoadAll(App& app) {
    Settings& s = app.settings;
    auto text = [&](const char* key, const char* def) { return GetSettingText(app, key, def); };

    auto time = SplitText(text(keys::kTime, defaults::kTime), ',');
    s.FreeStartHour = WholeNumber(Part(time, 1));
    s.FreeEndHour = WholeNumber(Part(time, 2));

    auto nic = SplitText(text(keys::kNic, defaults::kNic), ',');
    auto nicOn = SplitText(Part(nic, 1), ':');
    s.NicOnHour = WholeNumber(Part(nicOn, 1));
    s.NicOnMinute = WholeNumber(Part(nicOn, 2));
    auto nicOff = SplitText(Part(nic, 2), ':');
    s.NicOffHour = WholeNumber(Part(nicOff, 1));
    s.NicOffMinute = WholeNumber(Part(nicOff, 2));

    s.RebootTimes = SplitText(text(keys::kReboot, defaults::kReboot), ',');

    s.DialogTop = WholeNumber(text(keys::kFrmTop, "0"));
    s.DialogLeft = WholeNumber(text(keys::kFrmLeft, "0"));
    s.PingInterval = WholeNumber(text(keys::kPingInterval, defaults::kPingInterval));

    std::vector<std::string> urls(app.paths.HomePageUrls.begin(), app.paths.HomePageUrls.end());
    for (auto& part : SplitText(text(keys::kPingUrls, defaults::kPingUrls), ',')) {
        urls.push_back(std::move(part));
    }
    s.PingUrlList = std::move(urls);

    auto shutAt = SplitText(text(keys::kShutAt, defaults::kShutAt), ':');
    s.ShutAtHour = WholeNumber(Part(shutAt, 1));
    s.ShutAtMinute = WholeNumber(Part(shutAt, 2));

    auto during = SplitText(text(keys::kShutDuring, defaults::kShutDuring), '-');
    auto from = SplitText(Part(during, 1), ':');
    s.ShutFromHour = WholeNumber(Part(from, 1));
    s.ShutFromMinute = WholeNumber(Part(from, 2));
    auto to = SplitText(Part(during, 2), ':');
    s.ShutToHour = WholeNumber(Part(to, 1));
    s.ShutToMinute = WholeNumber(Part(to, 2));

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
}

}  // namespace

std::string GetSettingText(App& app, const std::string& key, const std::string& defaultText) {
    const std::string& name = app.paths.ExeBaseName;
    std::optional<std::string> stored = app.os.store.Read(name, name, key);
    return stored ? *stored : defaultText;
}

void SaveSettingText(App& app, const std::string& key, const std::string& text) {
    const std::string& name = app.paths.ExeBaseName;
    app.os.store.Write(name, name, key, text);
}

void GetSettings(App& app) {
    int number = 0;
    try {
        LoadAll(app);
        return;
    } catch (const ProgramError& e) {
        number = e.Number();
    } catch (const StoreError&) {
        number = kErrStore;
    } catch (const std::exception&) {
        number = kErrStore;
    }
    app.IconState = 5;
    WriteLog(app, "GetSettings Unknown Error : " + std::to_string(number));
}

}  // namespace qv
