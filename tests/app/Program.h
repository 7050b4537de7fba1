#pragma once
#include <gtest/gtest.h>

#include <new>
#include <set>
#include <sstream>

#include "actions/ShutMod.h"
#include "app/Barrier.h"
#include "app/Icon.h"
#include "app/Scheduler.h"
#include "app/frmIcon.h"
#include "connectivity/PingInet.h"
#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {

// The program over doubles on 7 December 2026 at 12:00 (the free window 2 to 8), its window's
// timers on a simulated clock, the connectivity checks real against search pages of 1536 bytes
// that answer while the line is up. Play() runs a script of steps:
//   "K=V" stores a setting ('_' for a blank; once started: read again and the timers armed, as the
//   dialog does),
//   "@d/hh:mm:ss" or "@yyyy-mm-dd/hh:mm:ss" sets the clock, "+N" runs the timers N seconds ("+Nm":
//   minutes, "+Nms": milliseconds), "zN" keeps the thread busy N seconds (the computer sleeps or
//   the process is frozen), "load" is the window's load (in the start-up barrier) and activation,
//   "start" that with the service timers armed and the journal kept from the start line on, "sleep"
//   and "resume" Windows' power events, "up"/"down" the line, "exit" the menu's "&Exit", "unload"
//   Windows closing the window, "shutdown" a shutdown by the program, "menuN" the tray menu with
//   command N chosen, "mouseN" a tray mouse message, "tickN" a tick of timer N, "slowN" makes
//   each check and reboot take N seconds, "!Name" makes the next call of service Name fail,
//   "reachable" the modem answer and "rebootfails" its reboots fail, "windows" a start by
//   Windows, "second" a start while another copy runs, "nonotepad" Notepad fail to start,
//   "nolog" the log vanish, "readonly" the temporary folder refuse writes and "nobrowser" the
//   report page fail to open.
// It answers with the journal: log lines, services, power and tray requests in order (but those
// `hidden`), each new time of the clock before its first entry ("hh:mm:ss "); then every message
// box, started program and opened document.
// The free window's first lines with the keep-awake request, and the request given back.
inline const std::string kStarted = "Free Usage Time Started.";
inline const std::string kOpened =
    kStarted + "|awake|Keeping the Computer Awake in Free Usage Time.";
inline const std::string kMaySleep = "may sleep|Computer may Sleep Again.";
// The end line of a window without a page.
inline const std::string kEnded = "Free Usage Time Ended : 0 KB in 0 Pages, 0 Failed.";

