#include <gtest/gtest.h>

#include "actions/NumberText.h"
#include "settings/GetSettings.h"
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
    void ControlChanged(const Control& c) override {
        events.push_back(CtlName(c.id) + ("=" + c.text));
    }
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
    Items Home() const {
        return {t.app.paths.HomePageUrls.begin(), t.app.paths.HomePageUrls.end()};
    }
    const Items& ItemsOf(Ctl id) const { return d.Get(id).items; }

    test::TestApp t;
    TimeSet d{t.app.dialogContext};
};

TEST_F(TimeSetTest, FillsTheFivePagesFromTheRecord) {
    for (auto [key, value] : {std::pair{"Time", "7,13"},
                              {"Reboot", "07:55,02:01,02:03"},
                              {"PingUrls", "http://a.test/,http://b.test/"},
                              {"PingInterval", "45"},
                              {"ShutAt", "23:05"},
                              {"ShutDuring", "08:30-08:45"},
                              {"SrvModem", "1"},
                              {"SrvPing", "1"}})
        t.store.Put(key, value);
    Open();
    std::string shown;
    for (Ctl id :
         {Ctl::Combo1, Ctl::Label6, Ctl::Combo2, Ctl::Label8, Ctl::Combo3, Ctl::Combo4,
          Ctl::Label14, Ctl::Label15, Ctl::Combo7, Ctl::Combo8, Ctl::txtInterval, Ctl::Combo9,
          Ctl::Combo10, Ctl::Combo11, Ctl::Combo12, Ctl::Combo13, Ctl::Combo14})
        shown += d.Text(id) + " ";
    // The reboot-time picker starts at the free window's first hour, minute 00.
    EXPECT_EQ(shown, "07 07 13 13 01 59 01:59 07:58 07 00 45 23 05 08 30 08 45 ");
    EXPECT_EQ(d.Get(Ctl::Combo1).selected, 7);
    EXPECT_EQ(d.Text(Ctl::lblInterval), "Current Setting is 45 Seconds.");
    EXPECT_EQ(d.Text(Ctl::txtUrl), Home()[0]);
    EXPECT_EQ(ItemsOf(Ctl::lstReboot), (Items{"07:55", "02:01", "02:03"}));
    Items urls = Home();
    urls.insert(urls.end(), {"http://a.test/", "http://b.test/"});
    EXPECT_EQ(ItemsOf(Ctl::lstUrls), urls);
    for (int i = 1; i <= 9; ++i) {
        const Ctl box = *CtlNamed("Check" + std::to_string(i));
        EXPECT_EQ(d.Get(box).value, (i == 4 || i == 5) ? 1 : 0) << CtlName(box);
    }
    for (const Control& c : d.Controls()) {
        if (!c.IsPicker())
            continue;
        ASSERT_EQ(c.items.size(), c.kind == ControlKind::HourPicker ? 24u : 60u) << CtlName(c.id);
        for (size_t n = 0; n < c.items.size(); ++n)
            EXPECT_EQ(c.items[n], TwoDigits(static_cast<double>(n))) << CtlName(c.id);
    }
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(TimeSetTest, EmptyListsAndAPickerValueWithoutAnEntry) {
    t.store.Put("Reboot", "");
    t.store.Put("PingUrls", "");
    t.store.Put("NIC", "30:00,7:75");
    Open();
    EXPECT_TRUE(ItemsOf(Ctl::lstReboot).empty());
    // No entry to select: the picker shows the stored number itself.
    EXPECT_EQ(d.Get(Ctl::Combo3).selected, -1);
    EXPECT_EQ(d.Text(Ctl::Combo3) + d.Text(Ctl::Combo6), "3075");
    d.ControlInit();  // opening again does not double the lists
    EXPECT_EQ(ItemsOf(Ctl::lstUrls), Home());
}

TEST_F(TimeSetTest, LoadPlacesTheWindowOnlyWithBothEdgesSaved) {
    t.store.Put("frmTop", "0");
    t.store.Put("frmLeft", "1440");
    Open();
    EXPECT_FALSE(d.placeAtSavedPosition);
    TimeSet placed(t.app.dialogContext);
    t.store.Put("frmTop", "720");
    GetSettings(t.app.settingsAccess);
    placed.Form_Load();
    EXPECT_TRUE(placed.placeAtSavedPosition);
    EXPECT_EQ(placed.position.top + placed.position.left, 2160);
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
    const std::string& path = t.app.paths.CommandFilePath;
    for (const char* content : {"<none>", "", "127.0.0.1 2323\nWAIT \"*\"\r\nSEND \"x\""}) {
        if (content != std::string("<none>"))
            t.files.files[path] = content;
        t.actions.calls.clear();
        TimeSet dialog(t.app.dialogContext);
        dialog.Form_Load();
        const bool loaded = *content != '<' && *content != 0;
        EXPECT_EQ(dialog.Text(Ctl::txtReboot),
                  loaded ? "127.0.0.1 2323\nWAIT \"*\"\r\nSEND \"x\"\r\n" : CommandFileSample());
        EXPECT_EQ(dialog.Get(Ctl::txtReboot).color, loaded ? kBlue : kBlack);
        EXPECT_EQ(t.actions.calls, loaded ? Items{"ReadCommandFile:" + path} : Items{});
    }
}

TEST_F(TimeSetTest, IntervalRangeCheckRunsOnEveryChange) {
    t.store.Put("PingInterval", "75");  // a stored interval out of range is replaced, still shown
    Open();
    EXPECT_EQ(t.ui.messages, Items{kIntervalRangeMessage});
    EXPECT_EQ(d.Text(Ctl::txtInterval) + " " + d.Text(Ctl::lblInterval),
              "10 Current Setting is 75 Seconds.");
    t.ui.messages.clear();
    RecordingView view;
    d.AttachView(&view);
    // Typing 1, 0, 0: "1" and "10" pass, "100" is refused and replaced by "10".
    d.UserText(Ctl::txtInterval, "1");
    d.UserText(Ctl::txtInterval, "10");
    EXPECT_TRUE(t.ui.messages.empty());
    d.UserText(Ctl::txtInterval, "100");
    EXPECT_EQ(t.ui.messages, Items{kIntervalRangeMessage});
    EXPECT_EQ(t.ui.captions.back(), "Quorvane");
    // The dialog is held while the message is open; the replacement passes the check again.
    EXPECT_EQ(view.events, (Items{"disable", "enable", "txtInterval=10"}));

    for (auto [text, passes] : {std::pair{"60", true},
                                {"1", true},
                                {"60.5", true},
                                {"0.6", true},
                                {"", true},
                                {"0", false},
                                {"61", false},
                                {"abc", false},
                                {"60.6", false},
                                {"-5", false},
                                {"1e10", false},
                                {"99999999999", false}}) {
        t.ui.messages.clear();
        d.UserText(Ctl::txtInterval, "5");
        d.UserText(Ctl::txtInterval, text);
        EXPECT_EQ(t.ui.messages.size(), passes ? 0u : 1u) << text;
        EXPECT_EQ(d.Text(Ctl::txtInterval), passes ? text : "10") << text;
    }
}

TEST_F(TimeSetTest, EnterStoresTheIntervalAtOnceAndSurvivesACloseWithoutOk) {
    Open();
    RecordingView view;
    d.AttachView(&view);
    d.UserText(Ctl::txtInterval, "");  // Enter on an emptied box keeps the current interval
    d.KeyUp(Ctl::txtInterval, kKeyEnter);
    EXPECT_EQ(d.Text(Ctl::lblInterval), "Current Setting is 50 Seconds.");
    d.UserText(Ctl::txtInterval, "45");
    d.KeyUp(Ctl::txtInterval, 65);  // not Enter
    EXPECT_FALSE(t.store.Get("PingInterval"));
    d.KeyUp(Ctl::txtInterval, kKeyEnter);
    EXPECT_EQ(d.Text(Ctl::lblInterval), "Current Setting is 45 Seconds.");
    EXPECT_EQ(t.store.Get("PingInterval"), "45");

    // Other edits are thrown away by a close without OK; the record follows the store.
    d.UserText(Ctl::Combo1, "05");
    d.UserCheck(Ctl::Check5, 1);
    d.Click(Ctl::CmdAddRbtTime);
    d.Form_Unload();
    EXPECT_EQ(t.actions.calls, Items{"ArmServiceTimers"});
    EXPECT_EQ(view.events.back(), "close");
    EXPECT_FALSE(d.Loaded());
    const Settings& s = t.app.settings;
    EXPECT_EQ(std::tuple(s.PingInterval, s.FreeStartHour, s.SrvPing, s.RebootTimes.size()),
              std::tuple(45, 2, false, size_t{6}));
    EXPECT_EQ(t.store.writtenKeys, Items{"PingInterval"});
}

TEST_F(TimeSetTest, ListsTakeWhatThePickersReadAndLoseOnlyTheSelectedEntry) {
    Open();
    d.UserSelect(Ctl::lstReboot, 2);
    d.KeyUp(Ctl::lstReboot, kKeyEnter);  // not Delete
    d.KeyUp(Ctl::lstReboot, kKeyDelete);
    d.KeyUp(Ctl::lstReboot, kKeyDelete);  // nothing selected any more
    EXPECT_EQ(d.Get(Ctl::lstReboot).selected, -1);
    d.UserSelect(Ctl::Combo7, 7);
    d.UserSelect(Ctl::Combo8, 30);
    d.Click(Ctl::CmdAddRbtTime);
    d.UserSelect(Ctl::Combo8, 0);
    for (const char* hour : {"ab", "-3", "25"}) {
        d.UserText(Ctl::Combo7, hour);
        d.Click(Ctl::CmdAddRbtTime);
    }
    t.clock.decimalSeparator = ",";
    d.UserText(Ctl::Combo7, "7.5");
    d.Click(Ctl::CmdAddRbtTime);
    d.UserText(Ctl::Combo8, "-1");  // refused
    d.Click(Ctl::CmdAddRbtTime);
    EXPECT_EQ(ItemsOf(Ctl::lstReboot), (Items{"02:01", "02:03", "07:53", "07:55", "07:57", "07:30",
                                              "00:00", "25:00", "07,5:00"}));

    for (int i : {0, 1, 2, 4}) {  // the home pages stay
        d.UserSelect(Ctl::lstUrls, i);
        d.KeyUp(Ctl::lstUrls, kKeyDelete);
    }
    Items urls = Home();
    urls.push_back("http://www.wikipedia.org/");
    EXPECT_EQ(ItemsOf(Ctl::lstUrls), urls);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(TimeSetTest, EnterInTheAddressBoxChecksAndAddsTheAddress) {
    Open();
    auto enter = [&](const std::string& text) {
        d.UserText(Ctl::txtUrl, text);
        d.KeyUp(Ctl::txtUrl, kKeyEnter);
    };
    enter("HTTP://Upper.test/");
    enter(Home()[1]);  // a home page adds nothing, silently
    EXPECT_TRUE(t.ui.messages.empty());
    enter("ftp://files.test/");
    enter("https://secure.test/");
    EXPECT_EQ(t.ui.messages, (Items{kInvalidUrlMessage, kInvalidUrlMessage}));
    enter("http://");  // nothing past the scheme is looked at
    d.UserText(Ctl::txtUrl, "http://typed.test/");
    d.KeyUp(Ctl::txtUrl, kKeyDelete);
    EXPECT_EQ(Items(ItemsOf(Ctl::lstUrls).begin() + 5, ItemsOf(Ctl::lstUrls).end()),
              (Items{"HTTP://Upper.test/", "http://"}));
    EXPECT_EQ(d.Text(Ctl::txtUrl), "http://typed.test/");
    EXPECT_FALSE(t.app.diag.SavePages);
    enter("DEBUG");
    EXPECT_TRUE(t.app.diag.SavePages);
    EXPECT_EQ(t.ui.messages.size(), 3u);
    EXPECT_EQ(ItemsOf(Ctl::lstUrls).size(), 7u);
}

TEST_F(TimeSetTest, ButtonsActAtOnce) {
    Open();
    d.Click(Ctl::CmdConfigModem);  // no configuration program: nothing happens
    EXPECT_TRUE(t.process.started.empty());
    t.files.files["C:\\Program Files\\Quorvane\\Wirecall.exe"] = "MZ";
    d.Click(Ctl::CmdConfigModem);
    d.Click(Ctl::CmdNICenb);  // the batch files, written first
    d.Click(Ctl::CmdNICdis);
    d.Click(Ctl::Label23);
    t.process.exePath = "D:\\Quorvane.exe";  // beside a program at a drive root
    t.InitPaths();
    t.files.files["D:\\Wirecall.exe"] = "MZ";
    d.Click(Ctl::CmdConfigModem);
    using Start = std::pair<std::string, ShowCommand>;
    EXPECT_EQ(
        t.process.started,
        (std::vector<Start>{{"\"C:\\Program Files\\Quorvane\\Wirecall.exe\"", ShowCommand::Normal},
                            {"c:\\windows\\EnbNic.bat", ShowCommand::MinimizedFocused},
                            {"c:\\windows\\DisNic.bat", ShowCommand::MinimizedFocused},
                            {"\"D:\\Wirecall.exe\"", ShowCommand::Normal}}));
    EXPECT_EQ(t.process.shellOpened, Items{std::string("mailto:") + kContactAddress});
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(TimeSetTest, HiddenDiagnostics) {
    Open();
    d.DblClick(Ctl::Frame1);
    EXPECT_TRUE(t.app.diag.MinuteCountDisplay);
    d.DblClick(Ctl::Frame1);
    d.DblClick(Ctl::Label17);
    d.DblClick(Ctl::Label19);
    EXPECT_EQ(std::tuple(t.app.diag.MinuteCountDisplay, t.app.diag.ModemTrace, t.app.diag.FetchLog),
              std::tuple(false, true, true));
    EXPECT_EQ(d.Get(Ctl::Label19).color, kRed);
    d.DblClick(Ctl::Label19);
    EXPECT_FALSE(t.app.diag.FetchLog);
    EXPECT_EQ(d.Get(Ctl::Label19).color, kRed);

    t.clock.Set(3, 0);
    d.DblClick(Ctl::Label1);
    t.clock.Set(8, 0);
    d.DblClick(Ctl::Label1);
    EXPECT_EQ(t.ui.messages, (Items{"FreeTime = True", "FreeTime = False"}));
    EXPECT_EQ(t.ui.captions, (Items{"Quorvane", "Quorvane"}));
    d.DblClick(Ctl::Label2);
    t.app.traffic.TotalBytesDownloaded = 1536;
    d.DblClick(Ctl::lblInterval);
    EXPECT_EQ(t.LogMessages(), Items{"Total Data Downloaded for Connectivity : 1.5 KB."});
    // A double click on the command file reloads the record only.
    t.store.Put("Time", "4,9");
    d.DblClick(Ctl::txtReboot);
    EXPECT_EQ(t.app.settings.FreeStartHour, 4);
    EXPECT_EQ(d.Text(Ctl::Combo1), "02");
    EXPECT_EQ(t.actions.calls, Items{"StartTrayAnimation"});
}

}  // namespace
}  // namespace qv
