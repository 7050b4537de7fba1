#include <gtest/gtest.h>

#include <array>
#include <optional>

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
    const Items& Home() {
        static Items home;
        home.assign(t.app.paths.HomePageUrls.begin(), t.app.paths.HomePageUrls.end());
        return home;
    }

    test::TestApp t;
    TimeSet d{t.app.dialogContext};
};

TEST_F(TimeSetTest, PickersHoldTheirEntriesAtTheirNumbers) {
    Open();
    for (const Control& c : d.Controls()) {
        if (!c.IsPicker())
            continue;
        ASSERT_EQ(c.items.size(), c.kind == ControlKind::HourPicker ? 24u : 60u) << CtlName(c.id);
        for (size_t n = 0; n < c.items.size(); ++n)
            EXPECT_EQ(c.items[n], TwoDigits(static_cast<double>(n))) << CtlName(c.id);
    }
}

// The dialog as it is described: every control in the order of its identifier (which gives
// its window's control id), with its name, page, frame, place, first text and look. Flags: F
// fixed pitch, M several lines, S scroll bars, R read only, D dialog background, H hand cursor.
TEST(TimeSetDescription, EveryControlAsDescribed) {
    struct Row {
        Ctl id;
        const char* name;
        ControlKind kind;
        int page;
        std::optional<Ctl> frame;
        Place place;
        std::string text;
        uint32_t color;
        std::string flags;
    };
    using K = ControlKind;
    const Row rows[] = {
        {Ctl::Label1,
         "Label1",
         K::Label,
         kPageTime,
         {},
         {24, 54, 220, 20},
         "Free Usage Time Start at (Hour)",
         kBlack,
         ""},
        {Ctl::Combo1, "Combo1", K::HourPicker, kPageTime, {}, {250, 51, 56, 220}, "", kBlack, ""},
        {Ctl::Label2,
         "Label2",
         K::Label,
         kPageTime,
         {},
         {24, 88, 220, 20},
         "Free Usage Time Ends at (Hour)",
         kBlack,
         ""},
        {Ctl::Combo2, "Combo2", K::HourPicker, kPageTime, {}, {250, 85, 56, 220}, "", kBlack, ""},
        {Ctl::Label3,
         "Label3",
         K::Label,
         kPageTime,
         {},
         {24, 146, 230, 18},
         "Your free Time Starts at : ",
         kBlack,
         "F"},
        {Ctl::Label6, "Label6", K::Label, kPageTime, {}, {254, 146, 28, 18}, "02", kRed, "F"},
        {Ctl::Label7, "Label7", K::Label, kPageTime, {}, {286, 146, 60, 18}, "Hour.", kBlack, "F"},
        {Ctl::Label4,
         "Label4",
         K::Label,
         kPageTime,
         {},
         {24, 170, 230, 18},
         "Your free Time Ends at   : ",
         kBlack,
         "F"},
        {Ctl::Label8, "Label8", K::Label, kPageTime, {}, {254, 170, 28, 18}, "08", kRed, "F"},
        {Ctl::Label9, "Label9", K::Label, kPageTime, {}, {286, 170, 60, 18}, "Hour.", kBlack, "F"},
        {Ctl::CmdTimeOK,
         "CmdTimeOK",
         K::Button,
         kPageTime,
         {},
         {420, 312, 84, 28},
         "OK",
         kBlack,
         ""},
        {Ctl::Frame1,
         "Frame1",
         K::Frame,
         kPageNic,
         {},
         {16, 40, 300, 150},
         "Network Interface Settings ",
         kBlack,
         ""},
        {Ctl::Label10,
         "Label10",
         K::Label,
         kPageNic,
         Ctl::Frame1,
         {30, 68, 110, 20},
         "Enable NIC at :",
         kBlack,
         ""},
        {Ctl::Combo3,
         "Combo3",
         K::HourPicker,
         kPageNic,
         Ctl::Frame1,
         {144, 65, 56, 220},
         "",
         kBlack,
         ""},
        {Ctl::Combo4,
         "Combo4",
         K::MinutePicker,
         kPageNic,
         Ctl::Frame1,
         {206, 65, 56, 220},
         "",
         kBlack,
         ""},
        {Ctl::Label11,
         "Label11",
         K::Label,
         kPageNic,
         Ctl::Frame1,
         {30, 102, 110, 20},
         "Disable NIC at :",
         kBlack,
         ""},
        {Ctl::Combo5,
         "Combo5",
         K::HourPicker,
         kPageNic,
         Ctl::Frame1,
         {144, 99, 56, 220},
         "",
         kBlack,
         ""},
        {Ctl::Combo6,
         "Combo6",
         K::MinutePicker,
         kPageNic,
         Ctl::Frame1,
         {206, 99, 56, 220},
         "",
         kBlack,
         ""},
        {Ctl::Check3,
         "Check3",
         K::CheckBox,
         kPageNic,
         Ctl::Frame1,
         {30, 146, 270, 22},
         "Use NIC Enable/Disable Service",
         kBlack,
         ""},
        {Ctl::CmdNICenb,
         "CmdNICenb",
         K::Button,
         kPageNic,
         {},
         {332, 56, 172, 28},
         "Enable NIC Now",
         kBlack,
         ""},
        {Ctl::CmdNICdis,
         "CmdNICdis",
         K::Button,
         kPageNic,
         {},
         {332, 92, 172, 28},
         "Disable NIC Now",
         kBlack,
         ""},
        {Ctl::Frame2, "Frame2", K::Frame, kPageNic, {}, {16, 192, 300, 68}, "", kBlack, ""},
        {Ctl::Check7,
         "Check7",
         K::CheckBox,
         kPageNic,
         Ctl::Frame2,
         {30, 206, 270, 22},
         "Auto Enable during Free Time.",
         kBlack,
         ""},
        {Ctl::Check8,
         "Check8",
         K::CheckBox,
         kPageNic,
         Ctl::Frame2,
         {30, 232, 270, 22},
         "Auto Disable during Peak Time.",
         kBlack,
         ""},
        {Ctl::Label12,
         "Label12",
         K::Label,
         kPageNic,
         {},
         {24, 270, 250, 18},
         "Your NIC will be Enabled at  :",
         kBlack,
         "F"},
        {Ctl::Label14, "Label14", K::Label, kPageNic, {}, {276, 270, 50, 18}, "00:00", kRed, ""},
        {Ctl::Label13,
         "Label13",
         K::Label,
         kPageNic,
         {},
         {24, 290, 250, 18},
         "Your NIC will be disabled at :",
         kBlack,
         "F"},
        {Ctl::Label15, "Label15", K::Label, kPageNic, {}, {276, 290, 50, 18}, "00:00", kRed, ""},
        {Ctl::CmdNicOK, "CmdNicOK", K::Button, kPageNic, {}, {420, 312, 84, 28}, "OK", kBlack, ""},
        {Ctl::Label16,
         "Label16",
         K::Label,
         kPageNic,
         {},
         {24, 322, 390, 18},
         "(You cannot reboot your Modem, when your NIC is Disabled.)",
         kBlack,
         ""},
        {Ctl::Label17, "Label17", K::Label, kPageModem, {}, {24, 44, 50, 18}, "Hour", kBlack, ""},
        {Ctl::Label18, "Label18", K::Label, kPageModem, {}, {84, 44, 50, 18}, "Min", kBlack, ""},
        {Ctl::Combo7, "Combo7", K::HourPicker, kPageModem, {}, {24, 64, 54, 220}, "", kBlack, ""},
        {Ctl::Combo8, "Combo8", K::MinutePicker, kPageModem, {}, {84, 64, 54, 220}, "", kBlack, ""},
        {Ctl::CmdAddRbtTime,
         "CmdAddRbtTime",
         K::Button,
         kPageModem,
         {},
         {146, 62, 80, 26},
         "AddTime",
         kBlack,
         ""},
        {Ctl::txtReboot,
         "txtReboot",
         K::TextBox,
         kPageModem,
         {},
         {240, 44, 264, 206},
         CommandFileSample(),
         kBlack,
         "MSR"},
        {Ctl::lstReboot,
         "lstReboot",
         K::ListBox,
         kPageModem,
         {},
         {24, 98, 202, 152},
         "",
         kBlack,
         ""},
        {Ctl::Check4,
         "Check4",
         K::CheckBox,
         kPageModem,
         {},
         {24, 264, 210, 22},
         "Use Modem Reboot Service.",
         kBlack,
         ""},
        {Ctl::CmdConfigModem,
         "CmdConfigModem",
         K::Button,
         kPageModem,
         {},
         {240, 262, 104, 26},
         "Configure",
         kBlack,
         ""},
        {Ctl::CmdModemOK,
         "CmdModemOK",
         K::Button,
         kPageModem,
         {},
         {420, 312, 84, 28},
         "OK",
         kBlack,
         ""},
        {Ctl::Check9,
         "Check9",
         K::CheckBox,
         kPageModem,
         {},
         {24, 292, 210, 22},
         "Shutdown on Failure.",
         kBlack,
         ""},
        {Ctl::Line1, "Line1", K::Line, kPageModem, {}, {16, 256, 488, 2}, "", kBlack, ""},
        {Ctl::Line2, "Line2", K::Line, kPageModem, {}, {16, 322, 390, 2}, "", kBlack, ""},
        {Ctl::Label19,
         "Label19",
         K::Label,
         kPageConnectivity,
         {},
         {24, 52, 70, 20},
         "Add URL :",
         kBlack,
         ""},
        {Ctl::txtUrl,
         "txtUrl",
         K::TextBox,
         kPageConnectivity,
         {},
         {98, 48, 406, 24},
         "",
         kBlue,
         ""},
        {Ctl::lstUrls,
         "lstUrls",
         K::ListBox,
         kPageConnectivity,
         {},
         {24, 80, 480, 156},
         "",
         kBlue,
         ""},
        {Ctl::Label20,
         "Label20",
         K::Label,
         kPageConnectivity,
         {},
         {24, 250, 160, 20},
         "Open Pages after every :",
         kBlack,
         ""},
        {Ctl::txtInterval,
         "txtInterval",
         K::TextBox,
         kPageConnectivity,
         {},
         {186, 246, 50, 24},
         "50",
         kBlack,
         ""},
        {Ctl::Label21,
         "Label21",
         K::Label,
         kPageConnectivity,
         {},
         {242, 250, 262, 20},
         "Seconds to maintain connection.",
         kBlack,
         ""},
        {Ctl::lblInterval,
         "lblInterval",
         K::Label,
         kPageConnectivity,
         {},
         {24, 278, 300, 20},
         "Current Setting is 10 Seconds.",
         kBlack,
         ""},
        {Ctl::Check5,
         "Check5",
         K::CheckBox,
         kPageConnectivity,
         {},
         {24, 304, 340, 22},
         "Use Connectivity Service at free usage time.",
         kBlack,
         ""},
        {Ctl::CmdConnectivityOK,
         "CmdConnectivityOK",
         K::Button,
         kPageConnectivity,
         {},
         {420, 312, 84, 28},
         "OK",
         kBlack,
         ""},
        {Ctl::Check1,
         "Check1",
         K::CheckBox,
         kPageMisc,
         {},
         {24, 52, 170, 22},
         "Shutdown the PC at :",
         kBlack,
         ""},
        {Ctl::Combo9, "Combo9", K::HourPicker, kPageMisc, {}, {200, 51, 54, 220}, "", kBlack, ""},
        {Ctl::Combo10,
         "Combo10",
         K::MinutePicker,
         kPageMisc,
         {},
         {260, 51, 54, 220},
         "",
         kBlack,
         ""},
        {Ctl::Check6,
         "Check6",
         K::CheckBox,
         kPageMisc,
         {},
         {24, 88, 170, 22},
         "Shutdown PC During:",
         kBlack,
         ""},
        {Ctl::Combo11, "Combo11", K::HourPicker, kPageMisc, {}, {200, 87, 54, 220}, "", kBlack, ""},
        {Ctl::Combo12,
         "Combo12",
         K::MinutePicker,
         kPageMisc,
         {},
         {260, 87, 54, 220},
         "",
         kBlack,
         ""},
        {Ctl::Combo13, "Combo13", K::HourPicker, kPageMisc, {}, {330, 87, 54, 220}, "", kBlack, ""},
        {Ctl::Combo14,
         "Combo14",
         K::MinutePicker,
         kPageMisc,
         {},
         {390, 87, 54, 220},
         "",
         kBlack,
         ""},
        {Ctl::Check2,
         "Check2",
         K::CheckBox,
         kPageMisc,
         {},
         {24, 124, 250, 22},
         "Run on Windows Startup",
         kBlack,
         ""},
        {Ctl::Text2,
         "Text2",
         K::TextBox,
         kPageMisc,
         {},
         {24, 160, 480, 76},
         "Quorvane Helper Utility, version 1.1.\r\nReleased in December 2026.\r\n"
         "Written by Dastrel for home internet subscribers\r\n"
         "whose provider grants free hours each night.\r\n",
         kBlack,
         "MRD"},
        {Ctl::Label23,
         "Label23",
         K::Label,
         kPageMisc,
         {},
         {24, 250, 300, 20},
         "quorvane-help@example.org",
         kBlue,
         "H"},
        {Ctl::CmdMiscOK,
         "CmdMiscOK",
         K::Button,
         kPageMisc,
         {},
         {420, 312, 84, 28},
         "OK",
         kBlack,
         ""},
    };
    const std::vector<Control> controls = TimeSetControls();
    ASSERT_EQ(controls.size(), std::size(rows));
    ASSERT_EQ(kCtlCount, std::size(rows));
    for (size_t i = 0; i < controls.size(); ++i) {
        const Row& r = rows[i];
        const Control& c = controls[i];
        SCOPED_TRACE(r.name);
        EXPECT_EQ(static_cast<size_t>(r.id), i);
        EXPECT_EQ(c.id, r.id);
        EXPECT_STREQ(CtlName(r.id), r.name);
        EXPECT_EQ(CtlNamed(r.name), r.id);
        EXPECT_EQ(c.kind, r.kind);
        EXPECT_EQ(c.page, r.page);
        EXPECT_EQ(c.frame, r.frame);
        EXPECT_EQ((std::array{c.place.x, c.place.y, c.place.w, c.place.h}),
                  (std::array{r.place.x, r.place.y, r.place.w, r.place.h}));
        EXPECT_EQ(c.text, r.text);
        EXPECT_EQ(c.color, r.color);
        std::string flags;
        for (auto [on, letter] : {std::pair{c.fixedPitch, 'F'},
                                  {c.multiLine, 'M'},
                                  {c.scrollBars, 'S'},
                                  {c.readOnly, 'R'},
                                  {c.dialogBackground, 'D'},
                                  {c.handCursor, 'H'}}) {
            if (on)
                flags += letter;
        }
        EXPECT_EQ(flags, r.flags);
        EXPECT_TRUE(c.items.empty());
        EXPECT_EQ(c.selected, -1);
        EXPECT_EQ(c.value, 0);
    }
    EXPECT_EQ(CtlNamed("Combo15"), std::nullopt);
    EXPECT_EQ(DescriptionFault(controls), "");
}

