#include <gtest/gtest.h>

#include "app/ProgramActions.h"
#include "app/Timer.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

// Each service the program's routines ask for reaches the module that carries it out, as the
// doubles of the outside world see it.
TEST(ProgramActions, EachServiceReachesItsModule) {
    TestApp t;
    ProgramActions program(t.app);
    t.app.SetActions(program);
    t.InitPaths();  // start-up writes the network card's batch files
    t.files.files[t.app.paths.CommandFilePath] =
        "127.0.0.1 23\r\nWAIT \"\"\r\nSEND \"reboot\\m\"\r\n";
    t.sockets.startFailsLibrary = true;
    program.StartSockets();
    program.SetServiceTimerIntervals();
    t.app.settings.SrvShutAt = true;
    program.ArmServiceTimers();
    program.EnableNIC();
    program.DisableNIC();
    std::string got = program.RebootModem() ? "rebooted " + Join(t.sockets.sent) : "";
    got += program.ModemReachable() ? "|early" : "|probing";  // the answer is still to come
    t.sockets.Answer(true);
    got += program.ModemReachable() ? "|reached" : "";
    t.app.settings.PingUrlList = {t.app.paths.HomePageUrls[0]};
    program.CheckConnectivity();
    program.StopSockets();
    program.ShutDownPC();
    // The batch file, the shutdown timer's period, the programs started, the shutdowns and the
    // library's stops (after its failed start, and at the stop).
    const Strings counts = {std::to_string(t.files.files.count(t.app.paths.EnableBatchPath)),
                            std::to_string(t.timers.running.at(kTmrShut)),
                            std::to_string(t.process.started.size()),
                            std::to_string(t.power.shutdowns), std::to_string(t.sockets.cleanups)};
    EXPECT_EQ(
        got + "|" + Join(t.LogMessages()) + "|" + Join(t.internet.opened) + "|" + Join(counts, " "),
        "rebooted reboot\r\n|probing|reached|Windows Socket Not Responding.|Unable to open : "
        "http://www.yahoo.com/|http://search.yahoo.com/search?p=weather|1 55000 2 1 2");
}

}  // namespace
}  // namespace qv::test
