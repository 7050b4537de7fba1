#include <gtest/gtest.h>

#include "settings/GetSettings.h"
#include "actions/NumberText.h"
#include "settings/TimeSet.h"
#include "settings/Twips.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

using Items = std::vector<std::string>;

// Records what the dialog tells its window.
class RecordingView : public TimeSetView {
  public:
    std::vector<std::string> events;
    void ControlChanged(const Control& c) override { events.push_back(c.name + "=" + c.text); }
    void EnableInput(bool enabled) override { events.push_back(enabled ? "enable" : "disable"); }
    void CloseWindow() override { events.push_back("close"); }
};

class TimeSetTest : public ::testing::Test {
  protected:
    void SetUp() override { t.InitPaths(); }
    // Loads the record from the store, then opens the dialog as the tray does.
    void Open() {
        GetSettings(t.app.settingsAccess);
        d.Form_Load();
        d.ControlInit();
        t.actions.calls.clear();
    }
    const Items& Home() {
        static Items home;
        home.assign(t.app.paths.HomePageUrls.begin(), t.app.paths.HomePageUrls.end());
        return home;
    }

    test::TestApp t;
    TimeSet d{t.app};
};

TEST_F(TimeSetTest, PickersHoldTheirEntriesAtTheirNumbers) {
    Open();
    for (const Control& c : d.Controls()) {
        if (!c.IsPicker())
            continue;
        ASSERT_EQ(c.items.size(), c.kind == ControlKind::HourPicker ? 24u : 60u) << c.name;
        for (size_t n = 0; n < c.items.size(); ++n)
            EXPECT_EQ(c.items[n], TwoDigits(static_cast<double>(n))) << c.name;
    }
}

