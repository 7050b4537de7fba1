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
    // The one log line a rejected file gives, without the common beginning.
    std::string Rejection() {
        auto messages = t.LogMessages();
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_EQ(t.app.IconState, 5);
        const std::string prefix = "Invalid telnet Commands file : ";
        if (messages.empty() || messages.back().rfind(prefix, 0) != 0)
            return "<no rejection>";
        return messages.back().substr(prefix.size());
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
}

TEST_F(CommandFileTest, DecodesEscapesInOrderAndInPlace) {
    std::string text = "a\\mb\\\\m\\\"c\\M\\\\\\\\";
    EXPECT_EQ(DecodeEscapes(text), "a\r\nb\\\r\n\"c\\M\\\\");
    EXPECT_EQ(text, "a\r\nb\\\r\n\"c\\M\\\\");
}

TEST_F(CommandFileTest, RejectsAMissingFileWithItsFullPath) {
    EXPECT_FALSE(ReadCommandFile(t.app, "C:\\nowhere\\Reboot.Txt"));
    EXPECT_EQ(Rejection(), "C:\\nowhere\\Reboot.Txt Does Not Exist.");
}

TEST_F(CommandFileTest, RejectsFirstLinesThatAreNoAddressAndPort) {
    for (const char* first : {"modem 23", "", "0.0.0.0 23", "-1 23"}) {
        TestApp fresh;
        fresh.InitPaths();
        fresh.files.files[fresh.app.paths.CommandFilePath] =
            std::string(first) + "\r\nWAIT \"*\"\r\nSEND \"x\"\r\n";
        EXPECT_FALSE(ReadCommandFile(fresh.app, fresh.app.paths.CommandFilePath)) << first;
        ASSERT_EQ(fresh.LogMessages().size(), 1u) << first;
        EXPECT_EQ(fresh.LogMessages()[0],
                  "Invalid telnet Commands file : first line must be IP & Port.")
            << first;
    }
}

TEST_F(CommandFileTest, AddressWithoutPortAndFilesWithoutPairsGiveCode9) {
    EXPECT_FALSE(Read("192.168.1.1\r\nWAIT \"*\"\r\nSEND \"x\"\r\n"));
    EXPECT_EQ(Rejection(), "Unknown Error 9");

    TestApp none;
    none.InitPaths();
    none.files.files[none.app.paths.CommandFilePath] = "192.168.1.1 23\r\n";
    EXPECT_FALSE(ReadCommandFile(none.app, none.app.paths.CommandFilePath));
    EXPECT_EQ(none.LogMessages(),
              std::vector<std::string>{"Invalid telnet Commands file : Unknown Error 9"});
}

TEST_F(CommandFileTest, LfOnlyLineEndsMakeOneLineAndNoPairs) {
    EXPECT_FALSE(Read("192.168.1.1 23\nWAIT \"*\"\nSEND \"x\"\n"));
    EXPECT_EQ(Rejection(), "Unknown Error 9");
}

TEST_F(CommandFileTest, TwoBlanksGiveAnEmptyPortAndTheFileIsTaken) {
    ASSERT_TRUE(Read("10.0.0.1  23\rWAIT \"*\"\rSEND \"x\"\r"));
    EXPECT_EQ(t.app.modem.ModemAddress, "10.0.0.1");
    EXPECT_EQ(t.app.modem.ModemPort, "");
}

TEST_F(CommandFileTest, CountsOnlyKeywordsInCapitalsAtTheStartOfALine) {
    // Three command lines.
    EXPECT_FALSE(Read("1.2.3.4 23\r\nWAIT \"*\"\r\nSEND \"a\"\r\nWAIT \"*\"\r\n"));
    EXPECT_EQ(Rejection(), "Command Pairs must be even.");
    // Four command lines, one of them with its keyword in small letters: three are counted.
    TestApp other;
    other.InitPaths();
    other.files.files[other.app.paths.CommandFilePath] =
        "1.2.3.4 23\r\nWAIT \"*\"\r\nsend \"a\"\r\nWAIT \"*\"\r\nSEND \"b\"\r\n";
    EXPECT_FALSE(ReadCommandFile(other.app, other.app.paths.CommandFilePath));
    EXPECT_EQ(
        other.LogMessages(),
        std::vector<std::string>{"Invalid telnet Commands file : Command Pairs must be even."});
}

TEST_F(CommandFileTest, PairsAreTakenByPositionSoAnEmptyLineShiftsThem) {
    ASSERT_TRUE(
        Read("1.2.3.4 23\r\nWAIT \"*\"\r\nSEND \"help\\m\"\r\n\r\n"
             "WAIT \"*\"\r\nSEND \"reboot\\m\"\r\n"));
    ASSERT_EQ(Pairs().size(), 2u);
    EXPECT_EQ(Pairs()[0].SendText, "help\r\n");
    EXPECT_EQ(Pairs()[1].WaitText, "");
    EXPECT_EQ(Pairs()[1].SendText, "*");
}

TEST_F(CommandFileTest, ARejectedFileLeavesThePreviousScript) {
    ASSERT_TRUE(Read("1.2.3.4 23\r\nWAIT \"*\"\r\nSEND \"x\"\r\n"));
    EXPECT_FALSE(Read("1.2.3.4 23\r\nWAIT \"*\"\r\n"));
    EXPECT_EQ(t.app.modem.ModemAddress, "1.2.3.4");
    ASSERT_EQ(Pairs().size(), 1u);
    EXPECT_EQ(Pairs()[0].SendText, "x");
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
    ASSERT_EQ(shrinking.files.count(app.paths.LogPath), 1u);
    EXPECT_NE(shrinking.files[app.paths.LogPath].find(
                  "Invalid telnet Commands file : Unknown Error 62\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace qv::test
