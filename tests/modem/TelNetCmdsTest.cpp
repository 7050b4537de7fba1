#include <gtest/gtest.h>

#include <deque>

#include "app/App.h"
#include "modem/TelNetCmds.h"
#include "tests/doubles/FakePlatform.h"
#include "tests/doubles/HeapCounter.h"

namespace qv::test {
namespace {

// The script as read: "address port", " telnet" when replies are searched, then the pairs.
std::string Script(const ModemState& m) {
    std::string script = m.ModemAddress + " " + m.ModemPort + (m.SearchReplies ? " telnet" : "");
    for (const CommandPair& pair : m.CommandPairs)
        script += " [" + pair.WaitText + "|" + pair.SendText + "]";
    return script;
}

TEST(CommandFileTest, ReadsAddressPortAndDecodedPairsInFileOrderWhereverReadsEnd) {
    const std::string pair = "\r\nWAIT \"*\"\r\nSEND \"x\"\r\n";
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        // The argument ends at the second quote even after a backslash, which then stays.
        {"192.168.1.1 23\r\nWAIT \"login:\"\r\nSEND \"admin\\m\"\rWAIT \"\"\r\nSEND \"say \\\"hi\\\\\"\r\nWAIT \"*\"\r\nSEND \"\"\r\n\r\n\r\n",
         "192.168.1.1 23 [login:|admin\r\n] [|say \\] [*|]"},
        // Escapes are decoded in turn: \m, then \", then a doubled backslash.
        {"1.2.3.4 23\r\nWAIT \"a\\mb\\\\m\\\\\\\\\"\r\nSEND \"c\\M\\\\\\\\\\\\\"\r\n", "1.2.3.4 23 [a\r\nb\\\r\n\\\\|c\\M\\\\\\]"},
        // Pairs are taken by position, so an empty line shifts them.
        {"1.2.3.4 23\r\nWAIT \"*\"\r\nSEND \"a\"\r\n\r\nWAIT \"*\"\r\nSEND \"b\"\r\n", "1.2.3.4 23 [*|a] [|*]"},
        {"1.2.3.4 23\r\nWAIT \"x\"\r\nSEND \"y\"\r\rWAIT \"\"\r\nSEND \"z\"", "1.2.3.4 23 [x|y] [|]"},
        {"10.0.0.1  23\rWAIT \"*\"\rSEND \"x\"\r", "10.0.0.1  [*|x]"},  // two blanks: an empty port
        // A third word telnet, in any case, asks for searching the replies.
        {"192.168.1.1 23 telnet" + pair, "192.168.1.1 23 telnet [*|x]"},
        {"192.168.1.1 23 TelNet" + pair, "192.168.1.1 23 telnet [*|x]"},
        {"192.168.1.1 23  telnet" + pair, "192.168.1.1 23 [*|x]"},
        {"192.168.1.1 23 telnets" + pair, "192.168.1.1 23 [*|x]"},
        {"192.168.1.1 23 raw telnet" + pair, "192.168.1.1 23 [*|x]"},
    };
    // clang-format on
    TestApp t;
    t.InitPaths();
    const std::string& path = t.app.paths.CommandFilePath;
    for (const auto& [content, script] : rows) {
        for (size_t piece : {1u, 2u, 3u, 4096u}) {  // line ends split between two reads
            t.files.readPiece = piece;
            t.files.files[path] = content;
            EXPECT_TRUE(ReadCommandFile(t.app.modemContext, path)) << content;
            EXPECT_EQ(Script(t.app.modem), script) << piece;
        }
    }
    EXPECT_TRUE(t.LogMessages().empty());
}

TEST(CommandFileTest, ARejectedFileLogsOneLineSetsTheErrorIconAndKeepsThePreviousScript) {
    const std::string pair = "\r\nWAIT \"*\"\r\nSEND \"x\"\r\n";
    const std::string firstLine = "first line must be IP & Port.",
                      odd = "Command Pairs must be even.";
    const std::pair<std::string, std::string> rows[] = {
        {"modem 23" + pair, firstLine},
        {pair, firstLine},
        {"", firstLine},
        {"0.0.0.0 23" + pair, firstLine},
        {"-1 23" + pair, firstLine},
        {"192.168.1.1" + pair, "Unknown Error 9"},                        // no port
        {"192.168.1.1 23\r\n", "Unknown Error 9"},                        // no pairs
        {"192.168.1.1 23\nWAIT \"*\"\nSEND \"x\"\n", "Unknown Error 9"},  // LF only: one line
        {"1.2.3.4 23\r\nWAIT \"*\"\r\nSEND \"a\"\r\nWAIT \"*\"\r\n", odd},
        // Keywords count only in capitals: three of these four lines are commands.
        {"1.2.3.4 23\r\nWAIT \"*\"\r\nsend \"a\"\r\nWAIT \"*\"\r\nSEND \"b\"\r\n", odd},
        {"1.2.3.4 23\r\nWAIT \"*\"\r\nSEND \"a\"\r\nWAITING\r\n", odd},
    };
    std::vector<std::string> log;
    for (const auto& [content, rejection] : rows) {
        TestApp t;
        t.InitPaths();
        const std::string& path = t.app.paths.CommandFilePath;
        t.files.files[path] = "5.6.7.8 23" + pair;
        ASSERT_TRUE(ReadCommandFile(t.app.modemContext, path));
        t.files.files[path] = content;
        EXPECT_FALSE(ReadCommandFile(t.app.modemContext, path)) << content;
        EXPECT_EQ(t.LogMessages(), (std::vector{"Invalid telnet Commands file : " + rejection}));
        EXPECT_EQ(t.app.IconState, 5) << content;
        if (rejection != "Unknown Error 9") {  // a fault while reading may leave part behind
            EXPECT_EQ(Script(t.app.modem), "5.6.7.8 23 [*|x]") << content;
        }
    }
    TestApp t;
    t.InitPaths();
    EXPECT_FALSE(ReadCommandFile(t.app.modemContext, "C:\\nowhere\\Reboot.Txt"));
    EXPECT_EQ(t.LogMessages(),
              (std::vector<std::string>{"Invalid telnet Commands file : C:\\nowhere\\Reboot.Txt "
                                        "Does Not Exist."}));
}

// Each opening reads the next of `passes`, as if the file changed in between.
class ChangingFiles : public FakeFiles {
  public:
    std::deque<std::string> passes, opened;
    bool CanOpenForReading(const std::string&) override { return true; }
    std::unique_ptr<FileReader> OpenForReading(const std::string&) override {
        opened.push_back(std::move(passes.front()));
        passes.pop_front();
        return std::make_unique<TextReader>(opened.back());
    }
};

TEST(CommandFileTest, AHugeFileIsReadInLittleMemoryAndOneThatShrinksGivesCode62) {
    const std::string head =
        "10.0.0.1 23\r\nWAIT \"*\"\r\nSEND \"a\\m\"\r\nWAIT \"\"\r\nSEND \"b\"\r\n";
    const std::string huge = head + std::string(16u << 20, 'x');
    const std::pair<std::string, std::string> rows[] = {
        {huge, "10.0.0.1 23 [*|a\r\n] [|b]"},
        {"10.0.0.1 23\r\n",
         "05/12/2026 19:42:28 >   Invalid telnet Commands file : Unknown Error 62\r\n"}};
    for (const auto& [second, outcome] : rows) {
        TestApp t;
        t.InitPaths();
        ChangingFiles files;
        files.passes = {second.size() > head.size() ? huge : head, second};
        Platform platform = t.Compose({.files = &files});
        App app(platform);
        app.paths = t.app.paths;
        bench::ResetHeapPeak();
        const size_t before = bench::HeapInUse();
        const bool read = ReadCommandFile(app.modemContext, "C:\\Reboot.Txt");
        EXPECT_LT(bench::HeapPeak() - before, 64u << 10);
        EXPECT_EQ(read ? Script(app.modem) : files.files[app.paths.LogPath], outcome);
    }
}

}  // namespace
}  // namespace qv::test
