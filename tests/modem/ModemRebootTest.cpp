#include <gtest/gtest.h>

#include "app/App.h"
#include "modem/ModemReboot.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

using Waits = std::vector<uint32_t>;

// Conversations played from the command file over scripted sockets, with the trace on and a
// failure shutting the computer down; nothing done while one runs changes it. A receive of "" is a
// quiet gap (or the end); each receive moves the steady clock by 100 ms, an empty one by its whole
// time-out.
TEST(RebootTest, PlaysThePairsAndLogsEveryFailure) {
    const std::string doEcho = "\xff\xfd\x01", willSga = "\xff\xfb\x03";
    const std::string wontEcho = "\xff\xfc\x01", dontSga = "\xff\xfe\x03";
    const std::string path = "C:\\Program Files\\Quorvane\\Reboot.Txt";
    const std::string invalid = "Unable to Reboot Modem - Invalid Responce ";
    const std::string login = "WAIT \"login\"\r\nSEND \"admin\\m\"\r\n";
    struct Row {
        std::string line1, commands;
        Strings replies = {}, sent = {}, trace = {}, log = {};  // no log: rebooted
        Waits receives = {}, pauses = {};
        uint32_t receiveTimeoutMs = 30000;
    };
    // clang-format off
    const std::vector<Row> rows = {
        // WAIT "" receives nothing; the reboot pause comes before its pair's pause; with nothing
        // to send the trace shows the reply.
        {"127.0.0.1 23", "WAIT \"login:\"\r\nSEND \"admin\\m\"\r\nWAIT \"\"\r\nSEND \"REBOOT\\m\"\r\nWAIT \"*\"\r\nSEND \"\"\r\n",
         {"login: please", "bye"}, {"admin\r\n", "REBOOT\r\n"},
         {"Recv : login: please", "Send : admin\r\n", "Recv : ", "Send : REBOOT\r\n", "Recv : bye", "Send : bye"}, {},
         {30000, 30000}, {1000, 2000, 1000, 1000}},
        {"", "", {}, {}, {}, {"Invalid telnet Commands file : " + path + " Does Not Exist.", "Unable to Reboot Modem - Invalid commands in " + path}},
        {"127.0.0.1 40000", login, {}, {}, {}, {"Unable to Reboot Modem - Can't able to Connect 127.0.0.1:40000"}},
        {"127.0.0.1 23", login, {"Login:\r\nmore\r\n"}, {}, {}, {invalid + "Login:\tmore\t"}, {30000}},
        {"127.0.0.1 23", login, {"log"}, {}, {}, {invalid + "log"}, {30000}},
        {"127.0.0.1 23", login, {}, {}, {}, {invalid}, {30000}},
        // A send that fails ends the conversation with its text in the log.
        {"127.0.0.1 23", login + "WAIT \"*\"\r\nSEND \"fail\"\r\n", {"login:"}, {"admin\r\n"}, {"Recv : login:", "Send : admin\r\n", "Recv : "},
         {"Unable to send : fail"}, {30000, 30000}, {1000}},
        // A telnet modem: negotiation alone is no reply; text is gathered until it falls quiet.
        {"127.0.0.1 23", "WAIT \"*\"\r\nSEND \"admin\\m\"\r\n",
         {doEcho + willSga, "\r\nBanner\r\n", "host login: ", ""}, {wontEcho + dontSga, "admin\r\n"},
         {"Recv : \r\nBanner\r\nhost login: ", "Send : admin\r\n"}, {}, {30000, 29900, 500, 500}, {1000}},
        // Without the word telnet the gathered reply must begin with the WAIT text.
        {"127.0.0.1 23", "WAIT \"host\"\r\nSEND \"admin\\m\"\r\n", {doEcho + "\r\nBanner\r\n", "host login: ", ""}, {wontEcho},
         {}, {invalid + "\tBanner\thost login: "}, {30000, 500, 500}},
        // With it the prompt is searched across pieces; what follows it is kept for the next WAIT.
        {"127.0.0.1 23 telnet", "WAIT \"login:\"\r\nSEND \"admin\\m\"\r\nWAIT \"Password:\"\r\nSEND \"secret\\m\"\r\nWAIT \"\"\r\nSEND \"reboot\\m\"\r\nWAIT \"*\"\r\nSEND \"\"\r\n",
         {doEcho, "\r\nBanner\r\nhost lo", "", "gin: ", "", "admin\r\nPass", "word: x", "", "y", ""},
         {wontEcho, "admin\r\n", "secret\r\n", "reboot\r\n"},
         {"Recv : \r\nBanner\r\nhost login:", "Send : admin\r\n", "Recv :  admin\r\nPassword:", "Send : secret\r\n",
          "Recv : ", "Send : reboot\r\n", "Recv :  xy", "Send :  xy"}, {},
         {30000, 29900, 500, 29300, 500, 30000, 500, 500, 500, 500}, {1000, 1000, 2000, 1000, 1000}},
        // Two prompts in one reply: the second WAIT receives nothing.
        {"127.0.0.1 23 TELNET", "WAIT \"login:\"\r\nSEND \"a\"\r\nWAIT \"Password:\"\r\nSEND \"b\"\r\n",
         {doEcho + "login: Password: ", ""}, {wontEcho, "a", "b"}, {"Recv : login:", "Send : a", "Recv :  Password:", "Send : b"}, {},
         {30000, 500}, {1000, 1000}},
        // A prompt that never comes fails when the receive bound passes, with all that came.
        {"127.0.0.1 23 telnet", "WAIT \"login:\"\r\nSEND \"a\"\r\n",
         {doEcho, "no", "ise", "\r\n", "more", "mo", "re", "mo", "re", "mo", "re", "unread"}, {wontEcho},
         {}, {invalid + "noise\tmoremoremoremo"}, {1000, 900, 500, 500, 500, 500, 400, 300, 200, 100}, {}, 1000},
        // With text left by the previous prompt, WAIT "*" takes it and what follows until the
        // modem falls quiet, not the whole receive bound.
        {"127.0.0.1 23 telnet", "WAIT \"login:\"\r\nSEND \"a\"\r\nWAIT \"*\"\r\nSEND \"b\"\r\n",
         {doEcho + "login: rest", "", " more", ""}, {wontEcho, "a", "b"},
         {"Recv : login:", "Send : a", "Recv :  rest more", "Send : b"}, {},
         {30000, 500, 500, 500}, {1000, 1000}},
        // A modem that closes before the prompt fails at once.
        {"127.0.0.1 23 telnet", "WAIT \"Password:\"\r\nSEND \"a\"\r\n", {"\xff\xfb\x01login: "}, {"\xff\xfe\x01"},
         {}, {invalid + "login: "}, {30000, 500, 29400}},
        // A telnet answer that cannot be sent fails its step (the modem refuses option 42's).
        {"127.0.0.1 23", "WAIT \"*\"\r\nSEND \"a\"\r\n", {"\xff\xfd*login: "}, {}, {}, {"Unable to send : 255 252 42"}, {30000}},
        {"127.0.0.1 23 telnet", "WAIT \"login:\"\r\nSEND \"a\"\r\n", {"\xff\xfd*lo", "gin: "}, {}, {}, {"Unable to send : 255 252 42"}, {30000}},
        // A 255 goes out doubled to a telnet modem, as written to one that never sent a 255.
        {"127.0.0.1 23", "WAIT \"*\"\r\nSEND \"p\xffss\\m\"\r\n", {"\xff\xffx", ""}, {"p\xff\xffss\r\n"},
         {"Recv : \xffx", "Send : p\xffss\r\n"}, {}, {30000, 500}, {1000}},
        {"127.0.0.1 23", "WAIT \"*\"\r\nSEND \"p\xffss\\m\"\r\nWAIT \"lo\"\r\nSEND \"b\"\r\n", {"one", "login", "rest"},
         {"p\xffss\r\n", "b"}, {"Recv : one", "Send : p\xffss\r\n", "Recv : login", "Send : b"}, {}, {30000, 30000}, {1000, 1000}},
    };
    // clang-format on
    for (const Row& row : rows) {
        TestApp t;
        t.InitPaths();
        if (!row.line1.empty())  // else there is no command file
            t.files.files[path] = row.line1 + "\r\n" + row.commands;
        t.app.modem.ReceiveTimeoutMs = row.receiveTimeoutMs;
        t.app.diag.ModemTrace = true;
        t.app.settings.SrvModemFail = true;
        t.sockets.replies.assign(row.replies.begin(), row.replies.end());
        t.sockets.failSendsOf = {"fail", "\xff\xfc*"};
        t.app.modem.Unread = "login: Password: ";  // what an earlier conversation left
        t.app.modem.Telnet.Take("\xff\xfd\x01");
        // Meanwhile the dialog reads a shorter file and a tick asks for a reboot, in vain.
        t.ui.onPump = [&] {
            t.app.modem.CommandPairs.clear();
            EXPECT_FALSE(RebootModem(t.app.modemContext));
        };
        const std::string name = row.line1 + "\r\n" + row.commands;
        EXPECT_EQ(RebootModem(t.app.modemContext), row.log.empty()) << name;
        EXPECT_EQ(t.sockets.sent, row.sent) << name;
        EXPECT_EQ(t.ui.messages, row.trace) << name;
        EXPECT_EQ(t.LogMessages(), row.log) << name;
        EXPECT_EQ(t.sockets.receiveTimeouts, row.receives) << name;
        EXPECT_EQ(t.ui.pauses, row.pauses) << name;
        // Shut down, error icon, connections left open (the web-port probe's aside).
        const size_t probes = t.app.modem.ProbeSocket != kNoSocket;
        EXPECT_EQ(std::to_string(t.ShutdownRequests()) + std::to_string(t.app.IconState) +
                      std::to_string(t.sockets.open.size() - probes + t.app.modem.ModemSocket),
                  row.log.empty() ? "000" : "150")
            << name;
        EXPECT_FALSE(t.app.modem.Reboot.Running()) << name;
    }
}

