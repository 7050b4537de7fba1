#include <gtest/gtest.h>

#include "app/App.h"
#include "modem/ModemReboot.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

class RebootTest : public ::testing::Test {
  protected:
    void SetUp() override { t.InitPaths(); }
    void Script(const std::string& commands) {
        t.files.files[t.app.paths.CommandFilePath] = "127.0.0.1 23\r\n" + commands;
    }

    TestApp t;
};

TEST_F(RebootTest, PlaysEachPairWithItsPausesAndTrace) {
    Script(
        "WAIT \"login:\"\r\nSEND \"admin\\m\"\r\nWAIT \"\"\r\nSEND \"REBOOT\\m\"\r\n"
        "WAIT \"*\"\r\nSEND \"\"\r\n");
    t.sockets.replies = {"login: please", "bye"};
    t.app.diag.ModemTrace = true;
    EXPECT_TRUE(RebootModem(t.app.modemContext));
    EXPECT_EQ(t.sockets.sent, (std::vector<std::string>{"admin\r\n", "REBOOT\r\n"}));
    // WAIT "" receives nothing; the reboot pause comes before its pair's pause; with nothing to
    // send the Send box shows the reply.
    EXPECT_EQ(t.ui.messages, (std::vector<std::string>{"Recv : login: please", "Send : admin\r\n",
                                                       "Recv : ", "Send : REBOOT\r\n", "Recv : bye",
                                                       "Send : bye"}));
    EXPECT_EQ(t.ui.sleeps, (std::vector<uint32_t>{1000, 2000, 1000, 1000}));
    EXPECT_TRUE(t.sockets.open.empty());
    EXPECT_EQ(t.app.modem.ModemSocket, kNoSocket);
    EXPECT_TRUE(t.LogMessages().empty());
    EXPECT_EQ(t.ui.captions, std::vector<std::string>(6, "Quorvane"));
    // The waits are bounded: the conversation's connect and every receive.
    EXPECT_EQ(t.sockets.connects[0].timeoutMs, t.app.modem.ConnectTimeoutMs);
    EXPECT_EQ(t.sockets.receiveTimeouts,
              (std::vector<uint32_t>{t.app.modem.ReceiveTimeoutMs, t.app.modem.ReceiveTimeoutMs}));
}

TEST_F(RebootTest, EveryFailureIsLoggedClosesTheConnectionAndSetsTheErrorIcon) {
    struct Case {
        std::string name;
        void (*arrange)(TestApp&);
        std::vector<std::string> log;
    };
    const std::string path = "C:\\Program Files\\Quorvane\\Reboot.Txt";
    const std::string refused = "Unable to Reboot Modem - Can't able to Connect 127.0.0.1:";
    const std::string invalid = "Unable to Reboot Modem - Invalid Responce ";
    // clang-format off
    const std::vector<Case> cases = {
        {"missing file", [](TestApp& a) { a.files.files.erase(a.app.paths.CommandFilePath); },
         {"Invalid telnet Commands file : " + path + " Does Not Exist.", "Unable to Reboot Modem - Invalid commands in " + path}},
        {"refused", [](TestApp& a) { a.sockets.connectSucceeds = false; }, {refused + "23"}},
        {"port above the 16-bit range", [](TestApp& a) { a.files.files[a.app.paths.CommandFilePath] = "127.0.0.1 40000\r\nWAIT \"*\"\r\nSEND \"x\"\r\n"; },
         {refused + "40000"}},
        {"no socket", [](TestApp& a) { a.sockets.openFails = true; }, {refused + "23"}},
        {"case mismatch", [](TestApp& a) { a.sockets.replies = {"Login:\r\nmore\r\n"}; }, {invalid + "Login:\tmore\t"}},
        {"short reply", [](TestApp& a) { a.sockets.replies = {"log"}; }, {invalid + "log"}},
        {"silent modem", [](TestApp&) {}, {invalid}},
        // The SEND text keeps its CR LF, so "Unable to send : " splits the log line.
        {"send failed", [](TestApp& a) { a.sockets.replies = {"login:"}; a.sockets.failSendsOf = {"admin\r\n"}; },
         {"Unable to send : admin", ""}},
    };
    // clang-format on
    for (bool modemFail : {false, true}) {
        for (const Case& c : cases) {
            TestApp a;
            a.InitPaths();
            a.files.files[a.app.paths.CommandFilePath] =
                "127.0.0.1 23\r\nWAIT \"login\"\r\nSEND \"admin\\m\"\r\n";
            a.app.settings.SrvModemFail = modemFail;
            c.arrange(a);
            EXPECT_FALSE(RebootModem(a.app.modemContext)) << c.name;
            EXPECT_EQ(a.LogMessages(), c.log) << c.name;
            EXPECT_EQ(a.app.IconState, 5) << c.name;
            EXPECT_TRUE(a.sockets.open.empty()) << c.name;
            EXPECT_EQ(a.app.modem.ModemSocket, kNoSocket) << c.name;
            EXPECT_EQ(a.ShutdownRequests(), modemFail ? 1 : 0) << c.name;
            EXPECT_FALSE(a.app.modem.Reboot.Running()) << c.name;
            EXPECT_EQ(a.sockets.connects.empty(), c.name == "port above the 16-bit range" ||
                                                      c.name == "missing file" ||
                                                      c.name == "no socket")
                << c.name;
        }
    }
}

