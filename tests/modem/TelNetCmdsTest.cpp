#include <gtest/gtest.h>

#include <fstream>

#include "app/App.h"
#include "modem/TelNetCmds.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

// The script as read: "address port", " telnet" when replies are searched, then the pairs; or
// " web" and the steps, each as its keyword's first letters and its arguments.
std::string Script(const ModemState& m) {
    std::string script = m.ModemAddress + " " + m.ModemPort + (m.SearchReplies ? " telnet" : "");
    for (const CommandPair& pair : m.CommandPairs)
        script += " [" + pair.WaitText + "|" + pair.SendText + "]";
    script += m.WebMode ? " web" : "";
    for (const WebStep& step : m.WebSteps)
        script += std::string(" <") + "UHGPEZ"[static_cast<int>(step.kind)] + " " + step.first +
                  (step.second.empty() ? "" : "|" + step.second) + ">";
    return script;
}

// Each file is read over a good one, in reads of a few bytes and of many: the script read, or
// the one line a rejected file logs; then the packaged samples.
TEST(CommandFileTest, ReadsTheScriptOrRejectsTheFileWithOneLogLine) {
    const std::string pair = "\r\nWAIT \"*\"\r\nSEND \"x\"\r\n",
                      bad = "Invalid telnet Commands file : ";
    const std::string firstLine = bad + "first line must be IP & Port.",
                      odd = bad + "Command Pairs must be even.";
    // clang-format off
    std::vector<std::pair<std::string, std::string>> rows = {
        // The argument ends at the second quote even after a backslash, which then stays.
        {"192.168.1.1 23\r\nWAIT \"login:\"\r\nSEND \"admin\\m\"\rWAIT \"\" \"x\"\r\nSEND \"say \\\"hi\\\\\"\r\nWAIT \"*\"\r\nSEND \"\"\r\n\r\n\r\n",
         "192.168.1.1 23 [login:|admin\r\n] [|say \\] [*|]"},
        // Escapes are decoded in turn: \m, then \", then a doubled backslash.
        {"1.2.3.4 23\r\nWAIT \"a\\mb\\\\m\\\\\\\\\"\r\nSEND \"c\\M\\\\\\\\\\\\\"\r\n", "1.2.3.4 23 [a\r\nb\\\r\n\\\\|c\\M\\\\\\]"},
        // Pairs are taken by position, so an empty line shifts them.
        {"1.2.3.4 23\r\nWAIT \"*\"\r\nSEND \"a\"\r\n\r\nWAIT \"*\"\r\nSEND \"b\"\r\n", "1.2.3.4 23 [*|a] [|*]"},
        {"1.2.3.4 23\r\nWAIT \"x\"\r\nSEND \"y\"\r\rWAIT \"\"\r\nSEND \"z\"", "1.2.3.4 23 [x|y] [|]"},
        {"10.0.0.1  23\rWAIT \"*\"\rSEND \"x\"\r", "10.0.0.1  [*|x]"},  // two blanks: an empty port
        {pair, firstLine},
        {"", firstLine},
        {"0.0.0.0 23" + pair, firstLine},
        {"192.168.1.1" + pair, bad + "Unknown Error 9"},                        // no port
        {"192.168.1.1 23\r\n", bad + "Unknown Error 9"},                        // no pairs
        {"192.168.1.1 23\nWAIT \"*\"\nSEND \"x\"\n", bad + "Unknown Error 9"},  // LF only: one line
        {"1.2.3.4 23\r\nWAIT \"*\"\r\nSEND \"a\"\r\nWAIT \"*\"\r\n", odd},
        // Only the first four characters tell a command line, in capitals.
        {"1.2.3.4 23\r\nWAIT \"*\"\r\nsend \"a\"\r\nWAIT \"*\"\r\nSEND \"b\"\r\n", odd},
        {"1.2.3.4 23\r\nWAIT \"*\"\r\nSEND \"a\"\r\nWAITING\r\n", odd},
        // Web mode: every step; blank lines left out; \", \\ and \m decoded in one pass, any
        // other backslash kept.
        {"192.168.178.1 80 web\r\nUSER \"ad\\\"min\" \"p\\\\w\\m\"\r\n\r\n  \r\nHEADER \"SOAPAction: x#y\"\r\nPOST  \"http://192.168.178.1:49000/c?a=1\"   \"<s>\\\\m\\x</s>\"\r\n"
         "EXPECT\"ok\"\rGET \"HTTP://h/\"\r\nPAUSE \"600\"\r\nPAUSE \"1\"\r\nEXPECT \"\"",
         "192.168.178.1 80 web <U ad\"min|p\\w\r\n> <H SOAPAction: x#y> <P http://192.168.178.1:49000/c?a=1|<s>\\m\\x</s>> <E ok> <G HTTP://h/> <Z 600> <Z 1> <E >"},
        {"10.0.0.9 80 WEB\r\nGET \"http://u:p@h\"", "10.0.0.9 80 web <G http://u:p@h>"},
        {"10.0.0.9 80 web\r\nUSER \"a\" \"b\"\r\nHEADER \"X: y\"\r\nEXPECT \"z\"\r\n", bad + "Unknown Error 9"},
        {"modem 80 web\r\nGET \"http://h/\"", firstLine},
        // Telnet mode keeps its meaning: a third word other than web.
        {"10.0.0.9 80 webs\r\nWAIT \"*\"\r\nSEND \"x\"", "10.0.0.9 80 [*|x]"},
    };
    // A third word telnet, in any case, asks for searching the replies; nothing else does.
    const std::string words[] = {" telnet", " TelNet", "  telnet", " telnets", " xelnet", " telnex", " raw telnet"};
    for (size_t i = 0; i < std::size(words); ++i)
        rows.push_back({"192.168.1.1 23" + words[i] + pair, std::string("192.168.1.1 23") + (i < 2 ? " telnet" : "") + " [*|x]"});
    // Each kind of bad line in web mode, named by its number.
    for (const char* line : {"get \"http://h/\"", " GET \"http://h/\"", "WAIT \"*\"", "GET", "GET \"http://h/\" \"x", "GET \"http://h/\\\"", "GET \"http://h/\" x",
                             "GET \"http://h/\" \"x\"", "USER \"a\"", "POST \"http://h/\"", "GET \"https://h/\"", "GET \"http:///x\"", "GET \"http://h/a b\"",
                             "HEADER \"novalue\"", "HEADER \"X: a\\mY: b\"", "HEADER \"X Y: a\"", "PAUSE \"0\"", "PAUSE \"0001\"", "PAUSE \"601\"", "PAUSE \"1.5\"", "PAUSE \"\""})
        rows.push_back({"10.0.0.9 80 web\r\nGET \"http://h/\"\r\n\r\n" + std::string(line), bad + "Unknown Web Step in Line 4"});
    // clang-format on
    TestApp t;
    t.InitPaths();
    const std::string& path = t.app.paths.CommandFilePath;
    for (const auto& [content, outcome] : rows) {
        for (size_t piece : {1u, 2u, 3u, 4096u}) {  // line ends split between two reads
            t.files.files = {{path, "5.6.7.8 23" + pair}};
            ASSERT_TRUE(ReadCommandFile(t.app.modemContext, path));
            t.files.files[path] = content;
            t.files.readPiece = piece;
            t.app.IconState = 0;
            const bool read = ReadCommandFile(t.app.modemContext, path);
            const std::vector<std::string> log = t.LogMessages();
            EXPECT_EQ(read ? Script(t.app.modem) : log.at(0), outcome) << piece;
            EXPECT_EQ(log.size() + t.app.IconState, read ? 0u : 6u) << content;
            // A file rejected before the reading pass leaves the previous script.
            if (!read && outcome.find("Unknown") == std::string::npos) {
                EXPECT_EQ(Script(t.app.modem), "5.6.7.8 23 [*|x]") << content;
            }
        }
    }
    // Every sample the package holds reads whole, as the package writes it (CR LF line ends), and
    // so does one whose last line is 16 MiB of junk.
    for (const char* name : {"Reboot.Txt", "TR064-Reboot.Txt", "UPnP-Reconnect.Txt", "Tasmota.Txt",
                             "Shelly-Gen1.Txt", "Shelly-Plus.Txt", ""}) {
        std::ifstream file(std::string(QV_SOURCE_DIR) + "/packaging/sample/" + name);
        t.files.files = {{path, *name ? "" : "1.2.3.4 23\r\n"}};
        std::string& text = t.files.files[path];
        for (std::string line; std::getline(file, line);)
            text += line + "\r\n";
        text += *name ? "" : "WAIT \"*\"\r\nSEND \"a\"\r\n" + std::string(16u << 20, 'x');
        EXPECT_TRUE(ReadCommandFile(t.app.modemContext, path)) << name;
        EXPECT_EQ(t.LogMessages(), Strings{}) << name;
    }
}

}  // namespace
}  // namespace qv::test
