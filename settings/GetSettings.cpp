#include "settings/GetSettings.h"

#include "actions/ProgramError.h"
#include "actions/Text.h"
#include "settings/LeadingNumber.h"
#include "settings/SettingsTable.h"

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

// Two "h:m" times parted by a separator, each number assigned as soon as it is read.
void LoadTwoTimes(const std::string& text, char separator, int32_t& hour1, int32_t& minute1,
                  int32_t& hour2, int32_t& minute2) {
    auto parts = SplitText(text, separator);
    LoadPair(Part(parts, 1), ':', hour1, minute1);
    LoadPair(Part(parts, 2), ':', hour2, minute2);
}

// A setting whose text has a rule of its own.
void LoadByRule(const SettingsAccess& access, Rule rule, const std::string& text) {
    Settings& s = access.settings;
    switch (rule) {
        case Rule::FreeHours:
            return LoadPair(text, ',', s.FreeStartHour, s.FreeEndHour);
        case Rule::CardTimes:
            return LoadTwoTimes(text, ',', s.NicOnHour, s.NicOnMinute, s.NicOffHour,
                                s.NicOffMinute);
        case Rule::RebootTimes:
            s.RebootTimes = SplitText(text, ',');
            return;
        case Rule::PingUrls: {
            std::vector<std::string> urls(access.paths.HomePageUrls.begin(),
                                          access.paths.HomePageUrls.end());
            for (auto& part : SplitText(text, ','))
                urls.push_back(std::move(part));
            s.PingUrlList = std::move(urls);
            return;
        }
        case Rule::ShutAt:
            return LoadPair(text, ':', s.ShutAtHour, s.ShutAtMinute);
        case Rule::ShutDuring:
            return LoadTwoTimes(text, '-', s.ShutFromHour, s.ShutFromMinute, s.ShutToHour,
                                s.ShutToMinute);
        case Rule::RebootLimit:
            return LoadRebootLimit(text, s);
        default:
            return;  // a flag or a whole number: the row names its field
    }
}

// Every setting in the table's order; a fault ends the reading where it happens.
void LoadAll(const SettingsAccess& access) {
    for (const SettingRow& row : SettingRows()) {
        const std::string text = GetSettingText(access, row.key, row.defaultText);
        if (row.field.flag != nullptr)
            access.settings.*row.field.flag = SwitchOn(text);
        else if (row.field.number != nullptr)
            access.settings.*row.field.number = WholeNumber(text);
        else
            LoadByRule(access, row.rule, text);
    }
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
