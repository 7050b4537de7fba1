#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <utility>

#include "settings/GetSettings.h"
#include "settings/SaveSettings.h"
#include "settings/TimeSet.h"
#include "settings/TimeSetControls.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

const std::string kHome = "http://www.yahoo.com/ http://www.bing.com/ http://www.msn.com/";
const std::string kUrls = kHome + " http://www.wikipedia.org/ http://www.debian.org/";

// The whole record in one line; "home" stands for each built-in home page.
void Record(std::ostream& o, const Settings& s) {
    auto list = [&](const Strings& items) {
        for (const std::string& item : items)
            o << (item.starts_with("http://www.") && item.size() <= 21 ? "home" : item) << ",";
    };
    o << s.FreeStartHour << "-" << s.FreeEndHour << " nic " << s.NicOnHour << ":" << s.NicOnMinute
      << "-" << s.NicOffHour << ":" << s.NicOffMinute << " reboot ";
    list(s.RebootTimes);
    o << " at " << s.DialogTop << "," << s.DialogLeft << " ping " << s.PingInterval << " ";
    list(s.PingUrlList);
    o << " shut " << s.ShutAtHour << ":" << s.ShutAtMinute << " " << s.ShutFromHour << ":"
      << s.ShutFromMinute << "-" << s.ShutToHour << ":" << s.ShutToMinute << " on " << s.SrvShutAt
      << s.SrvShutDuring << s.SrvNicDuringN << s.SrvNicDuringD << s.SrvModemFail << s.SrvStartup
      << s.SrvNicAt << s.SrvModem << s.SrvPing << " pace " << s.RebootLimitCount << ","
      << s.RebootLimitHours << "/" << s.RebootGraceMinutes << " night " << s.SrvAwake << s.SrvWake;
}

