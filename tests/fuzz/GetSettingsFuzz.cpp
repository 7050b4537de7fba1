// GetSettings over a store of arbitrary texts. The input is cut at 0x1E into one piece per key,
// in the order the load reads them: a piece "v..." stores the text after the v, "x" makes the
// store itself fail on that key, anything else (or no piece) leaves the key without a value.
//
// Every input must end in a full load with nothing logged, or in exactly one
// "GetSettings Unknown Error : " line with the error state, where the fields assigned before
// the failure hold their new values and all later fields their old ones. Which fields were
// assigned is told by loading twice over records that start with different values.
#include <algorithm>
#include <type_traits>

#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

const char* const kKeys[] = {
    "Time",          "NIC",          "Reboot",     "frmTop",    "frmLeft",       "PingInterval",
    "PingUrls",      "ShutAt",       "ShutDuring", "SrvShutAt", "SrvShutDuring", "SrvNicDuringN",
    "SrvNicDuringD", "SrvModemFail", "SrvStartup", "SrvNicAt",  "SrvModem",      "SrvPing"};

// Every field of the record, in the order GetSettings assigns them.
template <typename Visit>
void EachField(qv::Settings& s, Visit visit) {
    for (auto* n : {&s.FreeStartHour, &s.FreeEndHour, &s.NicOnHour, &s.NicOnMinute, &s.NicOffHour,
                    &s.NicOffMinute})
        visit(*n);
    visit(s.RebootTimes);
    for (auto* n : {&s.DialogTop, &s.DialogLeft, &s.PingInterval})
        visit(*n);
    visit(s.PingUrlList);
    for (auto* n : {&s.ShutAtHour, &s.ShutAtMinute, &s.ShutFromHour, &s.ShutFromMinute,
                    &s.ShutToHour, &s.ShutToMinute})
        visit(*n);
    for (auto* b : {&s.SrvShutAt, &s.SrvShutDuring, &s.SrvNicDuringN, &s.SrvNicDuringD,
                    &s.SrvModemFail, &s.SrvStartup, &s.SrvNicAt, &s.SrvModem, &s.SrvPing})
        visit(*b);
}

struct Outcome {
    std::vector<std::string> fields, log;
    int32_t iconState;
    bool pagesFirst;  // the page list begins with the built-in pages
};

// Loads the store over a record whose every field differs between variant 0 and 1.
Outcome Load(const std::vector<std::string>& pieces, bool variant) {
    qv::test::TestApp t;
    t.InitPaths();
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        if (pieces[i] == "x")
            t.store.failReadsOf.insert(kKeys[i]);
        else if (!pieces[i].empty() && pieces[i][0] == 'v')
            t.store.Put(kKeys[i], pieces[i].substr(1));
    }
    int32_t next = variant ? -900000 : 900000;
    EachField(t.app.settings, [&](auto& field) {
        using Field = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, std::vector<std::string>>)
            field = {variant ? "old B" : "old A"};
        else if constexpr (std::is_same_v<Field, bool>)
            field = variant;
        else
            field = next++;
    });
    t.app.IconState = 1;
    qv::GetSettings(t.app.settingsAccess);
    Outcome out{{}, t.LogMessages(), t.app.IconState, false};
    EachField(t.app.settings, [&](const auto& field) {
        if constexpr (std::is_same_v<std::decay_t<decltype(field)>, std::vector<std::string>>) {
            std::string text = std::to_string(field.size());
            for (const std::string& item : field)
                text += '\x1f' + item;
            out.fields.push_back(text);
        } else {
            out.fields.push_back(std::to_string(field));
        }
    });
    const auto& pages = t.app.settings.PingUrlList;
    const auto& home = t.app.paths.HomePageUrls;
    out.pagesFirst = pages.size() >= std::size(home) &&
                     std::equal(std::begin(home), std::end(home), pages.begin());
    return out;
}

}  // namespace

QV_FUZZ_TARGET(input) {
    const std::vector<std::string> pieces = qv::fuzz::Pieces(input, '\x1e', std::size(kKeys));
    const Outcome a = Load(pieces, false), b = Load(pieces, true);
    QV_FUZZ_CHECK(a.log == b.log && a.log.size() <= 1 && a.iconState == b.iconState);
    // A field was assigned exactly when both loads agree on it.
    size_t assigned = 0;
    while (assigned < a.fields.size() && a.fields[assigned] == b.fields[assigned])
        ++assigned;
    for (size_t i = assigned; i < a.fields.size(); ++i)
        QV_FUZZ_CHECK(a.fields[i] != b.fields[i]);
    if (a.log.empty()) {
        QV_FUZZ_CHECK(assigned == a.fields.size() && a.iconState != 5 && a.pagesFirst);
        return;
    }
    const std::string number = a.log[0].substr(std::min(a.log[0].size(), size_t{28}));
    QV_FUZZ_CHECK(qv::fuzz::StartsWith(a.log[0], "GetSettings Unknown Error : "));
    QV_FUZZ_CHECK((number == "5" || number == "6" || number == "9") && a.iconState == 5);
    QV_FUZZ_CHECK(assigned < a.fields.size());
}
