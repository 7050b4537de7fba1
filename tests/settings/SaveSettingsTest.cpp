#include <gtest/gtest.h>

#include "actions/Registry.h"
#include "settings/GetSettings.h"
#include "actions/NumberText.h"
#include "settings/SaveSettings.h"
#include "settings/TimeSet.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

using Items = std::vector<std::string>;

const Items kAllKeys = {"Time",          "NIC",          "SrvNicAt", "SrvNicDuringN",
                        "SrvNicDuringD", "Reboot",       "SrvModem", "SrvModemFail",
                        "PingUrls",      "PingInterval", "SrvPing",  "SrvShutAt",
                        "SrvShutDuring", "SrvStartup",   "frmTop",   "frmLeft"};

class SaveSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        t.InitPaths();
        GetSettings(t.app.settingsAccess);
        d.Form_Load();
        d.ControlInit();
        t.actions.calls.clear();
    }
    void Ok() { d.Click(Ctl::CmdTimeOK); }
    std::string Stored(const std::string& key) { return t.store.Get(key).value_or("<none>"); }
    Items Stored(const Items& keys) {
        Items values;
        for (const std::string& key : keys)
            values.push_back(Stored(key));
        return values;
    }

    test::TestApp t;
    TimeSet d{t.app.dialogContext};
};

