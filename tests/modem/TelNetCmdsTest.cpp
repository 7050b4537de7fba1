#include <gtest/gtest.h>

#include <deque>
#include <iostream>

#include "app/App.h"
#include "modem/TelNetCmds.h"
#include "tests/doubles/HeapCounter.h"
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
        ASSERT_TRUE(ReadCommandFile(t.app.modemContext, t.app.paths.CommandFilePath));
        t.files.files[t.app.paths.CommandFilePath] = content;
        EXPECT_FALSE(ReadCommandFile(t.app.modemContext, t.app.paths.CommandFilePath)) << content;
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
    EXPECT_FALSE(ReadCommandFile(t.app.modemContext, "C:\\nowhere\\Reboot.Txt"));
    EXPECT_EQ(t.LogMessages(), std::vector<std::string>{"Invalid telnet Commands file : "
                                                        "C:\\nowhere\\Reboot.Txt Does Not Exist."});
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

TEST(CommandFileMemoryTest, AHundredMegabyteFileIsReadInLittleMemory) {
    TestApp t;
    t.InitPaths();
    GeneratedFiles big;
    big.size = 100u << 20;
    Platform platform = t.Compose({.files = &big});
    App app(platform);
    app.paths = t.app.paths;
    bench::ResetHeapPeak();
    const size_t before = bench::HeapInUse();
    ASSERT_TRUE(ReadCommandFile(app.modemContext, app.paths.CommandFilePath));
    const size_t peak = bench::HeapPeak() - before;
    std::cout << "[ heap     ] peak above start while reading 100 MiB: " << peak << " bytes\n";
    EXPECT_LT(peak, 64u << 10);
    ASSERT_EQ(app.modem.CommandPairs.size(), 2u);
    EXPECT_EQ(app.modem.CommandPairs[0].SendText, "a\r\n");
    EXPECT_EQ(app.modem.CommandPairs[1].WaitText, "");
}

TEST_F(CommandFileTest, LineEndsSplitBetweenTwoReadsAreOneLineEnd) {
    for (size_t piece : {1u, 2u, 3u, 7u}) {
        t.files.readPiece = piece;
        // Line 4 is empty (CR CR), so the second pair is shifted by one line.
        ASSERT_TRUE(Read("1.2.3.4 23\r\nWAIT \"x\"\r\nSEND \"y\"\r\rWAIT \"\"\r\nSEND \"z\""))
            << piece;
        ASSERT_EQ(Pairs().size(), 2u) << piece;
        EXPECT_EQ(Pairs()[0].SendText + "|" + Pairs()[1].WaitText + "|" + Pairs()[1].SendText,
                  "y||")
            << piece;
    }
}

}  // namespace
}  // namespace qv::test
