#include <gtest/gtest.h>

#include <deque>

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
        return ReadCommandFile(t.app.modemContext, t.app.paths.CommandFilePath);
    }
    // The script as read: "address port", " telnet" when replies are searched, then the pairs.
    std::string Script() const {
        const ModemState& m = t.app.modem;
        std::string script =
            m.ModemAddress + " " + m.ModemPort + (m.SearchReplies ? " telnet" : "");
        for (const CommandPair& pair : m.CommandPairs)
            script += " [" + pair.WaitText + "|" + pair.SendText + "]";
        return script;
    }

    TestApp t;
};

TEST_F(CommandFileTest, ReadsAddressPortAndDecodedPairsInFileOrder) {
    const std::string pair = "\r\nWAIT \"*\"\r\nSEND \"x\"\r\n";
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        // The argument ends at the second quote even after a backslash, which then stays.
        {"192.168.1.1 23\r\nWAIT \"login:\"\r\nSEND \"admin\\m\"\rWAIT \"\"\r\nSEND \"say \\\"hi\\\\\"\r\nWAIT \"*\"\r\nSEND \"\"\r\n\r\n\r\n",
         "192.168.1.1 23 [login:|admin\r\n] [|say \\] [*|]"},
        // Pairs are taken by position, so an empty line shifts them.
        {"1.2.3.4 23\r\nWAIT \"*\"\r\nSEND \"a\"\r\n\r\nWAIT \"*\"\r\nSEND \"b\"\r\n", "1.2.3.4 23 [*|a] [|*]"},
        {"10.0.0.1  23\rWAIT \"*\"\rSEND \"x\"\r", "10.0.0.1  [*|x]"},  // two blanks: an empty port
        // A third word telnet, in any case, asks for searching the replies.
        {"192.168.1.1 23 telnet" + pair, "192.168.1.1 23 telnet [*|x]"},
        {"192.168.1.1 23 TelNet" + pair, "192.168.1.1 23 telnet [*|x]"},
        {"192.168.1.1 23  telnet" + pair, "192.168.1.1 23 [*|x]"},
        {"192.168.1.1 23 telnets" + pair, "192.168.1.1 23 [*|x]"},
        {"192.168.1.1 23 raw telnet" + pair, "192.168.1.1 23 [*|x]"},
    };
    // clang-format on
    for (const auto& [content, script] : rows) {
        EXPECT_TRUE(Read(content)) << content;
        EXPECT_EQ(Script(), script);
    }
    EXPECT_TRUE(t.LogMessages().empty());
}

TEST_F(CommandFileTest, DecodesEscapesInOrderAndInPlace) {
    std::string text = "a\\mb\\\\m\\\"c\\M\\\\\\\\";
    EXPECT_EQ(DecodeEscapes(text), "a\r\nb\\\r\n\"c\\M\\\\");
    EXPECT_EQ(text, "a\r\nb\\\r\n\"c\\M\\\\");
}

TEST_F(CommandFileTest, ARejectedFileLogsOneLineSetsTheErrorIconAndKeepsThePreviousScript) {
    const std::string pair = "\r\nWAIT \"*\"\r\nSEND \"x\"\r\n";
    const std::string firstLine = "first line must be IP & Port.";
    const std::pair<std::string, std::string> cases[] = {
        {"modem 23" + pair, firstLine},
        {pair, firstLine},
        {"", firstLine},
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
        Read("5.6.7.8 23" + pair);
        t.app.IconState = 0;
        EXPECT_FALSE(Read(content)) << content;
        EXPECT_EQ(t.LogMessages().back(), "Invalid telnet Commands file : " + rejection);
        EXPECT_EQ(t.app.IconState, 5) << content;
        if (rejection != "Unknown Error 9") {  // a fault while reading may leave part behind
            EXPECT_EQ(Script(), "5.6.7.8 23 [*|x]") << content;
        }
    }
    EXPECT_EQ(t.LogMessages().size(), std::size(cases));  // one line each
    EXPECT_FALSE(ReadCommandFile(t.app.modemContext, "C:\\nowhere\\Reboot.Txt"));
    EXPECT_EQ(t.LogMessages().back(),
              "Invalid telnet Commands file : C:\\nowhere\\Reboot.Txt Does Not Exist.");
}

// A file that shrinks between the counting pass and the reading pass ends too early.
class ShrinkingFiles : public FakeFiles {
  public:
    std::deque<std::string> passes;
    std::unique_ptr<FileReader> OpenForReading(const std::string&) override {
        if (passes.empty())
            return nullptr;
        opened.push_back(passes.front());
        passes.pop_front();
        return std::make_unique<TextReader>(opened.back());
    }
    bool CanOpenForReading(const std::string&) override { return true; }

  private:
    std::deque<std::string> opened;
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
    EXPECT_FALSE(ReadCommandFile(app.modemContext, "C:\\Reboot.Txt"));
    EXPECT_NE(shrinking.files[app.paths.LogPath].find(
                  "Invalid telnet Commands file : Unknown Error 62\r\n"),
              std::string::npos);
}

// A command file of `size` bytes made while it is read: line 1 and two pairs, then lines of
// 'x' that are no command lines, megabytes long.
class GeneratedFile : public FileReader {
  public:
    explicit GeneratedFile(size_t size) : left_(size) {}
    int64_t Read(char* buffer, size_t size) override {
        const std::string head =
            "10.0.0.1 23\r\nWAIT \"*\"\r\nSEND \"a\\m\"\r\nWAIT \"\"\r\nSEND \"b\"\r\n";
        size_t n = std::min(size, left_);
        if (pos_ < head.size()) {
            n = std::min(n, head.copy(buffer, n, pos_));
        } else {
            std::fill_n(buffer, n, 'x');
            buffer[0] = (pos_ / size) % 640 ? 'x' : '\r';
        }
        pos_ += n;
        left_ -= n;
        return static_cast<int64_t>(n);
    }

  private:
    size_t left_;
    size_t pos_ = 0;
};

class GeneratedFiles : public FakeFiles {
  public:
    size_t size = 0;
    std::unique_ptr<FileReader> OpenForReading(const std::string&) override {
        return std::make_unique<GeneratedFile>(size);
    }
    bool CanOpenForReading(const std::string&) override { return true; }
};

TEST(CommandFileMemoryTest, AHundredMegabyteFileIsRead) {
    TestApp t;
    t.InitPaths();
    GeneratedFiles big;
    big.size = 100u << 20;
    Platform platform = t.Compose({.files = &big});
    App app(platform);
    app.paths = t.app.paths;
    ASSERT_TRUE(ReadCommandFile(app.modemContext, app.paths.CommandFilePath));
    ASSERT_EQ(app.modem.CommandPairs.size(), 2u);
    EXPECT_EQ(app.modem.CommandPairs[0].SendText, "a\r\n");
    EXPECT_EQ(app.modem.CommandPairs[1].WaitText, "");
}

TEST_F(CommandFileTest, LineEndsSplitBetweenTwoReadsAreOneLineEnd) {
    for (size_t piece : {1u, 2u, 3u, 7u}) {
        t.files.readPiece = piece;
        // Line 4 is empty (CR CR), so the second pair is shifted by one line.
        EXPECT_TRUE(Read("1.2.3.4 23\r\nWAIT \"x\"\r\nSEND \"y\"\r\rWAIT \"\"\r\nSEND \"z\""));
        EXPECT_EQ(Script(), "1.2.3.4 23 [x|y] [|]") << piece;
    }
}

}  // namespace
}  // namespace qv::test