TEST_F(SaveSettingsTest, StoresEveryPageInOrderAndCloses) {
    t.registry.runValues["Quorvane"] = "C:\\Quorvane.exe /S";
    d.MovedTo(1440, 2880);
    d.Click(Ctl::CmdMiscOK);
    EXPECT_EQ(t.store.writtenKeys, kAllKeys);  // ShutAt and ShutDuring stay as stored
    EXPECT_EQ(Stored({"Time", "NIC", "Reboot", "PingUrls", "PingInterval", "SrvPing", "SrvStartup",
                      "frmTop", "frmLeft"}),
              (Items{"2,8", "1:59,7:58", "02:01,02:03,02:05,07:53,07:55,07:57", defaults::kPingUrls,
                     "50", "0", "0", "1440", "2880"}));
    EXPECT_TRUE(t.registry.runValues.empty());  // the Run value was deleted
    EXPECT_EQ(t.actions.calls, Items{"ArmServiceTimers"});
    EXPECT_FALSE(d.Loaded());
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(SaveSettingsTest, NewValuesReachTheStoreAndTheRecordFollowsIt) {
    d.UserSelect(Ctl::Combo1, 22);
    d.UserSelect(Ctl::Combo2, 6);
    d.UserText(Ctl::Combo3, "0");
    d.UserText(Ctl::Combo4, "5");
    d.UserCheck(Ctl::Check1, 1);
    d.UserText(Ctl::Combo9, "8");
    d.UserText(Ctl::Combo10, "0");
    d.UserCheck(Ctl::Check6, 1);
    d.UserText(Ctl::Combo11, "23");
    d.UserText(Ctl::Combo12, "1");
    d.UserText(Ctl::Combo13, "1");
    d.UserText(Ctl::Combo14, "0");
    d.UserCheck(Ctl::Check5, 1);
    d.UserCheck(Ctl::Check7, 2);  // greyed counts as clear
    d.UserText(Ctl::txtInterval, "");
    d.ClearItems(Ctl::lstReboot);
    for (int i = 5; i > 2; --i)  // leaves only the home pages
        d.RemoveItem(Ctl::lstUrls, i - 1);
    Ok();
    EXPECT_EQ(Stored({"Time", "NIC", "ShutAt", "SrvShutAt", "ShutDuring", "SrvShutDuring",
                      "SrvNicDuringN", "Reboot", "PingUrls", "PingInterval"}),
              (Items{"22,6", "0:5,7:58", "08:00", "1", "23:01-01:00", "1", "0", "", "", "0"}));
    const Settings& s = t.app.settings;
    EXPECT_EQ(s.FreeStartHour, 22);
    EXPECT_EQ(s.NicOnMinute, 5);
    EXPECT_TRUE(s.SrvPing);
    EXPECT_EQ(s.ShutFromHour, 23);
    EXPECT_TRUE(s.RebootTimes.empty());
    EXPECT_EQ(s.PingUrlList.size(), 3u);
}

TEST_F(SaveSettingsTest, HoursAreJudgedAsReadAndStoredWhole) {
    struct Case {
        const char* box;
        int32_t hour;  // what the start hour ends as
    };
    for (const Case& c : {Case{"24", 2}, Case{"-1", 2}, Case{"7.6", 8}, Case{"23.2", 2},
                          Case{"23.4", 2}, Case{"0.4", 0}, Case{"", 0}, Case{"x", 0}}) {
        test::TestApp app;
        app.InitPaths();
        GetSettings(app.app.settingsAccess);
        TimeSet dialog(app.app.dialogContext);
        dialog.Form_Load();
        dialog.ControlInit();
        dialog.UserText(Ctl::Combo1, c.box);
        SaveSettings(app.app.dialogContext, dialog);
        EXPECT_EQ(app.store.Get("Time"), std::to_string(c.hour) + ",8") << c.box;
        EXPECT_EQ(dialog.Text(Ctl::Label6), TwoDigits(c.hour)) << c.box;
        EXPECT_TRUE(app.ui.messages.empty());
    }
}

TEST_F(SaveSettingsTest, AnOutOfRangeMinuteHoldsBackItsPairOnly) {
    d.UserText(Ctl::Combo3, "5");
    d.UserText(Ctl::Combo4, "60");  // enable pair refused as a whole
    d.UserText(Ctl::Combo5, "6");
    d.UserText(Ctl::Combo6, "30");
    Ok();
    EXPECT_EQ(Stored("NIC"), "1:59,6:30");
    EXPECT_EQ(d.Text(Ctl::Label14), "01:59");
    EXPECT_EQ(d.Text(Ctl::Label15), "06:30");
}

TEST_F(SaveSettingsTest, RejectedShutdownTimesWriteNeitherKey) {
    t.store.Put("SrvShutAt", "0");
    t.store.Put("ShutAt", "08:00");
    t.store.Put("SrvShutDuring", "0");
    t.store.Put("ShutDuring", "08:01-09:00");
    d.UserCheck(Ctl::Check1, 1);
    d.UserText(Ctl::Combo10, "75");
    d.UserCheck(Ctl::Check6, 1);
    d.UserText(Ctl::Combo12, "-5");
    Ok();
    EXPECT_EQ(Stored({"SrvShutAt", "ShutAt", "SrvShutDuring", "ShutDuring"}),
              (Items{"0", "08:00", "0", "08:01-09:00"}));
    for (const char* key : {"SrvShutAt", "ShutAt", "SrvShutDuring", "ShutDuring"})
        EXPECT_EQ(std::count(t.store.writtenKeys.begin(), t.store.writtenKeys.end(), key), 0);
    EXPECT_FALSE(t.app.settings.SrvShutAt);
}

TEST_F(SaveSettingsTest, PickerWithoutAnEntryKeepsTheStoredValue) {
    t.store.Put("ShutAt", "30:00");
    t.store.Put("SrvShutAt", "1");
    GetSettings(t.app.settingsAccess);
    TimeSet dialog(t.app.dialogContext);
    dialog.Form_Load();
    dialog.ControlInit();
    SaveSettings(t.app.dialogContext, dialog);
    EXPECT_EQ(Stored("ShutAt"), "30:00");
    EXPECT_EQ(Stored("SrvShutAt"), "1");
}

TEST_F(SaveSettingsTest, StartWithWindowsWritesTheRunValueAndARefusalIsLoggedOnly) {
    for (bool refused : {false, true}) {
        test::TestApp a;
        a.InitPaths();
        GetSettings(a.app.settingsAccess);
        TimeSet dialog(a.app.dialogContext);
        dialog.Form_Load();
        dialog.ControlInit();
        a.registry.denyWrites = refused;
        dialog.UserCheck(Ctl::Check2, 1);
        dialog.Click(Ctl::CmdMiscOK);
        EXPECT_EQ(a.store.Get("SrvStartup"), refused ? "0" : "1");
        EXPECT_EQ(a.app.settings.SrvStartup, !refused);
        using Values = std::map<std::string, std::string>;
        const Values written = {{"Quorvane", a.app.paths.ExePath + " /S"}};
        EXPECT_EQ(a.registry.runValues, refused ? Values{} : written);
        EXPECT_EQ(a.app.IconState, refused ? 5 : 0);
        EXPECT_EQ(a.LogMessages(), refused ? Items{kRegistryWriteFailed} : Items{});
        EXPECT_FALSE(dialog.Loaded());
        EXPECT_EQ(a.store.Get("frmLeft"), "0");
        EXPECT_TRUE(a.ui.messages.empty());
    }
}

TEST_F(SaveSettingsTest, FailingStoreWriteStopsTheSaveAndKeepsTheDialogOpen) {
    t.store.failWritesOf = {"PingInterval"};
    t.registry.runValues["Quorvane"] = "C:\\Quorvane.exe /S";
    d.UserSelect(Ctl::Combo1, 5);
    d.UserCheck(Ctl::Check5, 1);
    Ok();
    EXPECT_EQ(t.store.writtenKeys, Items(kAllKeys.begin(), kAllKeys.begin() + 9));
    EXPECT_EQ(Stored("Time"), "5,8");
    EXPECT_FALSE(t.store.Get("SrvPing"));
    EXPECT_FALSE(t.store.Get("frmTop"));
    EXPECT_EQ(t.ui.messages, Items{kFatalSaveMessage});
    EXPECT_EQ(t.ui.captions, Items{"Quorvane"});
    EXPECT_TRUE(d.Loaded());
    EXPECT_TRUE(t.actions.calls.empty());
    EXPECT_EQ(t.app.settings.FreeStartHour, 5);  // until the dialog closes
    EXPECT_EQ(t.registry.runValues.size(), 1u);
}

TEST_F(SaveSettingsTest, FaultInsideTheRunKeyRoutinesIsFatal) {
    t.registry.failDeletes = true;
    Ok();
    EXPECT_EQ(t.ui.messages, Items{kFatalSaveMessage});
    EXPECT_EQ(t.store.writtenKeys.back(), "SrvStartup");
    EXPECT_TRUE(d.Loaded());
}

TEST_F(SaveSettingsTest, EventsDuringAYieldDoNotStartASecondSave) {
    bool nested = false;
    t.ui.onPump = [&] {
        if (nested)
            return;
        nested = true;
        d.Click(Ctl::CmdNicOK);  // a second OK
        d.Form_Unload();         // and the close box
    };
    Ok();
    EXPECT_EQ(t.store.writtenKeys, kAllKeys);
    EXPECT_EQ(t.actions.calls, Items{"ArmServiceTimers"});
    EXPECT_FALSE(d.Loaded());
}

}  // namespace
}  // namespace qv
