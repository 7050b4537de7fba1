// SaveSettings over arbitrary contents of the dialog's controls. The input is cut at 0x1E:
// piece 0 holds the circumstances (byte 0 bit 0: the Run key cannot be opened, bit 1: it
// cannot be written; byte 1: the number of the store write that fails, counted from 1, 0 for
// none), pieces 1 to 14 the texts of Combo1 to Combo14 as typed, piece 15 the interval box as
// typed, piece 16 one byte per check box Check1 to Check9 (its value is the byte mod 3),
// pieces 17 and 18 the entries of lstReboot and lstUrls, cut at 0x1F.
//
// Every input must end in a save (no message, the dialog closed, frmLeft the last key written)
// (at least 14 keys: a rejected shutdown time holds back two) or in the fatal message with the
// dialog still open and nothing written after the write that failed. Either way the store must load
// again without an error and hold only hours and minutes within their ranges, and a Run key that
// cannot be written leaves SrvStartup "0".
#include <array>

#include "actions/Text.h"
#include "settings/GetSettings.h"
#include "settings/LeadingNumber.h"
#include "settings/SaveSettings.h"
#include "settings/TimeSet.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// A store whose n-th write fails.
class FailingStore : public qv::test::FakeStore {
  public:
    size_t failAt = 0;
    size_t writes = 0;
    void Write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& text) override {
        if (++writes == failAt)
            throw qv::StoreError("write failed: " + key);
        FakeStore::Write(application, section, key, text);
    }
};

const std::string& Piece(const std::vector<std::string>& pieces, size_t i) {
    static const std::string none;
    return i < pieces.size() ? pieces[i] : none;
}

bool Hour(int32_t h) {
    return h >= 0 && h <= 23;
}
bool Minute(int32_t m) {
    return m >= 0 && m <= 59;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return qv::fuzz::Run([&] {
        const std::vector<std::string> pieces = qv::SplitText(qv::fuzz::Text(data, size), '\x1e');
        const std::string& flags = Piece(pieces, 0);
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
            dialog.UserText(*qv::CtlNamed("Combo" + std::to_string(i)), Piece(pieces, i));
        dialog.UserText(qv::Ctl::txtInterval, Piece(pieces, 15));
        const std::string& checks = Piece(pieces, 16);
        for (size_t i = 0; i < 9; ++i) {
            const int value = i < checks.size() ? static_cast<unsigned char>(checks[i]) % 3 : 0;
            dialog.UserCheck(*qv::CtlNamed("Check" + std::to_string(i + 1)), value);
        }
        for (qv::Ctl list : {qv::Ctl::lstReboot, qv::Ctl::lstUrls}) {
            dialog.ClearItems(list);
            for (const std::string& item :
                 qv::SplitText(Piece(pieces, list == qv::Ctl::lstReboot ? 17 : 18), '\x1f'))
                dialog.AddItem(list, item);
        }
        t.registry.denyWrites = !flags.empty() && (flags[0] & 3);
        store.failAt = flags.size() > 1 ? static_cast<unsigned char>(flags[1]) : 0;
        t.ui.messages.clear();
        const bool startup = dialog.Get(qv::Ctl::Check2).value == 1;

        dialog.Click(qv::Ctl::CmdTimeOK);

        const bool fatal = !t.ui.messages.empty();
        if (fatal) {
            QV_FUZZ_CHECK(t.ui.messages == std::vector<std::string>{qv::kFatalSaveMessage});
            QV_FUZZ_CHECK(dialog.Loaded());
            QV_FUZZ_CHECK(store.failAt != 0 && store.writes == store.failAt);
            QV_FUZZ_CHECK(store.writtenKeys.size() == store.failAt - 1);
        } else {
            QV_FUZZ_CHECK(!dialog.Loaded());
            QV_FUZZ_CHECK(store.writtenKeys.size() >= 14 && store.writtenKeys.back() == "frmLeft");
            QV_FUZZ_CHECK(store.failAt == 0 || store.failAt > store.writes);
        }
        const std::vector<std::string> log = t.LogMessages();
        for (const std::string& line : log)
            QV_FUZZ_CHECK(line == qv::kRegistryWriteFailed);
        if (!fatal && startup && t.registry.denyWrites) {
            QV_FUZZ_CHECK(store.Get("SrvStartup") == std::optional<std::string>("0"));
            QV_FUZZ_CHECK(log.size() == 1 && app.IconState == 5);
        }

        // Whatever was written loads again, with every time in its range.
        t.files.files.clear();
        qv::GetSettings(app.settingsAccess);
        QV_FUZZ_CHECK(t.LogMessages().empty());
        const qv::Settings& s = app.settings;
        QV_FUZZ_CHECK(Hour(s.FreeStartHour) && Hour(s.FreeEndHour));
        QV_FUZZ_CHECK(Hour(s.NicOnHour) && Minute(s.NicOnMinute));
        QV_FUZZ_CHECK(Hour(s.NicOffHour) && Minute(s.NicOffMinute));
        QV_FUZZ_CHECK(Hour(s.ShutAtHour) && Minute(s.ShutAtMinute));
        QV_FUZZ_CHECK(Hour(s.ShutFromHour) && Minute(s.ShutFromMinute));
        QV_FUZZ_CHECK(Hour(s.ShutToHour) && Minute(s.ShutToMinute));
        QV_FUZZ_CHECK(s.PingInterval >= 0 && s.PingInterval <= 60);
    });
}
