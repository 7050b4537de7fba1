// GetSettings over a store of arbitrary texts. The input is cut at 0x1E into one piece per key,
// in the order the load reads them: a piece "v..." stores the text after the v, "x" makes the
// store itself fail on that key, anything else (or no piece) leaves the key without a value.
//
// Every input must end in a full load with nothing logged, or in exactly one
// "GetSettings Unknown Error : " line with the error state, where the fields assigned before
// the failure hold their new values and all later fields their old ones. Which fields were
// assigned is told by loading twice over records that start with different values.
#include <algorithm>
#include <array>

#include "actions/Text.h"
#include "settings/GetSettings.h"
#include "settings/LeadingNumber.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

constexpr std::array<const char*, 18> kKeys = {
    "Time",          "NIC",          "Reboot",     "frmTop",    "frmLeft",       "PingInterval",
    "PingUrls",      "ShutAt",       "ShutDuring", "SrvShutAt", "SrvShutDuring", "SrvNicDuringN",
    "SrvNicDuringD", "SrvModemFail", "SrvStartup", "SrvNicAt",  "SrvModem",      "SrvPing"};

// Distinct start values for every field; variant 0 and 1 differ in every field.
void Preset(qv::Settings& s, int variant) {
    int32_t base = variant ? -900000 : 900000;
    int32_t* numbers[] = {&s.FreeStartHour,  &s.FreeEndHour,  &s.NicOnHour,    &s.NicOnMinute,
                          &s.NicOffHour,     &s.NicOffMinute, &s.DialogTop,    &s.DialogLeft,
                          &s.PingInterval,   &s.ShutAtHour,   &s.ShutAtMinute, &s.ShutFromHour,
                          &s.ShutFromMinute, &s.ShutToHour,   &s.ShutToMinute};
    for (int32_t* n : numbers)
        *n = base++;
    s.RebootTimes = {variant ? "old reboot B" : "old reboot A"};
    s.PingUrlList = {variant ? "old page B" : "old page A"};
    bool* switches[] = {&s.SrvShutAt,     &s.SrvShutDuring, &s.SrvNicDuringN,
                        &s.SrvNicDuringD, &s.SrvModemFail,  &s.SrvStartup,
                        &s.SrvNicAt,      &s.SrvModem,      &s.SrvPing};
    for (bool* b : switches)
        *b = variant != 0;
}

std::string Join(const std::vector<std::string>& list) {
    std::string out = std::to_string(list.size());
    for (const auto& item : list)
        out += '\x1f' + item;
    return out;
}

// The fields as texts, in the order GetSettings assigns them.
std::vector<std::string> Fields(const qv::Settings& s) {
    auto n = [](int32_t v) { return std::to_string(v); };
    auto b = [](bool v) { return std::string(v ? "1" : "0"); };
    return {n(s.FreeStartHour), n(s.FreeEndHour),  n(s.NicOnHour),      n(s.NicOnMinute),
            n(s.NicOffHour),    n(s.NicOffMinute), Join(s.RebootTimes), n(s.DialogTop),
            n(s.DialogLeft),    n(s.PingInterval), Join(s.PingUrlList), n(s.ShutAtHour),
            n(s.ShutAtMinute),  n(s.ShutFromHour), n(s.ShutFromMinute), n(s.ShutToHour),
            n(s.ShutToMinute),  b(s.SrvShutAt),    b(s.SrvShutDuring),  b(s.SrvNicDuringN),
            b(s.SrvNicDuringD), b(s.SrvModemFail), b(s.SrvStartup),     b(s.SrvNicAt),
            b(s.SrvModem),      b(s.SrvPing)};
}

struct Outcome {
    std::vector<std::string> fields;
    std::vector<std::string> log;
    int32_t iconState;
    std::vector<std::string> homePages;
    std::vector<std::string> pages;
};

Outcome Load(const std::vector<std::string>& pieces, int variant) {
    qv::test::TestApp t;
    t.InitPaths();
    for (size_t i = 0; i < kKeys.size() && i < pieces.size(); ++i) {
        const std::string& piece = pieces[i];
        if (!piece.empty() && piece[0] == 'v')
            t.store.Put(kKeys[i], piece.substr(1));
        else if (piece == "x")
            t.store.failReadsOf.insert(kKeys[i]);
    }
    Preset(t.app.settings, variant);
    t.app.IconState = 1;
    qv::GetSettings(t.app.settingsAccess);
    return {Fields(t.app.settings),
            t.LogMessages(),
            t.app.IconState,
            {t.app.paths.HomePageUrls.begin(), t.app.paths.HomePageUrls.end()},
            t.app.settings.PingUrlList};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return qv::fuzz::Run([&] {
        const std::vector<std::string> pieces = qv::SplitText(qv::fuzz::Text(data, size), '\x1e');
        const Outcome a = Load(pieces, 0);
        const Outcome b = Load(pieces, 1);
        QV_FUZZ_CHECK(a.log == b.log);
        QV_FUZZ_CHECK(a.log.size() <= 1);

        // A field was assigned exactly when both loads agree on it.
        size_t assigned = 0;
        while (assigned < a.fields.size() && a.fields[assigned] == b.fields[assigned])
            ++assigned;
        for (size_t i = assigned; i < a.fields.size(); ++i)
            QV_FUZZ_CHECK(a.fields[i] != b.fields[i]);

        if (a.log.empty()) {
            QV_FUZZ_CHECK(assigned == a.fields.size());
            QV_FUZZ_CHECK(a.iconState != 5);
            // The page list always begins with the three built-in pages.
            QV_FUZZ_CHECK(a.pages.size() >= 3);
            QV_FUZZ_CHECK(std::equal(a.homePages.begin(), a.homePages.end(), a.pages.begin()));
        } else {
            const std::string prefix = "GetSettings Unknown Error : ";
            const std::string& line = a.log[0];
            QV_FUZZ_CHECK(line.rfind(prefix, 0) == 0);
            const std::string number = line.substr(prefix.size());
            QV_FUZZ_CHECK(number == "5" || number == "6" || number == "9");
            QV_FUZZ_CHECK(assigned < a.fields.size());
            QV_FUZZ_CHECK(a.iconState == 5 && b.iconState == 5);
        }
    });
}
