#include <gtest/gtest.h>

#include "actions/ShutMod.h"
#include "app/NightReport.h"
#include "app/PopupMenu.h"
#include "app/Scheduler.h"
#include "app/Timer.h"
#include "app/frmIcon.h"
#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

constexpr int64_t kSecond = 1000;

// The program from its start at `hh:mm:ss` on 7 December, the window 2 to 8, a keep-alive
// check every 60 s that opens a page of 1536 bytes (the decimal separator is a comma).
struct Night {
    explicit Night(int h, int m, int s) {
        t.clock.now = {2026, 12, 7, h, m, s};
        t.clock.decimalSeparator = ",";
        t.store.Put("SrvPing", "1");
        t.store.Put("PingInterval", "60");
        t.timers.onTick = [this](int id) { form.OnTimer(id); };
        t.actions.onCall = [this](const std::string& call) {
            if (call == "CheckConnectivity") {
                t.app.traffic.TotalBytesDownloaded += 1536;
                ++t.app.net.PagesOpened;
            }
        };
        form.Form_Load();
        SetServiceTimerIntervals(t.app);
        ArmServiceTimers(t.app);
    }
    std::string Log() const {
        std::string all;
        for (const std::string& line : t.LogMessages())
            all += line.empty() ? "" : line + "|";
        return all;
    }
    TestApp t;
    FrmIcon form{t.app};
};

// The window's lines: found open at the start or when it opens, ended when it closes, when the
// program quits or is closed by Windows, or before a shutdown; a failed page counts in the end
// line.
TEST(FreeWindowLines, TellThePartOfTheWindowTheProgramSaw) {
    const std::string started = "Dastrel's Quorvane Helper Started.|",
                      opened =
                          "Free Usage Time Started.|Keeping the Computer Awake in Free Usage "
                          "Time.|",
                      mayNap = "Computer may Sleep Again.|";
    struct Row {
        int h, m, s;
        int64_t runMs;
        std::string then, log;
    };
    const Row rows[] = {
        {7, 58, 30, 130 * kSecond, "",
         started + opened + "Free Usage Time Ended : 1,5 KB in 1 Pages, 0 Failed.|" + mayNap},
        {1, 59, 10, 120 * kSecond, "", started + opened},  // opens at the 02:00 minute
        {3, 0, 0, 61 * kSecond, "exit",
         started + opened + "Free Usage Time Ended : 1,5 KB in 1 Pages, 1 Failed.|" + mayNap +
             "Dastrel's Quorvane Helper Quitting.|"},
        {3, 0, 0, 61 * kSecond, "unload",
         started + opened + "Free Usage Time Ended : 1,5 KB in 1 Pages, 1 Failed.|" + mayNap},
        // Windows ends the program with the computer: the request goes with it.
        {3, 0, 0, 61 * kSecond, "shutdown",
         started + opened +
             "Free Usage Time Ended : 1,5 KB in 1 Pages, 1 "
             "Failed.|Total Data Downloaded for Connectivity : 1,5 KB.|"},
        {12, 0, 0, 61 * kSecond, "shutdown", started},  // outside the window: no line
    };
    for (const Row& row : rows) {
        Night n(row.h, row.m, row.s);
        n.t.timers.Run(row.runMs);
        ++n.t.app.net.PagesFailed;  // a page failed meanwhile
        if (row.then == "exit") {
            EXPECT_THROW(n.form.mExit_Click(), ProcessEnded);
        }
        if (row.then == "unload")  // closed by Windows: no quit line
            n.form.Form_Unload();
        if (row.then == "shutdown")
            ShutDownPC(n.t.app.shutdownControl);
        EXPECT_EQ(n.Log(), row.log) << row.h << ":" << row.m << " " << row.then;
    }
}

// "&NightReport" writes the page and the CSV into the temporary folder and opens the page; the
// window still open is reported with the program's own counts. A log that cannot be read, a
// folder that cannot be written and a page that cannot be opened are each one message box
// and one failure line.
TEST(NightReportMenu, WritesThePageBesideItsCsvAndOpensIt) {
    const std::string folder = "C:\\Users\\me\\Temp\\";
    const std::string log = "C:\\Program Files\\Quorvane\\Quorvane.log";
    struct Row {
        std::string fault;
        std::string world;
    };
    const Row rows[] = {
        {"", "opened " + folder +
                 "NightReport.html|page: Last 1 night: 1,5 KB, 100,0% online, 0 outages, 0 "
                 "reboots, 0 helped"},
        {"no log", "box Quorvane: " + std::string(kLogUnreadable) + log + "|state 5|lines 1"},
        {"read-only", "box Quorvane: " + std::string(kReportUnwritable) + folder +
                          "NightReport.html|state 5|lines 4"},
        {"no browser", "opened " + folder +
                           "NightReport.html|box Quorvane: " + std::string(kReportNotOpened) +
                           folder + "NightReport.html|state 5|lines 4"},
    };
    for (const Row& row : rows) {
        Night n(3, 0, 0);
        n.t.timers.Run(61 * kSecond);
        if (row.fault == "no log")
            n.t.files.files.clear();
        if (row.fault == "read-only")
            n.t.files.readOnlyFolders.insert("C:\\Users\\me\\Temp");
        n.t.process.openSucceeds = row.fault != "no browser";
        n.t.menu.choice = kCmdNightReport;
        n.form.OnTrayCallback(kTrayRightButtonUp);

        std::string world;
        for (const std::string& opened : n.t.process.documentsOpened)
            world += "opened " + opened + "|";
        for (size_t i = 0; i < n.t.ui.messages.size(); ++i)
            world += "box " + n.t.ui.captions[i] + ": " + n.t.ui.messages[i] + "|";
        const auto page = n.t.files.files.find(folder + "NightReport.html");
        const auto csv = n.t.files.files.find(folder + "NightReport.csv");
        if (page != n.t.files.files.end() && csv != n.t.files.files.end() && row.fault.empty()) {
            const size_t at = page->second.find("Last ");
            world += "page: " + page->second.substr(at, page->second.find('.', at) - at);
        }
        if (!row.fault.empty())
            world += "state " + std::to_string(n.t.app.IconState) + "|lines " +
                     std::to_string(n.t.LogMessages().size());
        EXPECT_EQ(world, row.world) << row.fault;
    }
}

}  // namespace
}  // namespace qv::test