// The settings dialog as the tray opens it, driven by a script of steps parted by '|': "load"
// loads the record; "open" loads it and opens the window; "unload" closes. "Name=text" types,
// "Name#n" selects entry n, "Name+v" ticks, "Name!" clicks, "Name!!" double-clicks, "Name^k"
// releases key k. A step "key=value" that names no control sets the world: a stored value;
// "file=text" the command file, "X:\\path=text" another file, "run=text" the Run value; "deny=",
// "failwrite=key", "failread=key" faults; "answer=code" the next web answer; "nested=script" runs
// at the first message pump (steps parted by ';'); "moved=top,left" moves the window; "time=hour"
// sets the clock. Each message pump is marked "|" in the journal of written keys.
class Dialog : public TimeSetView {
  public:
    Dialog() {
        t.InitPaths();
        t.actions.calls.clear();  // start-up's own
        t.ui.onPump = [this] {
            t.store.writtenKeys.push_back("|");
            Run(std::exchange(nested, ""), ';');
        };
    }
    void Put(const std::string& key, const std::string& value) {
        const int n = std::atoi(value.c_str());
        if (key == "file" || key.find('\\') != std::string::npos)
            t.files.files[key == "file" ? t.app.paths.CommandFilePath : key] = value;
        else if (key == "run")
            t.registry.runValues["Quorvane"] = value;
        else if (key == "deny")
            t.registry.denyWrites = true;
        else if (key == "failwrite" || key == "failread")
            (key == "failwrite" ? t.store.failWritesOf : t.store.failReadsOf).insert(value);
        else if (key == "answer")
            t.web.answers.push_back(WebAnswer{true, n, {}, ""});
        else if (key == "nested")
            nested = value;
        else if (key == "moved")
            d.MovedTo(n, std::atoi(value.substr(value.find(',') + 1).c_str()));
        else if (key == "time")
            t.clock.Set(n, 0);
        else
            t.store.Put(key, value);
    }
    void Run(const std::string& script, char part = '|') {
        std::istringstream steps(script);
        for (std::string s; std::getline(steps, s, part);) {
            const size_t at = s.find_first_of("=#+!^");
            const std::string name = s.substr(0, at), arg = s.substr(at + 1);
            const std::optional<Ctl> id = CtlNamed(name);
            if (s == "open" || s == "load")
                GetSettings(t.app.settingsAccess);
            if (s == "open") {
                d.Form_Load();
                d.ControlInit();
                d.AttachView(this);
            } else if (s == "unload") {
                d.Form_Unload();
            } else if (!id) {
                Put(name, arg);
            } else if (s[at] == '=') {
                d.UserText(*id, arg);
            } else if (const int n = std::atoi(arg.c_str()); s[at] != '!') {
                s[at] == '#'   ? d.UserSelect(*id, n)
                : s[at] == '+' ? d.UserCheck(*id, n)
                               : d.KeyUp(*id, n);
            } else {
                s.ends_with("!!") ? d.DblClick(*id) : d.Click(*id);
            }
        }
    }
    // What the world and the dialog show, by the names in `probe`: "=key" a stored value, a
    // control's text (a list's entries), "name~" its colour, "name?" its value or selection.
    std::string Show(const std::string& probe) {
        std::istringstream names(probe);
        std::ostringstream o;
        const std::map<std::string, Strings> lists = {{"messages", t.ui.messages},
                                                      {"log", t.LogMessages()},
                                                      {"view", view},
                                                      {"written", t.store.writtenKeys}};
        for (std::string name, sep; names >> name; sep = " / ") {
            const std::optional<Ctl> id = CtlNamed(name.substr(0, name.find_first_of("~?")));
            o << sep;
            if (name[0] == '=') {
                o << t.store.Get(name.substr(1)).value_or("<none>");
            } else if (lists.count(name)) {
                o << Join(lists.at(name), name == "written" ? " " : "|");
            } else if (name == "world") {
                Strings world = t.actions.calls;
                for (const auto& [line, show] : t.process.started)
                    world.push_back(line + (show == ShowCommand::Normal ? "" : " minimized"));
                world.insert(world.end(), t.process.shellOpened.begin(),
                             t.process.shellOpened.end());
                for (const auto& [key, value] : t.registry.runValues)
                    world.push_back("Run " + key + "=" + value);
                o << Join(world, "|");
            } else if (name == "state") {
                o << d.Loaded() << " icon" << t.app.IconState;
                if (d.placeAtSavedPosition)
                    o << " at " << d.position.top << "," << d.position.left;
                const DiagnosticSwitches& g = t.app.diag;
                o << " diag" << g.MinuteCountDisplay << g.ModemTrace << g.FetchLog << g.SavePages;
            } else if (name == "record") {
                Record(o, t.app.settings);
            } else if (name.back() == '~') {
                o << d.Get(*id).color;
            } else if (const Control& c = d.Get(*id); name.back() == '?') {
                o << (c.IsPicker() || c.kind == ControlKind::ListBox ? c.selected : c.value);
            } else if (d.Get(*id).kind == ControlKind::ListBox) {
                o << Join(d.Get(*id).items, " ");
            } else {
                o << d.Text(*id);
            }
        }
        return o.str();
    }
    void ControlChanged(const Control& c) override {
        view.push_back(CtlName(c.id) + ("=" + c.text));
    }
    void EnableInput(bool enabled) override { view.push_back(enabled ? "enable" : "disable"); }
    void CloseWindow() override { view.push_back("close"); }

    TestApp t;
    TimeSet d{t.app.dialogContext};
    Strings view;  // what the window was told
    std::string nested;
};

struct Row {
    std::string script, probe, shown;
};

// Every row opens a dialog of its own; of the messages, the log and the world, what a row's
// probe does not name must stay quiet: no message, no log line, nothing started but `world`.
void Check(const Row& row, const std::string& world = "") {
    Dialog dialog;
    dialog.Run(row.script);
    EXPECT_EQ(dialog.Show(row.probe), row.shown) << row.script;
    for (const std::string quiet : {"messages", "log", "world"}) {
        if ((" " + row.probe + " ").find(" " + quiet + " ") == std::string::npos) {
            EXPECT_EQ(dialog.Show(quiet), quiet == "world" ? world : "") << row.script << quiet;
        }
    }
    EXPECT_EQ(dialog.t.ui.captions, Strings(dialog.t.ui.messages.size(), "Quorvane"));
}

const std::string kRange = kIntervalRangeMessage, kBadUrl = kInvalidUrlMessage;
const std::string kLimit = kRebootLimitRangeMessage, kRest = kRebootRestRangeMessage,
                  kGrace = kRebootGraceRangeMessage;