TEST_F(TimeSetTest, FillsTheFivePagesFromTheRecord) {
    t.store.Put("Time", "7,13");
    t.store.Put("Reboot", "07:55,02:01,02:03");
    t.store.Put("PingUrls", "http://a.test/,http://b.test/");
    t.store.Put("PingInterval", "45");
    t.store.Put("ShutAt", "23:05");
    t.store.Put("ShutDuring", "08:30-08:45");
    t.store.Put("SrvModem", "1");
    t.store.Put("SrvPing", "1");
    Open();

    EXPECT_EQ(d.Text("Combo1"), "07");
    EXPECT_EQ(d.Get("Combo1").selected, 7);
    EXPECT_EQ(d.Text("Label6"), "07");
    EXPECT_EQ(d.Text("Combo2"), "13");
    EXPECT_EQ(d.Text("Label8"), "13");
    EXPECT_EQ(d.Text("Combo3"), "01");
    EXPECT_EQ(d.Text("Combo4"), "59");
    EXPECT_EQ(d.Text("Label14"), "01:59");
    EXPECT_EQ(d.Text("Label15"), "07:58");
    // The reboot-time picker starts at the free window's first hour, minute 00.
    EXPECT_EQ(d.Text("Combo7"), "07");
    EXPECT_EQ(d.Text("Combo8"), "00");
    EXPECT_EQ(d.Get("lstReboot").items, (Items{"07:55", "02:01", "02:03"}));
    Items urls = Home();
    urls.insert(urls.end(), {"http://a.test/", "http://b.test/"});
    EXPECT_EQ(d.Get("lstUrls").items, urls);
    EXPECT_EQ(d.Text("txtInterval"), "45");
    EXPECT_EQ(d.Text("lblInterval"), "Current Setting is 45 Seconds.");
    EXPECT_EQ(d.Text("txtUrl"), Home()[0]);
    EXPECT_EQ(d.Text("Combo9"), "23");
    EXPECT_EQ(d.Text("Combo10"), "05");
    EXPECT_EQ(d.Text("Combo11") + d.Text("Combo12") + d.Text("Combo13") + d.Text("Combo14"),
              "08300845");
    for (int i = 1; i <= 9; ++i) {
        std::string box = "Check" + std::to_string(i);
        EXPECT_EQ(d.Get(box).value, (i == 4 || i == 5) ? 1 : 0) << box;
    }
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(TimeSetTest, EmptyListsAndAPickerValueWithoutAnEntry) {
    t.store.Put("Reboot", "");
    t.store.Put("PingUrls", "");
    t.store.Put("NIC", "30:00,7:75");
    Open();
    EXPECT_TRUE(d.Get("lstReboot").items.empty());
    EXPECT_EQ(d.Get("lstUrls").items, Home());
    // No entry to select: the picker shows the stored number itself.
    EXPECT_EQ(d.Get("Combo3").selected, -1);
    EXPECT_EQ(d.Text("Combo3"), "30");
    EXPECT_EQ(d.Text("Combo6"), "75");
    d.ControlInit();  // opening again does not double the lists
    EXPECT_EQ(d.Get("lstUrls").items, Home());
}

TEST_F(TimeSetTest, LoadPlacesTheWindowOnlyWithBothEdgesSaved) {
    t.store.Put("frmTop", "0");
    t.store.Put("frmLeft", "1440");
    Open();
    EXPECT_FALSE(d.placeAtSavedPosition);

    TimeSet placed(t.app);
    t.store.Put("frmTop", "720");
    GetSettings(t.app.settingsAccess);
    placed.Form_Load();
    EXPECT_TRUE(placed.placeAtSavedPosition);
    EXPECT_EQ(placed.position.top, 720);
    EXPECT_EQ(placed.position.left, 1440);
}

TEST(DialogPosition, TwipsAndPixelsConvertExactlyAndRoundTrip) {
    struct Row {
        int32_t dpi, pixels, twips;
    };
    // 1440 / dpi is 15, 10, 8.57 and 7.5 twips per pixel.
    for (const Row& r : {Row{96, 100, 1500}, Row{144, 100, 1000}, Row{168, 100, 857},
                         Row{168, 7, 60}, Row{192, 100, 750}, Row{192, 3, 23}, Row{192, -3, -23}}) {
        EXPECT_EQ(PixelsToTwips(r.pixels, r.dpi), r.twips) << r.dpi << " " << r.pixels;
        EXPECT_EQ(TwipsToPixels(r.twips, r.dpi), r.pixels) << r.dpi << " " << r.twips;
    }
    for (int32_t dpi : {96, 120, 144, 168, 192}) {
        for (int32_t pixels = -50; pixels <= 4000; pixels += 7)
            ASSERT_EQ(TwipsToPixels(PixelsToTwips(pixels, dpi), dpi), pixels) << dpi;
    }
}

TEST_F(TimeSetTest, CommandFileReplacesTheSampleInBlue) {
    Open();
    EXPECT_EQ(d.Text("txtReboot"), CommandFileSample());
    EXPECT_EQ(d.Get("txtReboot").color, kBlack);
    EXPECT_EQ(t.actions.Count("ReadCommandFile:" + t.app.paths.CommandFilePath), 0);
    EXPECT_EQ(std::count(d.Text("txtReboot").begin(), d.Text("txtReboot").end(), '\n'), 12);

    t.files.files[t.app.paths.CommandFilePath] = "";  // empty: the sample stays
    TimeSet empty(t.app);
    empty.Form_Load();
    EXPECT_EQ(empty.Text("txtReboot"), CommandFileSample());
    EXPECT_TRUE(t.actions.calls.empty());

    t.files.files[t.app.paths.CommandFilePath] = "127.0.0.1 2323\nWAIT \"*\"\r\nSEND \"x\"";
    TimeSet loaded(t.app);
    loaded.Form_Load();
    EXPECT_EQ(loaded.Text("txtReboot"), "127.0.0.1 2323\nWAIT \"*\"\r\nSEND \"x\"\r\n");
    EXPECT_EQ(loaded.Get("txtReboot").color, kBlue);
    EXPECT_EQ(t.actions.calls, Items{"ReadCommandFile:" + t.app.paths.CommandFilePath});
}

TEST_F(TimeSetTest, IntervalRangeCheckRunsOnEveryChange) {
    Open();
    RecordingView view;
    d.AttachView(&view);
    // Typing 1, 0, 0: "1" and "10" pass, "100" is refused and replaced by "10".
    d.UserText("txtInterval", "1");
    d.UserText("txtInterval", "10");
    EXPECT_TRUE(t.ui.messages.empty());
    d.UserText("txtInterval", "100");
    EXPECT_EQ(t.ui.messages, Items{kIntervalRangeMessage});
    EXPECT_EQ(t.ui.captions, Items{"Quorvane"});
    EXPECT_EQ(d.Text("txtInterval"), "10");
    // The dialog is held while the message is open; the replacement passes the check again.
    EXPECT_EQ(view.events, (Items{"disable", "enable", "txtInterval=10"}));

    struct Case {
        const char* text;
        bool passes;
    };
    for (const Case& c :
         {Case{"60", true}, Case{"1", true}, Case{"60.5", true}, Case{"0.6", true}, Case{"", true},
          Case{"0", false}, Case{"61", false}, Case{"abc", false}, Case{"60.6", false},
          Case{"-5", false}, Case{"1e10", false}, Case{"99999999999", false}}) {
        t.ui.messages.clear();
        d.UserText("txtInterval", "5");
        d.UserText("txtInterval", c.text);
        EXPECT_EQ(t.ui.messages.size(), c.passes ? 0u : 1u) << c.text;
        EXPECT_EQ(d.Text("txtInterval"), c.passes ? c.text : "10") << c.text;
    }
}

TEST_F(TimeSetTest, StoredIntervalOutOfRangeIsReplacedButStillShown) {
    t.store.Put("PingInterval", "75");
    Open();
    EXPECT_EQ(t.ui.messages, Items{kIntervalRangeMessage});
    EXPECT_EQ(d.Text("txtInterval"), "10");
    EXPECT_EQ(d.Text("lblInterval"), "Current Setting is 75 Seconds.");
}

TEST_F(TimeSetTest, EnterStoresTheIntervalAtOnceAndSurvivesACloseWithoutOk) {
    Open();
    RecordingView view;
    d.AttachView(&view);
    d.UserText("txtInterval", "");  // Enter on an emptied box keeps the current interval
    d.KeyUp("txtInterval", kKeyEnter);
    EXPECT_EQ(d.Text("lblInterval"), "Current Setting is 50 Seconds.");
    d.UserText("txtInterval", "45");
    d.KeyUp("txtInterval", 65);  // not Enter
    EXPECT_FALSE(t.store.Get("PingInterval"));
    d.KeyUp("txtInterval", kKeyEnter);
    EXPECT_EQ(t.app.settings.PingInterval, 45);
    EXPECT_EQ(d.Text("lblInterval"), "Current Setting is 45 Seconds.");
    EXPECT_EQ(t.store.Get("PingInterval"), "45");

    // Other edits are thrown away by a close without OK; the record follows the store.
    d.UserText("Combo1", "05");
    d.UserCheck("Check5", 1);
    d.Click("CmdAddRbtTime");
    d.Form_Unload();
    EXPECT_EQ(t.actions.calls, Items{"ArmServiceTimers"});
    EXPECT_EQ(view.events.back(), "close");
    EXPECT_FALSE(d.Loaded());
    EXPECT_EQ(t.app.settings.PingInterval, 45);
    EXPECT_EQ(t.app.settings.FreeStartHour, 2);
    EXPECT_FALSE(t.app.settings.SrvPing);
    EXPECT_EQ(t.app.settings.RebootTimes.size(), 6u);
    EXPECT_EQ(t.store.writtenKeys, Items{"PingInterval"});
}

TEST_F(TimeSetTest, AddTimeAppendsWhatThePickersRead) {
    Open();
    t.app.settings.RebootTimes.clear();
    d.ClearItems("lstReboot");
    d.UserSelect("Combo7", 7);
    d.UserSelect("Combo8", 30);
    d.Click("CmdAddRbtTime");
    d.Click("CmdAddRbtTime");
    d.UserSelect("Combo8", 0);
    for (const char* hour : {"ab", "-3", "25"}) {
        d.UserText("Combo7", hour);
        d.Click("CmdAddRbtTime");
    }
    t.clock.decimalSeparator = ",";
    d.UserText("Combo7", "7.5");
    d.Click("CmdAddRbtTime");
    d.UserText("Combo8", "-1");
    d.Click("CmdAddRbtTime");
    EXPECT_EQ(d.Get("lstReboot").items, (Items{"07:30", "07:30", "00:00", "25:00", "07,5:00"}));
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(TimeSetTest, DeleteRemovesOnlyTheSelectedEntry) {
    Open();
    d.KeyUp("lstReboot", kKeyDelete);  // nothing selected
    EXPECT_EQ(d.Get("lstReboot").items.size(), 6u);
    d.UserSelect("lstReboot", 2);
    d.KeyUp("lstReboot", kKeyEnter);
    EXPECT_EQ(d.Get("lstReboot").items.size(), 6u);
    d.KeyUp("lstReboot", kKeyDelete);
    EXPECT_EQ(d.Get("lstReboot").items, (Items{"02:01", "02:03", "07:53", "07:55", "07:57"}));
    EXPECT_EQ(d.Get("lstReboot").selected, -1);

    for (int i = 0; i < 3; ++i) {  // the home pages stay
        d.UserSelect("lstUrls", i);
        d.KeyUp("lstUrls", kKeyDelete);
    }
    EXPECT_EQ(d.Get("lstUrls").items.size(), 5u);
    d.UserSelect("lstUrls", 4);
    d.KeyUp("lstUrls", kKeyDelete);
    EXPECT_EQ(d.Get("lstUrls").items.size(), 4u);
    EXPECT_EQ(d.Get("lstUrls").items.back(), "http://www.wikipedia.org/");
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(TimeSetTest, EnterInTheAddressBoxChecksAndAddsTheAddress) {
    Open();
    auto enter = [&](const std::string& text) {
        d.UserText("txtUrl", text);
        d.KeyUp("txtUrl", kKeyEnter);
    };
    enter("HTTP://Upper.test/");
    enter(Home()[1]);  // a home page adds nothing, silently
    EXPECT_TRUE(t.ui.messages.empty());
    enter("ftp://files.test/");
    enter("https://secure.test/");
    EXPECT_EQ(t.ui.messages, (Items{kInvalidUrlMessage, kInvalidUrlMessage}));
    enter("http://");  // nothing past the scheme is looked at
    d.UserText("txtUrl", "http://typed.test/");
    d.KeyUp("txtUrl", kKeyDelete);
    EXPECT_EQ(d.Get("lstUrls").items.size(), 7u);
    EXPECT_EQ(d.Get("lstUrls").items[5], "HTTP://Upper.test/");
    EXPECT_EQ(d.Get("lstUrls").items[6], "http://");
    EXPECT_EQ(d.Text("txtUrl"), "http://typed.test/");

    EXPECT_FALSE(t.app.diag.SavePages);
    enter("DEBUG");
    EXPECT_TRUE(t.app.diag.SavePages);
    EXPECT_EQ(t.ui.messages.back(), kInvalidUrlMessage);
    EXPECT_EQ(d.Get("lstUrls").items.size(), 7u);
}

TEST_F(TimeSetTest, ButtonsActAtOnce) {
    Open();
    d.Click("CmdConfigModem");  // no configuration program: nothing happens
    EXPECT_TRUE(t.process.started.empty());
    std::string program = "C:\\Program Files\\Quorvane\\Wirecall.exe";
    t.files.files[program] = "MZ";
    d.Click("CmdConfigModem");
    ASSERT_EQ(t.process.started.size(), 1u);
    EXPECT_EQ(t.process.started[0].first, "\"" + program + "\"");
    EXPECT_EQ(t.process.started[0].second, ShowCommand::Normal);

    d.Click("CmdNICenb");
    d.Click("CmdNICdis");
    EXPECT_EQ(t.actions.calls, (Items{"EnableNIC", "DisableNIC"}));
    d.Click("Label23");
    EXPECT_EQ(t.process.shellOpened, Items{std::string("mailto:") + kContactAddress});
    EXPECT_TRUE(t.ui.messages.empty());

    // Beside a program at a drive root.
    t.process.exePath = "D:\\Quorvane.exe";
    t.InitPaths();
    t.files.files["D:\\Wirecall.exe"] = "MZ";
    d.Click("CmdConfigModem");
    EXPECT_EQ(t.process.started.back().first, "\"D:\\Wirecall.exe\"");
}

TEST_F(TimeSetTest, HiddenDiagnostics) {
    Open();
    d.DblClick("Frame1");
    EXPECT_TRUE(t.app.diag.MinuteCountDisplay);
    d.DblClick("Frame1");
    EXPECT_FALSE(t.app.diag.MinuteCountDisplay);
    d.DblClick("Label17");
    EXPECT_TRUE(t.app.diag.ModemTrace);

    EXPECT_EQ(d.Get("Label19").color, kBlack);
    d.DblClick("Label19");
    EXPECT_TRUE(t.app.diag.FetchLog);
    EXPECT_EQ(d.Get("Label19").color, kRed);
    d.DblClick("Label19");
    EXPECT_FALSE(t.app.diag.FetchLog);
    EXPECT_EQ(d.Get("Label19").color, kRed);

    t.clock.Set(3, 0);
    d.DblClick("Label1");
    t.clock.Set(8, 0);
    d.DblClick("Label1");
    EXPECT_EQ(t.ui.messages, (Items{"FreeTime = True", "FreeTime = False"}));
    EXPECT_EQ(t.ui.captions, (Items{"Quorvane", "Quorvane"}));

    d.DblClick("Label2");
    EXPECT_EQ(t.actions.calls, Items{"StartTrayAnimation"});

    t.app.traffic.TotalBytesDownloaded = 1536;
    d.DblClick("lblInterval");
    EXPECT_EQ(t.LogMessages(), Items{"Total Data Downloaded for Connectivity : 1.5 KB."});

    // A double click on the command file reloads the record only.
    t.store.Put("Time", "4,9");
    d.DblClick("txtReboot");
    EXPECT_EQ(t.app.settings.FreeStartHour, 4);
    EXPECT_EQ(d.Text("Combo1"), "02");
    EXPECT_EQ(t.actions.calls, Items{"StartTrayAnimation"});
}

}  // namespace
}  // namespace qv