struct Program {
    Program() {
        t.clock.now = {2026, 12, 7, 12, 0, 0};
        t.clock.decimalSeparator = ",";
        t.InitPaths();
        t.timers.steadyMs = &t.clock.steadyMs;
        t.timers.onTick = [this](int id) { form.OnTimer(id); };
        t.actions.onCall = [this](const std::string& call) {
            Note(call, Time(t.clock.now));
            if (throwOnce.erase(call))
                throw std::bad_alloc();
            if (call == "CheckConnectivity")
                CheckConnectivity(t.app.connectivityContext);
            if (call == "StartTrayAnimation")
                TrayAnimate(t.app);
            if (slowMs && (call == "CheckConnectivity" || call == "RebootModem")) {
                t.timers.Block(slowMs);  // a long step, then the window serves what fell due
                t.timers.Run(0);
            }
        };
        t.power.onCall = t.tray.onCall = t.actions.onCall;
        t.store.Put("PingUrls", "");
        LineUp();
    }
    void LineUp() {
        for (const std::string& url : t.app.paths.SearchPageUrls)
            t.internet.pages[url] = std::string(1536, 'x');
    }
    static std::string Time(const LocalTime& n) {
        char text[12];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", n.hour, n.minute, n.second);
        return text;
    }
    // Adds the log's new lines, then `what` at `time`.
    void Note(const std::string& what, const std::string& time) {
        const std::string& log = t.files.files[t.app.paths.LogPath];
        for (size_t end; (end = log.find("\r\n", logRead)) != std::string::npos; logRead = end + 2)
            Add(log.substr(logRead + 24, end - logRead - 24), log.substr(logRead + 11, 8));
        if (!what.empty())
            Add(what, time);
    }
    void Add(const std::string& what, const std::string& time) {
        if (quiet) {  // the start's own entries, up to its line
            quiet = !what.starts_with("Dastrel's Quorvane Helper Started");
            return;
        }
        if (hidden.count(what.substr(0, what.find_first_of(" :"))))
            return;
        journal += (journal.empty() ? "" : "|") + (time == lastTime ? "" : time + " ") + what;
        lastTime = time;
    }
    std::string Play(const std::string& script) {
        std::istringstream in(script);
        for (std::string step; in >> step;) {
            try {
                Step(step);
            } catch (const ProcessEnded&) {
                Note("ended", Time(t.clock.now));
            }
        }
        Note("", "");
        std::string all = journal;
        for (size_t i = 0; i < t.ui.messages.size(); ++i)
            all += "|box " + t.ui.captions[i] + ": " + t.ui.messages[i];
        for (const auto& [line, show] : t.process.started)
            all += "|start " + line + (show == ShowCommand::Normal ? "" : " minimized");
        for (const std::string& path : t.process.documentsOpened)
            all += "|open " + path;
        return all;
    }
    void Step(std::string step) {
        const size_t eq = step.find('=');
        const int64_t ms = std::atoll(step.c_str() + 1) * (step.ends_with("ms") ? 1
                                                           : step.back() == 'm' ? 60000
                                                                                : 1000);
        LocalTime& now = t.clock.now;
        if (step[0] == '@') {
            if (step.find('-') == std::string::npos)
                step = "@2026-12-" + step.substr(1);
            std::sscanf(step.c_str(), "@%d-%d-%d/%d:%d:%d", &now.year, &now.month, &now.day,
                        &now.hour, &now.minute, &now.second);
        } else if (step[0] == '+' || step[0] == 'z') {
            step[0] == '+' ? t.timers.Run(ms) : t.timers.Block(ms);
        } else if (step == "load" || step == "start") {
            quiet = started = step == "start";
            if (!StartupBarrier(t.app, [&] { form.Form_Load(); }))
                Note("start failed", Time(t.clock.now));
            form.Form_Activate();
            if (started) {
                SetServiceTimerIntervals(t.app);
                ArmServiceTimers(t.app);
            }
        } else if (events.count(step)) {
            events.at(step)();
        } else if (step.starts_with("menu")) {
            t.menu.choice = std::atoi(step.c_str() + 4);
            form.OnTrayCallback(kTrayRightButtonUp);
        } else if (step.starts_with("mouse") || step.starts_with("tick")) {
            const int n = std::stoi(step.substr(step.find_first_of("0123456789")), nullptr, 0);
            step[0] == 'm' ? form.OnTrayCallback(n) : form.OnTimer(n);
        } else if (step.starts_with("slow")) {
            slowMs = std::atoll(step.c_str() + 4) * 1000;
        } else if (step[0] == '!') {
            throwOnce.insert(step.substr(1));
        } else if (eq != std::string::npos) {
            std::string value = step.substr(eq + 1);
            std::replace(value.begin(), value.end(), '_', ' ');
            t.store.Put(step.substr(0, eq), value);
            if (started) {
                GetSettings(t.app.settingsAccess);
                ArmServiceTimers(t.app);
            }
        } else {
            ADD_FAILURE() << "unknown step " << step;
        }
    }

    TestApp t;
    FrmIcon form{t.app};
    // Entries left out of the journal, by their first word.
    std::set<std::string> hidden = {
        "ModemReachable", "CheckConnectivity", "StartTrayAnimation", "show", "change", "Total"};
    // The steps of one word.
    const std::map<std::string, std::function<void()>> events = {
        {"sleep", [this] { form.OnPowerBroadcast(kPowerSuspend); }},
        {"resume", [this] { form.OnPowerBroadcast(kPowerResumeAutomatic); }},
        {"up", [this] { LineUp(); }},
        {"down", [this] { t.internet.pages.clear(); }},
        {"exit", [this] { form.mExit_Click(); }},
        {"unload", [this] { form.Form_Unload(); }},
        {"shutdown", [this] { ShutDownPC(t.app.shutdownControl); }},
        {"second", [this] { t.process.otherInstanceRunning = true; }},  // another copy runs
        {"nobrowser", [this] { t.process.openSucceeds = false; }},
        {"nonotepad", [this] { t.process.startSucceeds = false; }},
        {"reachable", [this] { t.actions.modemReachable = true; }},
        {"rebootfails", [this] { t.actions.rebootSucceeds = false; }},
        {"windows", [this] { t.process.arguments = "x"; }},  // started by Windows
        {"nolog", [this] { t.files.files.clear(), logRead = 0; }},
        {"readonly", [this] { t.files.readOnlyFolders.insert("C:\\Users\\me\\Temp"); }}};
    std::set<std::string> throwOnce;  // services whose next call fails as memory running out does
    bool started = false, quiet = false;
    int64_t slowMs = 0;  // how long a check or a reboot keeps the thread
    std::string journal, lastTime;
    size_t logRead = 0;
};

}  // namespace qv::test