Control& Of(std::vector<Control>& controls, Ctl id) {
    return controls[static_cast<size_t>(id)];
}

// A description the window could not lay out is refused with the first fault.
TEST(TimeSetDescription, FaultsAreNamed) {
    struct Case {
        const char* fault;
        void (*spoil)(std::vector<Control>& c);
    };
    const Case cases[] = {
        {"Combo7 has no place", [](auto& c) { Of(c, Ctl::Combo7).place = {}; }},
        {"Line1 has no place", [](auto& c) { Of(c, Ctl::Line1).place.h = 0; }},
        {"Label1 is on no page", [](auto& c) { Of(c, Ctl::Label1).page = 5; }},
        {"CmdMiscOK lies outside the dialog", [](auto& c) { c.back().place.x = 440; }},
        {"Label10 is held by no frame of its page",
         [](auto& c) { Of(c, Ctl::Label10).frame = Ctl::Label1; }},
        {"Combo1 is described as Label2",
         [](auto& c) { std::swap(Of(c, Ctl::Combo1), Of(c, Ctl::Label2)); }},
        {"the description has 63 controls, not 64", [](auto& c) { c.pop_back(); }},
    };
    for (const Case& k : cases) {
        std::vector<Control> controls = TimeSetControls();
        k.spoil(controls);
        EXPECT_EQ(DescriptionFault(controls), k.fault);
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

    EXPECT_EQ(d.Text(Ctl::Combo1), "07");
    EXPECT_EQ(d.Get(Ctl::Combo1).selected, 7);
    EXPECT_EQ(d.Text(Ctl::Label6), "07");
    EXPECT_EQ(d.Text(Ctl::Combo2), "13");
    EXPECT_EQ(d.Text(Ctl::Label8), "13");
    EXPECT_EQ(d.Text(Ctl::Combo3), "01");
    EXPECT_EQ(d.Text(Ctl::Combo4), "59");
    EXPECT_EQ(d.Text(Ctl::Label14), "01:59");
    EXPECT_EQ(d.Text(Ctl::Label15), "07:58");
    // The reboot-time picker starts at the free window's first hour, minute 00.
    EXPECT_EQ(d.Text(Ctl::Combo7), "07");
    EXPECT_EQ(d.Text(Ctl::Combo8), "00");
    EXPECT_EQ(d.Get(Ctl::lstReboot).items, (Items{"07:55", "02:01", "02:03"}));
    Items urls = Home();
    urls.insert(urls.end(), {"http://a.test/", "http://b.test/"});
    EXPECT_EQ(d.Get(Ctl::lstUrls).items, urls);
    EXPECT_EQ(d.Text(Ctl::txtInterval), "45");
    EXPECT_EQ(d.Text(Ctl::lblInterval), "Current Setting is 45 Seconds.");
    EXPECT_EQ(d.Text(Ctl::txtUrl), Home()[0]);
    EXPECT_EQ(d.Text(Ctl::Combo9), "23");
    EXPECT_EQ(d.Text(Ctl::Combo10), "05");
    EXPECT_EQ(
        d.Text(Ctl::Combo11) + d.Text(Ctl::Combo12) + d.Text(Ctl::Combo13) + d.Text(Ctl::Combo14),
        "08300845");
    for (int i = 1; i <= 9; ++i) {
        const Ctl box = *CtlNamed("Check" + std::to_string(i));
        EXPECT_EQ(d.Get(box).value, (i == 4 || i == 5) ? 1 : 0) << CtlName(box);
    }
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(TimeSetTest, EmptyListsAndAPickerValueWithoutAnEntry) {
    t.store.Put("Reboot", "");
    t.store.Put("PingUrls", "");
    t.store.Put("NIC", "30:00,7:75");
    Open();
    EXPECT_TRUE(d.Get(Ctl::lstReboot).items.empty());
    EXPECT_EQ(d.Get(Ctl::lstUrls).items, Home());
    // No entry to select: the picker shows the stored number itself.
    EXPECT_EQ(d.Get(Ctl::Combo3).selected, -1);
    EXPECT_EQ(d.Text(Ctl::Combo3), "30");
    EXPECT_EQ(d.Text(Ctl::Combo6), "75");
    d.ControlInit();  // opening again does not double the lists
    EXPECT_EQ(d.Get(Ctl::lstUrls).items, Home());
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
    EXPECT_EQ(d.Text(Ctl::txtReboot), CommandFileSample());
    EXPECT_EQ(d.Get(Ctl::txtReboot).color, kBlack);
    EXPECT_EQ(t.actions.Count("ReadCommandFile:" + t.app.paths.CommandFilePath), 0);
    EXPECT_EQ(std::count(d.Text(Ctl::txtReboot).begin(), d.Text(Ctl::txtReboot).end(), '\n'), 12);

    t.files.files[t.app.paths.CommandFilePath] = "";  // empty: the sample stays
    TimeSet empty(t.app.dialogContext);
    empty.Form_Load();
    EXPECT_EQ(empty.Text(Ctl::txtReboot), CommandFileSample());
    EXPECT_TRUE(t.actions.calls.empty());

    t.files.files[t.app.paths.CommandFilePath] = "127.0.0.1 2323\nWAIT \"*\"\r\nSEND \"x\"";
    TimeSet loaded(t.app.dialogContext);
    loaded.Form_Load();
    EXPECT_EQ(loaded.Text(Ctl::txtReboot), "127.0.0.1 2323\nWAIT \"*\"\r\nSEND \"x\"\r\n");
    EXPECT_EQ(loaded.Get(Ctl::txtReboot).color, kBlue);
    EXPECT_EQ(t.actions.calls, Items{"ReadCommandFile:" + t.app.paths.CommandFilePath});
}

TEST_F(TimeSetTest, IntervalRangeCheckRunsOnEveryChange) {
    Open();
    RecordingView view;
    d.AttachView(&view);
    // Typing 1, 0, 0: "1" and "10" pass, "100" is refused and replaced by "10".
    d.UserText(Ctl::txtInterval, "1");
    d.UserText(Ctl::txtInterval, "10");
    EXPECT_TRUE(t.ui.messages.empty());
    d.UserText(Ctl::txtInterval, "100");
    EXPECT_EQ(t.ui.messages, Items{kIntervalRangeMessage});
    EXPECT_EQ(t.ui.captions, Items{"Quorvane"});
    EXPECT_EQ(d.Text(Ctl::txtInterval), "10");
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
        d.UserText(Ctl::txtInterval, "5");
        d.UserText(Ctl::txtInterval, c.text);
        EXPECT_EQ(t.ui.messages.size(), c.passes ? 0u : 1u) << c.text;
        EXPECT_EQ(d.Text(Ctl::txtInterval), c.passes ? c.text : "10") << c.text;
    }
}

TEST_F(TimeSetTest, StoredIntervalOutOfRangeIsReplacedButStillShown) {
    t.store.Put("PingInterval", "75");
    Open();
    EXPECT_EQ(t.ui.messages, Items{kIntervalRangeMessage});
    EXPECT_EQ(d.Text(Ctl::txtInterval), "10");
    EXPECT_EQ(d.Text(Ctl::lblInterval), "Current Setting is 75 Seconds.");
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
    EXPECT_EQ(t.app.settings.PingInterval, 45);
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
    EXPECT_EQ(t.app.settings.PingInterval, 45);
    EXPECT_EQ(t.app.settings.FreeStartHour, 2);
    EXPECT_FALSE(t.app.settings.SrvPing);
    EXPECT_EQ(t.app.settings.RebootTimes.size(), 6u);
    EXPECT_EQ(t.store.writtenKeys, Items{"PingInterval"});
}

TEST_F(TimeSetTest, AddTimeAppendsWhatThePickersRead) {
    Open();
    t.app.settings.RebootTimes.clear();
    d.ClearItems(Ctl::lstReboot);
    d.UserSelect(Ctl::Combo7, 7);
    d.UserSelect(Ctl::Combo8, 30);
    d.Click(Ctl::CmdAddRbtTime);
    d.Click(Ctl::CmdAddRbtTime);
    d.UserSelect(Ctl::Combo8, 0);
    for (const char* hour : {"ab", "-3", "25"}) {
        d.UserText(Ctl::Combo7, hour);
        d.Click(Ctl::CmdAddRbtTime);
    }
    t.clock.decimalSeparator = ",";
    d.UserText(Ctl::Combo7, "7.5");
    d.Click(Ctl::CmdAddRbtTime);
    d.UserText(Ctl::Combo8, "-1");
    d.Click(Ctl::CmdAddRbtTime);
    EXPECT_EQ(d.Get(Ctl::lstReboot).items, (Items{"07:30", "07:30", "00:00", "25:00", "07,5:00"}));
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(TimeSetTest, DeleteRemovesOnlyTheSelectedEntry) {
    Open();
    d.KeyUp(Ctl::lstReboot, kKeyDelete);  // nothing selected
    EXPECT_EQ(d.Get(Ctl::lstReboot).items.size(), 6u);
    d.UserSelect(Ctl::lstReboot, 2);
    d.KeyUp(Ctl::lstReboot, kKeyEnter);
    EXPECT_EQ(d.Get(Ctl::lstReboot).items.size(), 6u);
    d.KeyUp(Ctl::lstReboot, kKeyDelete);
    EXPECT_EQ(d.Get(Ctl::lstReboot).items, (Items{"02:01", "02:03", "07:53", "07:55", "07:57"}));
    EXPECT_EQ(d.Get(Ctl::lstReboot).selected, -1);

    for (int i = 0; i < 3; ++i) {  // the home pages stay
        d.UserSelect(Ctl::lstUrls, i);
        d.KeyUp(Ctl::lstUrls, kKeyDelete);
    }
    EXPECT_EQ(d.Get(Ctl::lstUrls).items.size(), 5u);
    d.UserSelect(Ctl::lstUrls, 4);
    d.KeyUp(Ctl::lstUrls, kKeyDelete);
    EXPECT_EQ(d.Get(Ctl::lstUrls).items.size(), 4u);
    EXPECT_EQ(d.Get(Ctl::lstUrls).items.back(), "http://www.wikipedia.org/");
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
    EXPECT_EQ(d.Get(Ctl::lstUrls).items.size(), 7u);
    EXPECT_EQ(d.Get(Ctl::lstUrls).items[5], "HTTP://Upper.test/");
    EXPECT_EQ(d.Get(Ctl::lstUrls).items[6], "http://");
    EXPECT_EQ(d.Text(Ctl::txtUrl), "http://typed.test/");

    EXPECT_FALSE(t.app.diag.SavePages);
    enter("DEBUG");
    EXPECT_TRUE(t.app.diag.SavePages);
    EXPECT_EQ(t.ui.messages.back(), kInvalidUrlMessage);
    EXPECT_EQ(d.Get(Ctl::lstUrls).items.size(), 7u);
}

TEST_F(TimeSetTest, ButtonsActAtOnce) {
    Open();
    d.Click(Ctl::CmdConfigModem);  // no configuration program: nothing happens
    EXPECT_TRUE(t.process.started.empty());
    std::string program = "C:\\Program Files\\Quorvane\\Wirecall.exe";
    t.files.files[program] = "MZ";
    d.Click(Ctl::CmdConfigModem);
    ASSERT_EQ(t.process.started.size(), 1u);
    EXPECT_EQ(t.process.started[0].first, "\"" + program + "\"");
    EXPECT_EQ(t.process.started[0].second, ShowCommand::Normal);

    d.Click(Ctl::CmdNICenb);
    d.Click(Ctl::CmdNICdis);
    ASSERT_EQ(t.process.started.size(), 3u);  // the batch files, written first
    EXPECT_EQ(t.process.started[1].first, t.app.paths.EnableBatchPath);
    EXPECT_EQ(t.process.started[2].first, t.app.paths.DisableBatchPath);
    d.Click(Ctl::Label23);
    EXPECT_EQ(t.process.shellOpened, Items{std::string("mailto:") + kContactAddress});
    EXPECT_TRUE(t.ui.messages.empty());

    // Beside a program at a drive root.
    t.process.exePath = "D:\\Quorvane.exe";
    t.InitPaths();
    t.files.files["D:\\Wirecall.exe"] = "MZ";
    d.Click(Ctl::CmdConfigModem);
    EXPECT_EQ(t.process.started.back().first, "\"D:\\Wirecall.exe\"");
}

TEST_F(TimeSetTest, HiddenDiagnostics) {
    Open();
    d.DblClick(Ctl::Frame1);
    EXPECT_TRUE(t.app.diag.MinuteCountDisplay);
    d.DblClick(Ctl::Frame1);
    EXPECT_FALSE(t.app.diag.MinuteCountDisplay);
    d.DblClick(Ctl::Label17);
    EXPECT_TRUE(t.app.diag.ModemTrace);

    EXPECT_EQ(d.Get(Ctl::Label19).color, kBlack);
    d.DblClick(Ctl::Label19);
    EXPECT_TRUE(t.app.diag.FetchLog);
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
    EXPECT_EQ(t.actions.calls, Items{"StartTrayAnimation"});

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