const std::string kFile = "C:\\Program Files\\Quorvane\\Reboot.Txt";
const std::string kNoLimit = "times: no limit. A limit rests";
const std::string kNoAnswer = "Unable to Reboot Modem - No Answer from http://10.0.0.1/r";
const std::string kHomes = "home,home,home,http://www.wikipedia.org/,http://www.debian.org/,";
// The record loaded from an empty store is "2-8" + kNic + "50 " + kHomes + " shut 8:0 8:1-9:0 on
// 000000000 pace 0,4/0 night 10".
const std::string kNic = " nic 1:59-7:58 reboot 02:01,02:03,02:05,07:53,07:55,07:57, at 0,0 ping ";
const std::string kYes = "FreeTime = True", kNo = "FreeTime = False";

// The dialog as a stored record fills it, page by page: what the user reads and sees of each
// control (places aside), against a reviewed copy. A picker value without an entry shows the
// number; an interval out of range is replaced.
TEST(TimeSet, OpensAsTheUserReadsIt) {
    Dialog dialog;
    dialog.Run(
        "Time=7,13|Reboot=07:55,02:01,02:03|SrvWake=1|PingInterval=75|NIC=30:00,7:75|"
        "PingUrls=http://a.test/,http://b.test/|ShutAt=23:05|ShutDuring=08:30-08:45|SrvModem=1|"
        "SrvPing=1|frmTop=720|frmLeft=1440|RebootLimit=3,5|RebootGrace=10|open");
    std::ostringstream shown;
    shown << "placed " << dialog.Show("state") << '\n';
    for (const Control& c : dialog.d.Controls()) {
        std::string text = c.text;
        for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
            text.replace(at, 2, "|");
        shown << kTimeSetPages[static_cast<size_t>(c.page)] << ' ' << CtlName(c.id) << ' '
              << static_cast<int>(c.kind) << ' ' << (c.frame ? CtlName(*c.frame) : "-") << ' '
              << c.selected << ' ' << c.value << ' ' << c.color << ' ' << c.fixedPitch
              << c.multiLine << c.scrollBars << c.readOnly << c.dialogBackground << c.handCursor
              << " [" << text << "]";
        for (const std::string& item : c.items)
            shown << " <" << item << '>';
        shown << '\n';
    }
    EXPECT_EQ(shown.str(), WholeFile(QV_SOURCE_DIR "/tests/settings/dialog-shown.txt"));
    EXPECT_EQ(dialog.Show("messages log world"), kRange + " /  / ");
}

