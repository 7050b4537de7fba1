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
    EXPECT_EQ(t.files.files.count(t.app.paths.EnableBatchPath), 1u);
    t.files.files[t.app.paths.CommandFilePath] =
        "127.0.0.1 23\r\nWAIT \"\"\r\nSEND \"reboot\\m\"\r\n";
    t.sockets.startFailsLibrary = true;
    program.StartSockets();
    program.SetServiceTimerIntervals();
    t.app.settings.SrvShutAt = true;
    program.ArmServiceTimers();
    EXPECT_EQ(t.timers.running.at(kTmrShut), 55000u);
    program.EnableNIC();
    program.DisableNIC();
    EXPECT_EQ(t.process.started.size(), 2u);
    EXPECT_TRUE(program.RebootModem());
    EXPECT_EQ(t.sockets.sent, std::vector<std::string>{"reboot\r\n"});
    EXPECT_FALSE(program.ModemReachable());  // the probe is started, its answer still to come
    EXPECT_EQ(t.sockets.pending.size(), 1u);
    t.sockets.Answer(true);
    EXPECT_TRUE(program.ModemReachable());
    t.app.settings.PingUrlList = {t.app.paths.HomePageUrls[0]};
    program.CheckConnectivity();
    EXPECT_EQ(t.internet.opened.size(), 1u);
    program.StopSockets();
    program.ShutDownPC();
    EXPECT_EQ(t.power.shutdowns, 1);
    EXPECT_EQ(t.sockets.cleanups, 2);  // after the failed start, and at the stop
    EXPECT_EQ(t.LogMessages(),
              (std::vector<std::string>{"Windows Socket Not Responding.",
                                        "Unable to open : " + t.app.paths.HomePageUrls[0]}));
}

}  // namespace
}  // namespace qv::test
