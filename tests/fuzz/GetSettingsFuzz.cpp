// GetSettings over a store of arbitrary texts. The input is cut at 0x1E into one piece per key:
// "v..." stores the text after the v, "x" makes the store fail on that key, anything else
// leaves the key without a value. A load ends in full (nothing logged, the built-in pages
// first in the page list) or in one "GetSettings Unknown Error : " line with the error state.
#include <algorithm>

#include "actions/Text.h"
#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

QV_FUZZ_TARGET(input) {
    const char* const keys[] = {"Time",          "NIC",          "Reboot",        "frmTop",
                                "frmLeft",       "PingInterval", "PingUrls",      "ShutAt",
                                "ShutDuring",    "SrvShutAt",    "SrvShutDuring", "SrvNicDuringN",
                                "SrvNicDuringD", "SrvModemFail", "SrvStartup",    "SrvNicAt",
                                "SrvModem",      "SrvPing"};
    std::vector<std::string> pieces = qv::SplitText(input, '\x1e');
    pieces.resize(std::size(keys));
    qv::test::TestApp t;
    t.InitPaths();
    for (size_t i = 0; i < std::size(keys); ++i) {
        if (pieces[i] == "x")
            t.store.failReadsOf.insert(keys[i]);
        else if (!pieces[i].empty() && pieces[i][0] == 'v')
            t.store.Put(keys[i], pieces[i].substr(1));
    }
    t.app.IconState = 1;
    qv::GetSettings(t.app.settingsAccess);
    const std::vector<std::string> log = t.LogMessages();
    const auto& pages = t.app.settings.PingUrlList;
    const auto& home = t.app.paths.HomePageUrls;
    QV_FUZZ_CHECK(log.empty() ? t.app.IconState == 1 && pages.size() >= std::size(home) &&
                                    std::equal(std::begin(home), std::end(home), pages.begin())
                              : log.size() == 1 && t.app.IconState == 5 &&
                                    log[0].rfind("GetSettings Unknown Error : ", 0) == 0);
}
