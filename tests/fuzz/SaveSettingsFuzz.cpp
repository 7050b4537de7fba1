// SaveSettings over arbitrary contents of the dialog's controls. The input is cut at 0x1E:
// piece 0 holds the circumstances (byte 0 bit 0 or 1: the Run key cannot be written; byte 1:
// the number of the store write that fails, counted from 1, 0 for none), pieces 1 to 14 the
// texts of Combo1 to Combo14 as typed, piece 15 the interval box as typed, piece 16 one byte
// per check box Check1 to Check9 (its value is the byte mod 3), pieces 17 and 18 the entries
// of lstReboot and lstUrls, cut at 0x1F.
//
// Every input must end in a save (no message, the dialog closed, frmLeft the last of at least
// 14 keys written: a rejected shutdown time holds back two) or in the fatal message with the
// dialog still open and nothing written after the write that failed. Either way the store must
// load again without an error and hold only hours and minutes within their ranges, and a Run
// key that cannot be written leaves SrvStartup "0".
#include "settings/GetSettings.h"
#include "settings/SaveSettings.h"
#include "settings/TimeSet.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// A store whose n-th write fails.
class FailingStore : public qv::test::FakeStore {
  public:
    size_t failAt = 0, writes = 0;
    void Write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& text) override {
        if (++writes == failAt)
            throw qv::StoreError("write failed: " + key);
        FakeStore::Write(application, section, key, text);
    }
};

}  // namespace

QV_FUZZ_TARGET(input) {
    const std::vector<std::string> pieces = qv::fuzz::Pieces(input, '\x1e', 19);
    qv::test::TestApp t;
    FailingStore store;
    qv::Platform platform = t.Compose({.store = &store});
    qv::App app{platform};
    app.SetActions(t.actions);
    qv::InitGlobals(app);
    t.InitPaths();  // the same paths, for reading the log
    qv::GetSettings(app.settingsAccess);
    qv::TimeSet dialog{app.dialogContext};
    dialog.Form_Load();
    dialog.ControlInit();
    for (int i = 1; i <= 14; ++i)
        dialog.UserText(*qv::CtlNamed("Combo" + std::to_string(i)), pieces[i]);
    dialog.UserText(qv::Ctl::txtInterval, pieces[15]);
    for (size_t i = 0; i < 9; ++i)
        dialog.UserCheck(*qv::CtlNamed("Check" + std::to_string(i + 1)),
                         i < pieces[16].size() ? static_cast<unsigned char>(pieces[16][i]) % 3 : 0);
    for (auto [list, piece] :
         {std::pair{qv::Ctl::lstReboot, 17}, std::pair{qv::Ctl::lstUrls, 18}}) {
        dialog.ClearItems(list);
        for (const std::string& item : qv::SplitText(pieces[piece], '\x1f'))
            dialog.AddItem(list, item);
    }
    t.registry.denyWrites = !pieces[0].empty() && (pieces[0][0] & 3);
    store.failAt = pieces[0].size() > 1 ? static_cast<unsigned char>(pieces[0][1]) : 0;
    t.ui.messages.clear();
    const bool startup = dialog.Get(qv::Ctl::Check2).value == 1;

    dialog.Click(qv::Ctl::CmdTimeOK);

    if (!t.ui.messages.empty()) {
        QV_FUZZ_CHECK(t.ui.messages == std::vector<std::string>{qv::kFatalSaveMessage});
        QV_FUZZ_CHECK(dialog.Loaded() && store.failAt != 0 && store.writes == store.failAt);
        QV_FUZZ_CHECK(store.writtenKeys.size() == store.failAt - 1);
    } else {
        QV_FUZZ_CHECK(!dialog.Loaded() && (store.failAt == 0 || store.failAt > store.writes));
        QV_FUZZ_CHECK(store.writtenKeys.size() >= 14 && store.writtenKeys.back() == "frmLeft");
    }
    const std::vector<std::string> log = t.LogMessages();
    for (const std::string& line : log)
        QV_FUZZ_CHECK(line == qv::kRegistryWriteFailed);
    if (t.ui.messages.empty() && startup && t.registry.denyWrites)
        QV_FUZZ_CHECK(store.Get("SrvStartup") == std::optional<std::string>("0") &&
                      log.size() == 1 && app.IconState == 5);

    // Whatever was written loads again, with every time in its range.
    t.files.files.clear();
    qv::GetSettings(app.settingsAccess);
    QV_FUZZ_CHECK(t.LogMessages().empty());
    const qv::Settings& s = app.settings;
    for (int32_t hour : {s.FreeStartHour, s.FreeEndHour, s.NicOnHour, s.NicOffHour, s.ShutAtHour,
                         s.ShutFromHour, s.ShutToHour})
        QV_FUZZ_CHECK(hour >= 0 && hour <= 23);
    for (int32_t minute :
         {s.NicOnMinute, s.NicOffMinute, s.ShutAtMinute, s.ShutFromMinute, s.ShutToMinute})
        QV_FUZZ_CHECK(minute >= 0 && minute <= 59);
    QV_FUZZ_CHECK(s.PingInterval >= 0 && s.PingInterval <= 60);
}