TEST(TimeSet, LoadsAndActsAsTheUserSeesIt) {
    // Every key as its default, but the switches, the pacing and the night's (given per row).
    const std::string loaded = "2-8" + kNic + "50 " + kHomes + " shut 8:0 8:1-9:0 on ";
    const std::string error = " / 0 icon5 diag0000 / GetSettings Unknown Error : ";
    const Row rows[] = {
        // Empty lists; opening again does not double the lists; the window is placed only with
        // both edges saved.
        {"Reboot=|PingUrls=|frmTop=0|frmLeft=1440|open|open", "lstReboot lstUrls state Label25",
         " / " + kHome + " / 1 icon0 diag0000 / " + kNoLimit},
        // An empty command file leaves the sample (in black); another replaces it, in blue.
        {"frmTop=720|frmLeft=0|file=|open", "state txtReboot txtReboot~",
         "1 icon0 diag0000 / " + CommandFileSample() + " / 0"},
        {"file=127.0.0.1 2323\nWAIT \"*\"\r\nSEND \"x\"|open", "txtReboot txtReboot~ world",
         "127.0.0.1 2323\nWAIT \"*\"\r\nSEND \"x\"\r\n / " + std::to_string(kBlue) +
             " / ReadCommandFile:" + kFile},
        // The interval is checked on every change; the dialog is held while the message is open.
        {"open|txtInterval=60|txtInterval=1|txtInterval=60.5|txtInterval=0.6|txtInterval=|"
         "txtInterval=0|txtInterval=61|txtInterval=abc|txtInterval=60.6|txtInterval=-5|"
         "txtInterval=1e10|txtInterval=99999999999",
         "txtInterval messages view",
         "10 / " + Join(Strings(7, kRange), "|") + " / " +
             Join(Strings(7, "disable|enable|txtInterval=10"), "|")},
        // The reboot pacing boxes are checked on every change, like the interval; the sentence
        // says when the count sets no limit (0.5 stores 0).
        {"RebootLimit=100,25|RebootGrace=61|open|txtRebootLimit=3|txtRebootLimit=-1|"
         "txtRebootLimit=99999999999|txtRebootRest=0|txtRebootGrace=-0.6|txtRebootLimit=0.5",
         "txtRebootLimit Label25 txtRebootRest txtRebootGrace messages",
         "0.5 / " + kNoLimit + " / 4 / 0 / " + Join({kGrace, kLimit, kLimit, kRest, kGrace}, "|")},
        // Enter stores the interval at once (a store that fails says so; an empty box stores
        // nothing), and a close without OK keeps it only: the record is loaded again.
        {"failwrite=PingInterval|open|txtInterval=45|txtInterval^13", "messages",
         kFatalSaveMessage},
        {"open|txtInterval=45|txtInterval^13|txtInterval=|txtInterval^13|txtInterval=46|"
         "txtInterval^65|Combo1=05|Check5+1|CmdAddRbtTime!|unload",
         "lblInterval written world record state",
         "Current Setting is 45 Seconds. / PingInterval / ArmServiceTimers / 2-8" + kNic + "45 " +
             kHomes + " shut 8:0 8:1-9:0 on 000000000 pace 0,4/0 night 10 / 0 icon0 diag0000"},
        // The lists take what the pickers read and lose only the selected entry; the home
        // pages stay.
        {"open|lstReboot#2|lstReboot^13|lstReboot^46|lstReboot^46|Combo7#7|Combo8#30|"
         "CmdAddRbtTime!|Combo8#0|Combo7=ab|CmdAddRbtTime!|Combo7=-3|CmdAddRbtTime!|Combo7=25|"
         "CmdAddRbtTime!|Combo7=7.5|CmdAddRbtTime!|Combo8=-1|CmdAddRbtTime!|lstUrls#3|lstUrls^13|"
         "lstUrls#0|lstUrls^46|lstUrls#1|lstUrls^46|lstUrls#2|lstUrls^46|lstUrls#4|lstUrls^46|"
         "lstReboot#9",
         "lstReboot lstReboot? lstUrls",
         "02:01 02:03 07:53 07:55 07:57 07:30 00:00 25:00 07.5:00 / -1 / " + kHome +
             " http://www.wikipedia.org/"},
        // Enter in the address box checks the address and adds it; a home page adds nothing.
        {"open|txtUrl=HTTP://Upper.test/|txtUrl^13|txtUrl=http://www.bing.com/|txtUrl^13|"
         "txtUrl=ftp://files.test/|txtUrl^13|txtUrl=http://|txtUrl^13|txtUrl=DEBUG|txtUrl^13|"
         "txtUrl=http://typed.test/|txtUrl^46",
         "lstUrls txtUrl state messages",
         kUrls + " HTTP://Upper.test/ http:// / http://typed.test/ / 1 icon0 diag0001 / " +
             kBadUrl + "|" + kBadUrl},
        // Buttons act at once: the configuration program beside the program, once it is there.
        // The window is told of every change the program makes. The hidden diagnostics.
        {"open|CmdConfigModem!|CmdNICenb!|CmdNICdis!|Label23!|"
         "C:\\Program Files\\Quorvane\\Wirecall.exe=MZ|CmdConfigModem!|lstUrls#4|lstUrls^46|"
         "Frame1!!|Frame1!!|Frame1!!|Label17!!|Label19!!|Label19!!|Label2!!|lblInterval!!",
         "world view state Label19~ log",
         "StartTrayAnimation|c:\\windows\\EnbNic.bat minimized|c:\\windows\\DisNic.bat minimized|"
         "\"C:\\Program Files\\Quorvane\\Wirecall.exe\"|mailto:" +
             std::string(kContactAddress) + " / lstUrls=|Label19=Add URL : / 1 icon0 diag1100 / " +
             std::to_string(kRed) + " / Total Data Downloaded for Connectivity : 0 KB."},
        // "Reboot Now" plays the file at once and shows its outcome; a failure shuts nothing
        // down; a click while a reboot runs is refused.
        {"file=10.0.0.1 80 web\r\nGET \"http://10.0.0.1/\"\r\nGET \"http://10.0.0.1/r?pw=x\"|"
         "answer=200|SrvModemFail=1|nested=CmdRebootNow!|open|CmdRebootNow!",
         "messages log world state",
         "A Modem Reboot is already running.|" + kNoAnswer + " / " + kNoAnswer +
             " / ReadCommandFile:" + kFile + " / 1 icon5 diag0000"},
        // The free window as the record holds it: across midnight (its end excluded), by day,
        // and all day for equal hours; a double click on the command file reloads the record only.
        {"Time=22,6|open|Label19!!|time=21|Label1!!|time=22|Label1!!|time=5|Label1!!|time=6|"
         "Label1!!|Time=2,8|txtReboot!!|time=1|Label1!!|time=2|Label1!!|time=7|Label1!!|time=8|"
         "Label1!!|Time=5,5|txtReboot!!|time=4|Label1!!",
         "Combo1 state messages",
         "22 / 1 icon0 diag0010 / " +
             Join({kNo, kYes, kYes, kNo, kNo, kYes, kYes, kNo, kYes}, "|")},
        // The record a load leaves, from what the store holds. A failing step leaves the record
        // as it was (all zero here) from that step on and logs one line.
        {"Time= 02 , 08 ,9|frmTop=1440.5|frmLeft=1441.5|Reboot=|SrvPing=-1|SrvModem=True|"
         "PingUrls=http://a/,,http://b/|SrvShutAt=2|ShutAt=30:75|SrvNicAt=1|SrvModemFail=1|"
         "SrvStartup=1|SrvShutDuring=1|SrvNicDuringN=1|SrvNicDuringD=1|ShutDuring=23:59-00:01|load",
         "record",
         // Halves round to even; no range is enforced on load; "True" is no number.
         "2-8 nic 1:59-7:58 reboot  at 1440,1442 ping 50 home,home,home,http://a/,,http://b/, "
         "shut 30:75 23:59-0:1 on 111111101 pace 0,4/0 night 10"},
        // A count without a rest of 1 to 24 hours (0, or none at all) sets no limit.
        {"RebootLimit=3,0|RebootGrace=10|load", "record",
         loaded + "000000000 pace 0,4/10 night 10"},
        {"RebootLimit=3|load", "record", loaded + "000000000 pace 0,4/0 night 10"},
        // Keeping awake is on unless stored off; waking is off unless stored on.
        {"RebootLimit=1,1|SrvAwake=0|SrvWake=-1|load", "record",
         loaded + "000000000 pace 1,1/0 night 01"},
        {"failread=ShutAt|load", "record state log",
         "2-8" + kNic + "50 " + kHomes + " shut 0:0 0:0-0:0 on 000000000 pace 0,4/0 night 00" +
             error + "5"},
    };
    for (const Row& row : rows)
        Check(row);
}

