#include <gtest/gtest.h>

#include "app/App.h"
#include "modem/TelNetCmds.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

class CommandFileTest : public ::testing::Test {
  protected:
    void SetUp() override { t.InitPaths(); }
    bool Read(const std::string& content) {
        t.files.files[t.app.paths.CommandFilePath] = content;
        return ReadCommandFile(t.app, t.app.paths.CommandFilePath);
    }
    const std::vector<CommandPair>& Pairs() { return t.app.modem.CommandPairs; }

    TestApp t;
};

TEST_F(CommandFileTest, ReadsAddressPortAndDecodedPairsInFileOrder) {
    ASSERT_TRUE(
        Read("192.168.1.1 23\r\nWAIT \"login:\"\r\nSEND \"admin\\m\"\r"
             "WAIT \"\"\r\nSEND \"say \\\"hi\\\\\"\r\nWAIT \"*\"\r\nSEND \"\"\r\n\r\n\r\n"));
    EXPECT_EQ(t.app.modem.ModemAddress, "192.168.1.1");
    EXPECT_EQ(t.app.modem.ModemPort, "23");
    ASSERT_EQ(Pairs().size(), 3u);
    EXPECT_EQ(Pairs()[0].WaitText, "login:");
    EXPECT_EQ(Pairs()[0].SendText, "admin\r\n");
    EXPECT_EQ(Pairs()[1].WaitText, "");
    // The argument ends at the second quote even after a backslash, which then stays.
    EXPECT_EQ(Pairs()[1].SendText, "say \\");
    EXPECT_EQ(Pairs()[2].WaitText, "*");
    EXPECT_EQ(Pairs()[2].SendText, "");
    EXPECT_TRUE(t.LogMessages().empty());

    // Pairs are taken by position, so an empty line shifts them.
    ASSERT_TRUE(Read("1.2.3.4 23\r\nWAIT \"*\"\r\nSEND \"a\"\r\n\r\nWAIT \"*\"\r\nSEND \"b\"\r\n"));
    ASSERT_EQ(Pairs().size(), 2u);
    EXPECT_EQ(Pairs()[1].WaitText, "");
    EXPECT_EQ(Pairs()[1].SendText, "*");
    // Two blanks give an empty port, and the file is taken.
    ASSERT_TRUE(Read("10.0.0.1  23\rWAIT \"*\"\rSEND \"x\"\r"));
    EXPECT_EQ(t.app.modem.ModemAddress, "10.0.0.1");
    EXPECT_EQ(t.app.modem.ModemPort, "");
}

TEST_F(CommandFileTest, AThirdWordTelnetOnLine1AsksForSearchingAndLeavesThePort) {
    struct Row {
        std::string line1;
        std::string port;
        bool search;
    };
    const std::vector<Row> rows = {
        {"192.168.1.1 23 telnet", "23", true},   {"192.168.1.1 23 TelNet", "23", true},
        {"192.168.1.1 23", "23", false},         {"192.168.1.1 23  telnet", "23", false},
        {"192.168.1.1 23 telnets", "23", false}, {"192.168.1.1 23 raw telnet", "23", false},
    };
    for (const Row& row : rows) {
        t.app.modem.SearchReplies = !row.search;
        ASSERT_TRUE(Read(row.line1 + "\r\nWAIT \"*\"\r\nSEND \"x\"\r\n")) << row.line1;
        EXPECT_EQ(t.app.modem.ModemPort, row.port) << row.line1;
        EXPECT_EQ(t.app.modem.SearchReplies, row.search) << row.line1;
    }
}

TEST_F(CommandFileTest, DecodesEscapesInOrderAndInPlace) {
    std::string text = "a\\mb\\\\m\\\"c\\M\\\\\\\\";
    EXPECT_EQ(DecodeEscapes(text), "a\r\nb\\\r\n\"c\\M\\\\");
    EXPECT_EQ(text, "a\r\nb\\\r\n\"c\\M\\\\");
}