// A reply holds at most one receive buffer (51,200 characters) and a search at most 1 MiB, to the
// byte, whatever the modem sends at once; the rest stays in the connection. A failure's line
// carries the last 51,200 characters of what came.
TEST(RebootTest, RepliesAndSearchesStopAtTheirCaps) {
    const std::string doEcho = "\xff\xfd\x01";
    const std::string path = "C:\\Program Files\\Quorvane\\Reboot.Txt";
    const std::string invalid = "Unable to Reboot Modem - Invalid Responce ";
    const size_t buffer = 51200, search = 1 << 20;
    const std::string full(buffer, 'n');
    struct Row {
        std::string line1, commands;
        Strings replies, trace, log;
    };
    // Twenty full buffers and a piece bring the search to 1 MiB exactly, just before the prompt.
    Strings flood = {doEcho};
    for (size_t at = 0; at + buffer <= search; at += buffer)
        flood.push_back(full);
    flood.push_back(std::string(search % buffer, 'n') + "login: ");
    // clang-format off
    const std::vector<Row> rows = {
        // One receive takes a buffer's worth; the next WAIT finds the rest.
        {"127.0.0.1 23", "WAIT \"*\"\r\nSEND \"a\"\r\nWAIT \"xy\"\r\nSEND \"b\"\r\n",
         {full + "xy"}, {"Recv : " + full, "Send : a", "Recv : xy", "Send : b"}, {}},
        // A telnet modem's gathered reply stops at the buffer too.
        {"127.0.0.1 23", "WAIT \"*\"\r\nSEND \"a\"\r\nWAIT \"xy\"\r\nSEND \"b\"\r\n",
         {doEcho + full.substr(3), "abcxy", ""}, {"Recv : " + full.substr(3) + "abc", "Send : a", "Recv : xy", "Send : b"}, {}},
        // A reply longer than the buffer fails with its first buffer, all of it in the line.
        {"127.0.0.1 23", "WAIT \"login:\"\r\nSEND \"a\"\r\n", {full + "login:"}, {}, {invalid + full}},
        // The search stops at 1 MiB; its line keeps the last 51,200 characters.
        {"127.0.0.1 23 telnet", "WAIT \"login:\"\r\nSEND \"a\"\r\n", flood, {}, {invalid + full}},
        {"127.0.0.1 23 telnet", "WAIT \"login:\"\r\nSEND \"a\"\r\n", {doEcho + "\r\n" + full + "\r\n", ""}, {},
         {invalid + full.substr(1) + "\t"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        TestApp t;
        t.InitPaths();
        t.files.files[path] = row.line1 + "\r\n" + row.commands;
        t.app.diag.ModemTrace = true;
        t.sockets.replies.assign(row.replies.begin(), row.replies.end());
        const std::string name = row.line1 + " " + std::to_string(row.replies.size());
        EXPECT_EQ(RebootModem(t.app.modemContext), row.log.empty()) << name;
        EXPECT_EQ(t.ui.messages, row.trace) << name;
        EXPECT_EQ(t.LogMessages(), row.log) << name;
    }
}

// The program asked to end (a close request, the end of the session or a quit message, all
// one request to the logic) at any wait of a conversation that would fail: the conversation
// stops there, writes no failure line, never shuts the computer down and closes its connection.
TEST(RebootTest, AnEndAtAnyWaitStopsTheConversationWithoutFailureOrShutdown) {
    auto play = [](int endAtWait, TestApp& t) {
        t.InitPaths();
        t.files.files[t.app.paths.CommandFilePath] =
            "127.0.0.1 23\r\nWAIT \"login:\"\r\nSEND \"admin\\m\"\r\nWAIT \"\"\r\nSEND "
            "\"REBOOT\\m\"\r\nWAIT \"bye\"\r\nSEND \"x\"\r\n";
        t.app.settings.SrvModemFail = true;
        t.sockets.replies = {"login:"};
        t.ui.endAtWait = endAtWait;
        return RebootModem(t.app.modemContext);
    };
    TestApp unended;
    EXPECT_FALSE(play(0, unended));
    EXPECT_EQ(unended.LogMessages(), Strings{"Unable to Reboot Modem - Invalid Responce "});
    EXPECT_EQ(unended.ShutdownRequests(), 1);
    ASSERT_GT(unended.ui.waits, 10);  // the connect, receives, sends, pumps and pauses
    for (int wait = 1; wait <= unended.ui.waits; ++wait) {
        TestApp t;
        EXPECT_FALSE(play(wait, t)) << wait;
        EXPECT_EQ(
            Join(t.LogMessages()) + "/" + std::to_string(t.ShutdownRequests()) + "/" +
                std::to_string(t.app.IconState) + "/" +
                std::to_string(t.sockets.open.size() - (t.app.modem.ProbeSocket != kNoSocket) +
                               t.app.modem.ModemSocket),
            "/0/0/0")
            << wait;
        // Nothing starts once the end was asked for.
        EXPECT_FALSE(RebootModem(t.app.modemContext));
        EXPECT_EQ(t.sockets.connects.size(), 1u) << wait;
    }
}

}  // namespace
}  // namespace qv::test