// Every key a save writes, page by page, a message pump after each page; the shutdown times
// only when ticked.
const std::string kAllKeys =
    "Time SrvAwake SrvWake | NIC SrvNicAt SrvNicDuringN SrvNicDuringD | Reboot SrvModem "
    "SrvModemFail | PingUrls PingInterval SrvPing RebootLimit RebootGrace | SrvShutAt "
    "SrvShutDuring SrvStartup frmTop frmLeft |";

TEST(SaveSettings, OkStoresEveryPageAndTheRecordFollows) {
    const std::string kept = "=ShutAt =SrvShutAt =ShutDuring =SrvShutDuring",
                      kArmed = "ArmServiceTimers";
    const Row rows[] = {
        // Every page; ShutAt and ShutDuring stay as stored; the Run value is deleted.
        {"run=C:\\Quorvane.exe /S|open|moved=1440,2880|CmdMiscOK!",
         "=PingUrls =PingInterval =SrvStartup =frmTop =frmLeft " + kept + " state",
         defaults::kPingUrls +
             std::string(" / 50 / 0 / 1440 / 2880 / <none> / 0 / <none> / 0 / 0 icon0 diag0000")},
        // The writes page by page, a message pump after each; a ticked box writes the Run value
        // anew: the unquoted one of an earlier version goes.
        {"run=C:\\Program Files\\Quorvane\\Quorvane.Exe /S|SrvAwake=1|open|Combo1#22|"
         "Combo2#6|Combo3=0|Combo4=5|Check1+1|Combo9=8|Combo10=0|Check6+1|Combo11=23|Combo12=1|"
         "Combo13=1|Combo14=0|Check5+1|Check7+2|Check2+1|txtInterval=|Check10+0|Check11+1|"
         "lstUrls#4|lstUrls^46|lstUrls#3|lstUrls^46|lstReboot#0|lstReboot^46|CmdTimeOK!",
         "written =Time =NIC =ShutAt =SrvShutAt =ShutDuring =SrvShutDuring =SrvNicDuringN =Reboot "
         "=PingUrls =PingInterval =SrvStartup =SrvAwake =SrvWake record world",
         "Time SrvAwake SrvWake | NIC SrvNicAt SrvNicDuringN SrvNicDuringD | Reboot SrvModem "
         "SrvModemFail | PingUrls PingInterval SrvPing RebootLimit RebootGrace | SrvShutAt ShutAt "
         "SrvShutDuring ShutDuring SrvStartup frmTop frmLeft | / 22,6 / 0:5,7:58 / 08:00 / 1 / "
         "23:01-01:00 / 1 / 0 / 02:03,02:05,07:53,07:55,07:57 /  / 0 / 1 / 0 / 1 / 22-6 nic "
         "0:5-7:58 "
         "reboot 02:03,02:05,07:53,07:55,07:57, at 0,0 ping 0 home,home,home, shut 8:0 23:1-1:0 on "
         "110001001 pace 0,4/0 night 01 / ArmServiceTimers|Run "
         "Quorvane=\"C:\\Program Files\\Quorvane\\Quorvane.Exe\" /S"},
        // The reboot pacing as "count,hours" and minutes; an emptied rest keeps the one the box
        // showed, and each box shows what was stored.
        {"RebootGrace=10|open|txtRebootLimit=3|txtRebootRest=24|"
         "txtRebootGrace=0|CmdConnectivityOK!",
         "=RebootLimit =RebootGrace", "3,24 / 0"},
        {"open|txtRebootLimit=2|txtRebootRest=1|CmdConnectivityOK!", "=RebootLimit", "2,1"},
        {"RebootLimit=5,4|open|txtRebootLimit=0|txtRebootRest=|txtRebootGrace=|CmdConnectivityOK!",
         "=RebootLimit =RebootGrace txtRebootRest txtRebootGrace", "0,4 / 0 / 4 / 0"},
        // Hours are judged as read and stored whole.
        {"open|Combo1=24|Combo2=0.4|CmdTimeOK!", "=Time Label6 Label8", "2,0 / 02 / 00"},
        {"open|Combo1=x|Combo2=-1|CmdTimeOK!", "=Time Label6 Label8", "0,8 / 00 / 08"},
        // An out-of-range minute holds back its pair only; rejected shutdown times write
        // neither key; a picker without an entry keeps the stored value.
        {"open|Combo3=5|Combo4=60|Combo5=6|Combo6=30|CmdNicOK!", "=NIC Label14 Label15",
         "1:59,6:30 / 01:59 / 06:30"},
        {"SrvShutAt=0|ShutAt=08:00|SrvShutDuring=0|ShutDuring=08:01-09:00|open|Check1+1|"
         "Combo10=60|Check6+1|Combo12=-5|CmdMiscOK!",
         kept + " written",
         "08:00 / 0 / 08:01-09:00 / 0 / " + kAllKeys.substr(0, kAllKeys.find(" SrvShutAt")) +
             " SrvStartup frmTop frmLeft |"},
        {"ShutAt=24:5|SrvShutAt=1|open|CmdMiscOK!", "=ShutAt =SrvShutAt", "24:5 / 1"},
        // A refused Run value is logged only; a failing store write stops the save.
        {"deny=|open|Check2+1|CmdMiscOK!", "=SrvStartup =frmLeft state log",
         "0 / 0 / 0 icon5 diag0000 / " + std::string(kRegistryWriteFailed)},
        {"failwrite=PingInterval|nested=unload|open|CmdTimeOK!",  // closed while it saved
         "state messages", "0 icon0 diag0000 / " + std::string(kFatalSaveMessage)},
        // Events while the save yields do not start a second save.
        {"nested=CmdNicOK!;unload|open|CmdTimeOK!", "written state",
         kAllKeys + " / 0 icon0 diag0000"},
    };
    for (const Row& row : rows)
        Check(row, kArmed);
    // Any one of the four pickers out of range rejects the shutdown period.
    for (const std::string pick : {"Combo11=24", "Combo12=60", "Combo13=24", "Combo14=60"})
        Check({"open|Check6+1|" + pick + "|CmdMiscOK!", "=ShutDuring", "<none>"}, kArmed);
}

}  // namespace
}  // namespace qv::test