TEST(CommandFileRejection, LogsOneLineSetsTheErrorIconAndKeepsThePreviousScript) {
    const std::string pair = "\r\nWAIT \"*\"\r\nSEND \"x\"\r\n";
    const std::string firstLine = "first line must be IP & Port.";
    const std::pair<std::string, std::string> cases[] = {
        {"modem 23" + pair, firstLine},
        {pair, firstLine},
        {"0.0.0.0 23" + pair, firstLine},
        {"-1 23" + pair, firstLine},
        {"192.168.1.1" + pair, "Unknown Error 9"},                        // no port
        {"192.168.1.1 23\r\n", "Unknown Error 9"},                        // no pairs
        {"192.168.1.1 23\nWAIT \"*\"\nSEND \"x\"\n", "Unknown Error 9"},  // LF only: one line
        {"1.2.3.4 23\r\nWAIT \"*\"\r\nSEND \"a\"\r\nWAIT \"*\"\r\n", "Command Pairs must be even."},
        // Keywords count only in capitals: three of these four lines are commands.
        {"1.2.3.4 23\r\nWAIT \"*\"\r\nsend \"a\"\r\nWAIT \"*\"\r\nSEND \"b\"\r\n",
         "Command Pairs must be even."},
    };
    for (const auto& [content, rejection] : cases) {
        TestApp t;
        t.InitPaths();
        t.files.files[t.app.paths.CommandFilePath] = "5.6.7.8 23" + pair;
        ASSERT_TRUE(ReadCommandFile(t.app, t.app.paths.CommandFilePath));
        t.files.files[t.app.paths.CommandFilePath] = content;
        EXPECT_FALSE(ReadCommandFile(t.app, t.app.paths.CommandFilePath)) << content;
        EXPECT_EQ(t.LogMessages(),
                  std::vector<std::string>{"Invalid telnet Commands file : " + rejection})
            << content;
        EXPECT_EQ(t.app.IconState, 5) << content;
        if (rejection == "Unknown Error 9")
            continue;  // a fault while reading may leave part of the new file behind
        EXPECT_EQ(t.app.modem.ModemAddress, "5.6.7.8") << content;
        ASSERT_EQ(t.app.modem.CommandPairs.size(), 1u) << content;
        EXPECT_EQ(t.app.modem.CommandPairs[0].SendText, "x") << content;
    }
    TestApp t;
    t.InitPaths();
    EXPECT_FALSE(ReadCommandFile(t.app, "C:\\nowhere\\Reboot.Txt"));
    EXPECT_EQ(t.LogMessages(), std::vector<std::string>{"Invalid telnet Commands file : "
                                                        "C:\\nowhere\\Reboot.Txt Does Not Exist."});
}

// A file that shrinks between the counting pass and the reading pass ends too early.
class ShrinkingFiles : public FakeFiles {
  public:
    std::vector<std::string> passes;
    std::optional<std::string> ReadAll(const std::string&) override {
        if (passes.empty())
            return std::nullopt;
        std::string next = passes.front();
        passes.erase(passes.begin());
        return next;
    }
    bool CanOpenForReading(const std::string&) override { return true; }
};

TEST(CommandFileChangeTest, AFileThatEndsEarlyInTheSecondPassGivesCode62) {
    TestApp t;
    t.InitPaths();
    ShrinkingFiles shrinking;
    shrinking.passes = {"1.2.3.4 23\r\nWAIT \"*\"\r\nSEND \"x\"\r\n",
                        "1.2.3.4 23\r\nWAIT \"*\"\r\n"};
    Platform platform = t.Compose({.files = &shrinking});
    App app(platform);
    app.paths = t.app.paths;
    EXPECT_FALSE(ReadCommandFile(app, "C:\\Reboot.Txt"));
    EXPECT_NE(shrinking.files[app.paths.LogPath].find(
                  "Invalid telnet Commands file : Unknown Error 62\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace qv::test
