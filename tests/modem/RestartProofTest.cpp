#include <gtest/gtest.h>

#include "app/App.h"
#include "app/Scheduler.h"
#include "app/Timer.h"
#include "modem/ModemReboot.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

// A reboot whose web-port probe answered `before` ("+" connected, "-" refused, " " not yet)
// while the script ran, then the watch's probes every 5 s answered as `after` says (the last
// answer repeats; "!": the probe cannot start; "R": another reboot, its probe answering "+"): the
// lines the log gains and whether the watch's timer ran. The timer stops itself when the watch
// ends.
TEST(RestartProof, TellsFromTheWebPortWhetherTheModemRestarted) {
    struct Row {
        char before;
        std::string script, after;
        Strings log;
    };
    const std::string done = "WAIT \"\"\r\nSEND \"x\"\r\n",
                      fails = "WAIT \"\"\r\nSEND \"fail\"\r\n";
    // clang-format off
    const Row rows[] = {
        {'+', done, "+--+", {"Modem Restarted in 20 Seconds."}},
        {'+', done, "-  +", {"Modem Restarted in 20 Seconds."}},
        {'+', done, "+", {"Modem did not Restart."}},
        {'+', done, "+-", {"Modem did not Come Back."}},
        {'+', done, "!!+", {"Modem Restarted in 15 Seconds."}},
        {'+', done, "-R-+", {"Modem did not Come Back.", "Modem Restarted in 10 Seconds."}},
        {'+', done, "+R+", {"Modem did not Restart.", "Modem did not Restart."}},
        {'-', done, "-+", {}},
        {' ', done, "-+", {}},
        {'+', fails, "-+", {"Unable to send : fail"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        TestApp t;
        t.InitPaths();
        CreateFormTimers(t.app);
        t.files.files[t.app.paths.CommandFilePath] = "127.0.0.1 23\r\n" + row.script;
        t.sockets.failSendsOf = {"fail"};
        char before = row.before;
        t.ui.onPump = [&] {
            if (before != ' ' && !t.sockets.pending.empty())
                t.sockets.Answer(before == '+');
        };
        RebootModem(t.app.modemContext);
        before = ' ';
        for (size_t tick = 0; t.timers.running.count(kTmrModemProof) && tick < 100; ++tick) {
            t.clock.steadyMs += 5000;
            const char answer = row.after[std::min(tick, row.after.size() - 1)];
            t.sockets.startFails = answer == '!';
            before = answer == 'R' ? '+' : ' ';
            if (answer == 'R')
                RebootModem(t.app.modemContext);
            else
                tmrModemProof_Timer(t.app);
            if (answer != ' ' && !t.sockets.pending.empty())
                t.sockets.Answer(answer == '+');
        }
        EXPECT_EQ(t.LogMessages(), row.log) << row.before + row.script + row.after;
        EXPECT_EQ(t.timers.running.count(kTmrModemProof), 0u) << row.after;
    }
}

}  // namespace
}  // namespace qv::test