TEST_F(RebootTest, ACallDuringARunningConversationIsRefusedWithoutSideEffects) {
    Script("WAIT \"*\"\r\nSEND \"a\"\r\nWAIT \"*\"\r\nSEND \"b\"\r\n");
    t.app.settings.SrvModemFail = true;
    std::vector<bool> nested;
    int attempts = 0;
    t.ui.onPump = [&] {
        if (attempts++ < 2) {
            int icon = t.app.IconState;
            size_t opened = t.sockets.connects.size();
            nested.push_back(RebootModem(t.app.modemContext));
            EXPECT_EQ(t.app.IconState, icon);
            EXPECT_EQ(t.sockets.connects.size(), opened);
            EXPECT_EQ(t.sockets.open.size(), 1u);  // the first conversation's connection
        }
    };
    EXPECT_TRUE(RebootModem(t.app.modemContext));
    EXPECT_EQ(nested, (std::vector<bool>{false, false}));
    EXPECT_EQ(t.sockets.sent, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(t.LogMessages().empty());
    EXPECT_EQ(t.ShutdownRequests(), 0);
    // Once it has ended, the next call runs again.
    t.ui.onPump = nullptr;
    EXPECT_TRUE(RebootModem(t.app.modemContext));
}

// Conversations with a modem that speaks telnet, with and without the word telnet on line 1.
// A receive of "" is a quiet gap (or the end); each receive moves the steady clock by 100 ms,
// an empty one by its whole time-out.
TEST_F(RebootTest, TelnetRepliesAreGatheredUntilQuietAndSearchedOnRequest) {
    const std::string iac = "\xff";
    const std::string doEcho = iac + "\xfd\x01", willSga = iac + "\xfb\x03";
    const std::string wontEcho = iac + "\xfc\x01", dontSga = iac + "\xfe\x03";
    struct Row {
        std::string name;
        std::string line1Word;
        std::string commands;
        std::vector<std::string> replies;
        std::vector<std::string> sent;
        std::vector<std::string> recvBoxes;  // empty for a failed conversation
        std::string failure;
        std::vector<uint32_t> timeouts;
        uint32_t receiveTimeoutMs = 30000;
    };
    // clang-format off
    const std::vector<Row> rows = {
        {"negotiation alone is no reply; text is gathered until the modem falls quiet", "",
         "WAIT \"*\"\r\nSEND \"admin\\m\"\r\n",
         {doEcho + willSga, "\r\nBanner\r\n", "host login: ", ""}, {wontEcho + dontSga, "admin\r\n"},
         {"Recv : \r\nBanner\r\nhost login: "}, "", {30000, 29900, 500, 500}},
        {"without the word the gathered reply must begin with the WAIT text", "",
         "WAIT \"host\"\r\nSEND \"admin\\m\"\r\n",
         {doEcho + "\r\nBanner\r\n", "host login: ", ""}, {wontEcho},
         {}, "Unable to Reboot Modem - Invalid Responce \tBanner\thost login: ", {30000, 500, 500}},
        {"the prompt is searched across pieces and what follows it is kept for the next WAIT", " telnet",
         "WAIT \"login:\"\r\nSEND \"admin\\m\"\r\nWAIT \"Password:\"\r\nSEND \"secret\\m\"\r\nWAIT \"\"\r\nSEND \"reboot\\m\"\r\nWAIT \"*\"\r\nSEND \"\"\r\n",
         {doEcho, "\r\nBanner\r\nhost lo", "", "gin: ", "", "admin\r\nPass", "word: x", "", "y", ""},
         {wontEcho, "admin\r\n", "secret\r\n", "reboot\r\n"},
         {"Recv : \r\nBanner\r\nhost login:", "Recv :  admin\r\nPassword:", "Recv : ", "Recv :  xy"}, "",
         {30000, 29900, 500, 29300, 500, 30000, 500, 500, 30000, 500}},
        {"two prompts in one reply: the second WAIT receives nothing", " TELNET",
         "WAIT \"login:\"\r\nSEND \"a\"\r\nWAIT \"Password:\"\r\nSEND \"b\"\r\n",
         {doEcho + "login: Password: ", ""}, {wontEcho, "a", "b"},
         {"Recv : login:", "Recv :  Password:"}, "", {30000, 500}},
        {"a prompt that never comes fails when the receive bound passes, with all that came", " telnet",
         "WAIT \"login:\"\r\nSEND \"a\"\r\n",
         {doEcho, "no", "ise", "\r\n", "more", "mo", "re", "mo", "re", "mo", "re", "unread"}, {wontEcho},
         {}, "Unable to Reboot Modem - Invalid Responce noise\tmoremoremoremo",
         {1000, 900, 500, 500, 500, 500, 400, 300, 200, 100}, 1000},
        {"a modem that closes before the prompt fails at once", " telnet",
         "WAIT \"Password:\"\r\nSEND \"a\"\r\n", {iac + "\xfb\x01login: "}, {iac + "\xfe\x01"},
         {}, "Unable to Reboot Modem - Invalid Responce login: ", {30000, 500, 29400}},
        {"a 255 goes out doubled to a telnet modem", "",
         "WAIT \"*\"\r\nSEND \"p\xffss\\m\"\r\n", {iac + iac + "x", ""}, {"p\xff\xffss\r\n"},
         {"Recv : \xffx"}, "", {30000, 500}},
        {"a modem that never sends 255 gets one receive per WAIT and the text as written", "",
         "WAIT \"*\"\r\nSEND \"p\xffss\\m\"\r\nWAIT \"lo\"\r\nSEND \"b\"\r\n", {"one", "login", "rest"},
         {"p\xffss\r\n", "b"}, {"Recv : one", "Recv : login"}, "", {30000, 30000}},
    };
    // clang-format on
    for (const Row& row : rows) {
        TestApp a;
        a.InitPaths();
        a.files.files[a.app.paths.CommandFilePath] =
            "127.0.0.1 23" + row.line1Word + "\r\n" + row.commands;
        a.app.modem.ReceiveTimeoutMs = row.receiveTimeoutMs;
        a.app.diag.ModemTrace = true;
        a.sockets.replies.assign(row.replies.begin(), row.replies.end());
        EXPECT_EQ(RebootModem(a.app.modemContext), row.failure.empty()) << row.name;
        std::vector<std::string> boxes;
        for (const std::string& box : a.ui.messages) {
            if (box.rfind("Recv : ", 0) == 0)
                boxes.push_back(box);
        }
        EXPECT_EQ(a.sockets.sent, row.sent) << row.name;
        EXPECT_EQ(a.sockets.receiveTimeouts, row.timeouts) << row.name;
        if (row.failure.empty()) {
            EXPECT_EQ(boxes, row.recvBoxes) << row.name;
            EXPECT_TRUE(a.LogMessages().empty()) << row.name;
        } else {
            EXPECT_EQ(a.LogMessages(), std::vector<std::string>{row.failure}) << row.name;
        }
        EXPECT_TRUE(a.sockets.open.empty()) << row.name;
    }
}

// "*" accepts the silent modem's empty reply; without the trace no box is shown.
TEST_F(RebootTest, AReReadOfTheFileDuringTheConversationDoesNotChangeTheScript) {
    Script("WAIT \"*\"\r\nSEND \"a\"\r\nWAIT \"*\"\r\nSEND \"b\"\r\n");
    t.ui.onPump = [&] {
        // The settings dialog reads a shorter file while the conversation runs.
        t.app.modem.CommandPairs.clear();
    };
    EXPECT_TRUE(RebootModem(t.app.modemContext));
    EXPECT_EQ(t.sockets.sent, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(t.ui.messages.empty());
}

}  // namespace
}  // namespace qv::test
