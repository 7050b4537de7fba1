#include "app/ProgramActions.h"
#include "tests/app/Program.h"

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
    t.app.settings.SrvShutAt = true;
    t.app.settings.PingUrlList = {t.app.paths.HomePageUrls[0]};
    for (auto service : {&Actions::StartSockets, &Actions::SetServiceTimerIntervals,
                         &Actions::ArmServiceTimers, &Actions::EnableNIC, &Actions::DisableNIC})
        (program.*service)();
    std::string got = program.RebootModem() ? "rebooted " + Join(t.sockets.sent) : "";
    got += program.ModemReachable() ? "|early" : "|probing";  // the answer is still to come
    t.sockets.Answer(true);
    got += program.ModemReachable() ? "|reached|" : "|";
    for (auto service : {&Actions::CheckConnectivity, &Actions::StopSockets, &Actions::ShutDownPC})
        (program.*service)();
    // The batch file, the shutdown timer's period, the programs started, the shutdowns and the
    // library's stops (after its failed start, and at the stop).
    for (size_t n :
         {t.files.files.count(t.app.paths.EnableBatchPath), size_t{t.timers.running.at(kTmrShut)},
          t.process.started.size(), size_t(t.power.shutdowns), size_t(t.sockets.cleanups)})
        got += std::to_string(n) + " ";
    EXPECT_EQ(got + Join(t.LogMessages()) + "|" + Join(t.internet.opened),
              "rebooted reboot\r\n|probing|reached|1 55000 2 1 2 Windows Socket Not Responding.|"
              "Unable to open : http://www.yahoo.com/|http://search.yahoo.com/search?p=weather");
}

}  // namespace
}  // namespace qv::test
