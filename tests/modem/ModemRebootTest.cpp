#include <gtest/gtest.h>

#include "app/App.h"
#include "modem/ModemReboot.h"
#include "modem/WebReboot.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

using Waits = std::vector<uint32_t>;

std::string Numbers(const Waits& values) {
    std::string all;
    for (uint32_t value : values)
        all += std::to_string(value) + " ";
    return all;
}

WebAnswer A(int status, Strings headers = {}, std::string body = "") {
    return WebAnswer{true, status, std::move(headers), std::move(body)};
}

struct Row {
    std::string line1, commands;
    Strings replies = {};                     // a telnet modem's
    std::vector<WebAnswer> answers = {};      // or a web-mode device's
    Strings sent = {}, trace = {}, log = {};  // no log: rebooted
    Waits receives = {}, pauses = {};
    uint32_t receiveTimeoutMs = 30000;
    int reboots = 1;  // how often the file is played
};

// The row's conversation (or its web requests) in an app of its own, with the trace on and a
// failure shutting the computer down, asked to end at the wait numbered `endAtWait` (0: never);
// nothing done while it runs changes it. It answers with the bytes sent, the trace, the receives'
// time-outs, the pauses, the log, then shutdowns, the error state and the connections left open
// (the web-port probe's aside).
std::string Play(const Row& row, TestApp& t, int endAtWait) {
    t.InitPaths();
    if (!row.line1.empty())  // else there is no command file
        t.files.files[t.app.paths.CommandFilePath] = row.line1 + "\r\n" + row.commands;
    t.app.modem.ReceiveTimeoutMs = row.receiveTimeoutMs;
    t.app.diag.ModemTrace = true;
    t.app.settings.SrvModemFail = true;
    t.sockets.replies.assign(row.replies.begin(), row.replies.end());
    t.web.answers.assign(row.answers.begin(), row.answers.end());
    t.sockets.failSendsOf = {"fail", "\xff\xfc*"};
    t.app.modem.Unread = "login: Password: ";  // what an earlier conversation left
    t.app.modem.Telnet.Take("\xff\xfd\x01");
    t.ui.endAtWait = endAtWait;
    // Meanwhile the dialog reads a shorter file and a tick asks for a reboot, in vain.
    t.ui.onPump = [&] {
        t.app.modem.CommandPairs.clear();
        EXPECT_FALSE(RebootModem(t.app.modemContext));
    };
    for (int i = 0; i < row.reboots; ++i)
        EXPECT_EQ(RebootModem(t.app.modemContext), row.log.empty() && !endAtWait) << row.commands;
    EXPECT_FALSE(t.app.modem.Reboot.Running());
    const size_t probes = t.app.modem.ProbeSocket != kNoSocket;
    return Join(t.sockets.sent, "#") + Join(t.web.sent, "#") + "/" + Join(t.ui.messages, "#") +
           "/" + Numbers(t.sockets.receiveTimeouts) + "/" + Numbers(t.ui.pauses) + "/" +
           Join(t.LogMessages(), "#") + "/" + std::to_string(t.ShutdownRequests()) +
           std::to_string(t.app.IconState) +
           std::to_string(t.sockets.open.size() - probes + t.app.modem.ModemSocket);
}

// Command files played: telnet pairs over scripted sockets, web-mode steps over the recording
// web double (a row with `reboots` 2 plays the file twice). A receive of "" is a quiet gap (or
// the end); each receive moves the steady clock by 100 ms, an empty one by its whole time-out.
// A reply holds at most one receive buffer (51,200 characters) and a search at most 1 MiB, to
// the byte, whatever the modem sends at once; the rest stays in the connection; a failure's line
// carries the last 51,200 characters of what came. A web line names no URL's query or login.
TEST(RebootTest, PlaysTheScriptAndLogsEveryFailure) {
    const std::string doEcho = "\xff\xfd\x01", willSga = "\xff\xfb\x03";
    const std::string wontEcho = "\xff\xfc\x01", dontSga = "\xff\xfe\x03";
    const std::string path = "C:\\Program Files\\Quorvane\\Reboot.Txt";
    const std::string invalid = "Unable to Reboot Modem - Invalid Responce ";
    const std::string login = "WAIT \"login\"\r\nSEND \"admin\\m\"\r\n";
    // Twenty full buffers and a piece bring the search to 1 MiB exactly, just before the prompt.
    const size_t buffer = 51200, search = 1 << 20;
    const std::string full(buffer, 'n');
    Strings flood = {doEcho};
    for (size_t at = 0; at + buffer <= search; at += buffer)
        flood.push_back(full);
    flood.push_back(std::string(search % buffer, 'n') + "login: ");
    Waits floodReceives;  // each full receive moves the clock by 100 ms
    for (uint32_t i = 0; i < flood.size(); ++i)
        floodReceives.push_back(30000 - 100 * i);
    // clang-format off
    const std::string soap = "POST /upnp/control/deviceconfig HTTP/1.1\r\nHost: 192.168.178.1:49000\r\nContent-Type: text/xml; charset=\"utf-8\"\r\nSOAPAction: urn:dslforum-org:service:DeviceConfig:1#Reboot\r\n";
    const std::string shelly = "GET /rpc/Switch.Set?id=0&on=false&toggle_after=30 HTTP/1.1\r\nHost: 192.168.1.60\r\n", gen1 = "GET /relay/0?turn=off HTTP/1.1\r\nHost: 192.168.1.60\r\n";
    const std::string refused = "Unable to Reboot Modem - Web Request Refused : ", basic = "WWW-Authenticate: Basic realm=\"shelly\"";
    const std::vector<Row> rows = {
        // WAIT "" receives nothing; the reboot pause comes before its pair's pause; with nothing
        // to send the trace shows the reply.
        {"127.0.0.1 23", "WAIT \"login:\"\r\nSEND \"admin\\m\"\r\nWAIT \"\"\r\nSEND \"REBOOT\\m\"\r\nWAIT \"*\"\r\nSEND \"\"\r\n",
         {"login: please", "bye"}, {}, {"admin\r\n", "REBOOT\r\n"},
         {"Recv : login: please", "Send : admin\r\n", "Recv : ", "Send : REBOOT\r\n", "Recv : bye", "Send : bye"}, {},
         {30000, 30000}, {1000, 2000, 1000, 1000}},
        {"", "", {}, {}, {}, {}, {"Invalid telnet Commands file : " + path + " Does Not Exist.", "Unable to Reboot Modem - Invalid commands in " + path}},
        {"127.0.0.1 40000", login, {}, {}, {}, {}, {"Unable to Reboot Modem - Can't able to Connect 127.0.0.1:40000"}},
        {"127.0.0.1 23", login, {"Login:\r\nmore\r\n"}, {}, {}, {}, {invalid + "Login:\tmore\t"}, {30000}},
        {"127.0.0.1 23", login, {"log"}, {}, {}, {}, {invalid + "log"}, {30000}},
        {"127.0.0.1 23", login, {}, {}, {}, {}, {invalid}, {30000}},
        // A send that fails ends the conversation with its text in the log.
        {"127.0.0.1 23", login + "WAIT \"*\"\r\nSEND \"fail\"\r\n", {"login:"}, {}, {"admin\r\n"}, {"Recv : login:", "Send : admin\r\n", "Recv : "},
         {"Unable to send : fail"}, {30000, 30000}, {1000}},
        // A telnet modem: negotiation alone is no reply; text is gathered until it falls quiet.
        {"127.0.0.1 23", "WAIT \"*\"\r\nSEND \"admin\\m\"\r\n",
         {doEcho + willSga, "\r\nBanner\r\n", "host login: ", ""}, {}, {wontEcho + dontSga, "admin\r\n"},
         {"Recv : \r\nBanner\r\nhost login: ", "Send : admin\r\n"}, {}, {30000, 29900, 500, 500}, {1000}},
        // Without the word telnet the gathered reply must begin with the WAIT text.
        {"127.0.0.1 23", "WAIT \"host\"\r\nSEND \"admin\\m\"\r\n", {doEcho + "\r\nBanner\r\n", "host login: ", ""}, {}, {wontEcho},
         {}, {invalid + "\tBanner\thost login: "}, {30000, 500, 500}},
        // With it the prompt is searched across pieces; what follows it is kept for the next WAIT.
        {"127.0.0.1 23 telnet", "WAIT \"login:\"\r\nSEND \"admin\\m\"\r\nWAIT \"Password:\"\r\nSEND \"secret\\m\"\r\nWAIT \"\"\r\nSEND \"reboot\\m\"\r\nWAIT \"*\"\r\nSEND \"\"\r\n",
         {doEcho, "\r\nBanner\r\nhost lo", "", "gin: ", "", "admin\r\nPass", "word: x", "", "y", ""}, {},
         {wontEcho, "admin\r\n", "secret\r\n", "reboot\r\n"},
         {"Recv : \r\nBanner\r\nhost login:", "Send : admin\r\n", "Recv :  admin\r\nPassword:", "Send : secret\r\n",
          "Recv : ", "Send : reboot\r\n", "Recv :  xy", "Send :  xy"}, {},
         {30000, 29900, 500, 29300, 500, 30000, 500, 500, 500, 500}, {1000, 1000, 2000, 1000, 1000}},
        // Two prompts in one reply: the second WAIT receives nothing.
        {"127.0.0.1 23 TELNET", "WAIT \"login:\"\r\nSEND \"a\"\r\nWAIT \"Password:\"\r\nSEND \"b\"\r\n",
         {doEcho + "login: Password: ", ""}, {}, {wontEcho, "a", "b"}, {"Recv : login:", "Send : a", "Recv :  Password:", "Send : b"}, {},
         {30000, 500}, {1000, 1000}},
        // A prompt that never comes fails when the receive bound passes, with all that came.
        {"127.0.0.1 23 telnet", "WAIT \"login:\"\r\nSEND \"a\"\r\n",
         {doEcho, "no", "ise", "\r\n", "more", "mo", "re", "mo", "re", "mo", "re", "unread"}, {}, {wontEcho},
         {}, {invalid + "noise\tmoremoremoremo"}, {1000, 900, 500, 500, 500, 500, 400, 300, 200, 100}, {}, 1000},
        // With text left by the previous prompt, WAIT "*" takes it and what follows until the
        // modem falls quiet, not the whole receive bound.
        {"127.0.0.1 23 telnet", "WAIT \"login:\"\r\nSEND \"a\"\r\nWAIT \"*\"\r\nSEND \"b\"\r\n",
         {doEcho + "login: rest", "", " more", ""}, {}, {wontEcho, "a", "b"},
         {"Recv : login:", "Send : a", "Recv :  rest more", "Send : b"}, {},
         {30000, 500, 500, 500}, {1000, 1000}},
        // A modem that closes before the prompt fails at once.
        {"127.0.0.1 23 telnet", "WAIT \"Password:\"\r\nSEND \"a\"\r\n", {"\xff\xfb\x01login: "}, {}, {"\xff\xfe\x01"},
         {}, {invalid + "login: "}, {30000, 500, 29400}},
        // A telnet answer that cannot be sent fails its step (the modem refuses option 42's).
        {"127.0.0.1 23", "WAIT \"*\"\r\nSEND \"a\"\r\n", {"\xff\xfd*login: "}, {}, {}, {}, {"Unable to send : 255 252 42"}, {30000}},
        {"127.0.0.1 23 telnet", "WAIT \"login:\"\r\nSEND \"a\"\r\n", {"\xff\xfd*lo", "gin: "}, {}, {}, {}, {"Unable to send : 255 252 42"}, {30000}},
        // A 255 goes out doubled to a telnet modem, as written to one that never sent a 255.
        {"127.0.0.1 23", "WAIT \"*\"\r\nSEND \"p\xffss\\m\"\r\n", {"\xff\xffx", ""}, {}, {"p\xff\xffss\r\n"},
         {"Recv : \xffx", "Send : p\xffss\r\n"}, {}, {30000, 500}, {1000}},
        {"127.0.0.1 23", "WAIT \"*\"\r\nSEND \"p\xffss\\m\"\r\nWAIT \"lo\"\r\nSEND \"b\"\r\n", {"one", "login", "rest"}, {},
         {"p\xffss\r\n", "b"}, {"Recv : one", "Send : p\xffss\r\n", "Recv : login", "Send : b"}, {}, {30000, 30000}, {1000, 1000}},
        // One receive takes a buffer's worth; the next WAIT finds the rest.
        {"127.0.0.1 23", "WAIT \"*\"\r\nSEND \"a\"\r\nWAIT \"xy\"\r\nSEND \"b\"\r\n", {full + "xy"}, {}, {"a", "b"},
         {"Recv : " + full, "Send : a", "Recv : xy", "Send : b"}, {}, {30000, 30000}, {1000, 1000}},
        // A telnet modem's gathered reply stops at the buffer too.
        {"127.0.0.1 23", "WAIT \"*\"\r\nSEND \"a\"\r\nWAIT \"xy\"\r\nSEND \"b\"\r\n", {doEcho + full.substr(3), "abcxy", ""}, {}, {wontEcho, "a", "b"},
         {"Recv : " + full.substr(3) + "abc", "Send : a", "Recv : xy", "Send : b"}, {}, {30000, 500, 30000, 500}, {1000, 1000}},
        // A reply longer than the buffer fails with its first buffer, all of it in the line.
        {"127.0.0.1 23", "WAIT \"login:\"\r\nSEND \"a\"\r\n", {full + "login:"}, {}, {}, {}, {invalid + full}, {30000}},
        // The search stops at 1 MiB; its line keeps the last 51,200 characters.
        {"127.0.0.1 23 telnet", "WAIT \"login:\"\r\nSEND \"a\"\r\n", flood, {}, {wontEcho}, {}, {invalid + full}, floodReceives},
        {"127.0.0.1 23 telnet", "WAIT \"login:\"\r\nSEND \"a\"\r\n", {doEcho + "\r\n" + full + "\r\n", ""}, {}, {wontEcho}, {},
         {invalid + full.substr(1) + "\t"}, {30000, 500, 29800, 500, 29200}},
        // Web-mode files, played over the recording web double.
        // A TR-064 reboot under Digest MD5: the POST, then again with the answer to the challenge.
        {"192.168.1.1 80 web","USER \"admin\" \"secret\"\r\nHEADER \"Content-Type: text/xml; charset=\\\"utf-8\\\"\"\r\nHEADER \"SOAPAction: urn:dslforum-org:service:DeviceConfig:1#Reboot\"\r\nPOST \"http://192.168.178.1:49000/upnp/control/deviceconfig\" \"<s:Envelope/>\"", {},
         {A(401, {"WWW-Authenticate: Digest realm=\"F!Box SOAP-Auth\", nonce=\"5A1C3E\", algorithm=MD5, qop=\"auth\""}), A(200)},
         {soap + "Content-Length: 13\r\n\r\n<s:Envelope/>", soap + "Authorization: Digest username=\"admin\", realm=\"F!Box SOAP-Auth\", uri=\"/upnp/control/deviceconfig\", algorithm=MD5, nonce=\"5A1C3E\", nc=00000001, cnonce=\"0a4f113b\", qop=auth, response=\"972f23731a57077271bbb4627a9aa7b6\"\r\nContent-Length: 13\r\n\r\n<s:Envelope/>"},
         {"POST http://192.168.178.1:49000/upnp/control/deviceconfig : 401", "POST http://192.168.178.1:49000/upnp/control/deviceconfig : 200"}, {}},
        // A Shelly Plus under SHA-256, the login in the URL: the digest's URI holds the query;
        // the request line and the trace hold no login, the trace no query.
        {"192.168.1.1 80 web","GET \"http://admin:pw@192.168.1.60/rpc/Switch.Set?id=0&on=false&toggle_after=30\"\r\nEXPECT \"was_on\"", {},
         {A(401, {"WWW-Authenticate: Digest qop=\"auth\", realm=\"shellyplus1-a8032ab12345\", nonce=\"60dc59c2\", algorithm=SHA-256"}), A(200, {}, "{\"was_on\":true}")},
         {shelly + "\r\n", shelly + "Authorization: Digest username=\"admin\", realm=\"shellyplus1-a8032ab12345\", uri=\"/rpc/Switch.Set?id=0&on=false&toggle_after=30\", algorithm=SHA-256, nonce=\"60dc59c2\", nc=00000001, cnonce=\"0a4f113b\", qop=auth, response=\"be5d36d7274e17e7f226ee1e60d4d91f5cb669cc0472a1b468b013d86d7f95a0\"\r\n\r\n"},
         {"GET http://192.168.1.60/rpc/Switch.Set : 401", "GET http://192.168.1.60/rpc/Switch.Set : 200"}, {}},
        // A second 401 ends the reboot, and the refused login is never sent again.
        {"192.168.1.1 80 web","USER \"admin\" \"bad1\"\r\nGET \"http://192.168.1.60/relay/0?turn=off\"", {}, {A(401, {basic}), A(401, {basic}), A(401, {basic})},
         {gen1 + "\r\n", gen1 + "Authorization: Basic YWRtaW46YmFkMQ==\r\n\r\n", gen1 + "\r\n"},
         Strings(3, "GET http://192.168.1.60/relay/0 : 401"), Strings(2, refused + "401 http://192.168.1.60/relay/0"), {}, {}, 30000, 2},
        // Without a login a 401 is not answered; a challenge the program cannot answer neither.
        {"192.168.1.1 80 web","GET \"http://h/x\"", {}, {A(401, {basic})}, {"GET /x HTTP/1.1\r\nHost: h\r\n\r\n"}, {"GET http://h/x : 401"}, {refused + "401 http://h/x"}},
        {"192.168.1.1 80 web","USER \"a\" \"b\"\r\nGET \"http://h/x\"", {}, {A(401, {"WWW-Authenticate: Bearer"})}, {"GET /x HTTP/1.1\r\nHost: h\r\n\r\n"}, {"GET http://h/x : 401"}, {refused + "401 http://h/x"}},
        // Tasmota: the password in the query never reaches a line; no answer fails.
        {"192.168.1.1 80 web","GET \"http://192.168.1.50/cm?user=admin&password=pw&cmnd=Power%20Off\"\r\nPAUSE \"5\"\r\nGET \"http://192.168.1.50/cm?cmnd=Power%20On#x\"", {}, {A(200)},
         {"GET /cm?user=admin&password=pw&cmnd=Power%20Off HTTP/1.1\r\nHost: 192.168.1.50\r\n\r\n", "GET /cm?cmnd=Power%20On HTTP/1.1\r\nHost: 192.168.1.50\r\n\r\n"},
         {"GET http://192.168.1.50/cm : 200", "GET http://192.168.1.50/cm : No Answer"}, {"Unable to Reboot Modem - No Answer from http://192.168.1.50/cm"}, {}, {5000}},
        // A header goes with the next request only; a POST without a type (a header named
        // alike is none) is a form; a 3xx is success and not followed; any other status fails;
        // EXPECT looks in the last body; a URL without a path asks for "/".
        {"192.168.1.1 80 web","HEADER \"X-A: 1\"\r\nHEADER \"X-B: 2\"\r\nGET \"http://h\"\r\nHEADER \"Content-Typo: a\"\r\nHEADER \"content-types: b\"\r\nHEADER \"Xontent-Type: c\"\r\nPOST \"http://h/p?q\" \"a=1\"", {}, {A(302, {"Location: http://h/login"}), A(500)},
         {"GET / HTTP/1.1\r\nHost: h\r\nX-A: 1\r\nX-B: 2\r\n\r\n", "POST /p?q HTTP/1.1\r\nHost: h\r\nContent-Typo: a\r\ncontent-types: b\r\nXontent-Type: c\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\n\r\na=1"},
         {"GET http://h : 302", "POST http://h/p : 500"}, {refused + "500 http://h/p"}},
        {"192.168.1.1 80 web","GET \"http://h?a\"\r\nEXPECT \"done\"", {}, {A(200, {}, "not\r\nyet\nnow\r")}, {"GET /?a HTTP/1.1\r\nHost: h\r\n\r\n"}, {"GET http://h : 200"}, {"Unable to Reboot Modem - Invalid Responce not\tyet\tnow\t"}},
    };
    // clang-format on
    // Each row played to its end, then, when it would fail, asked to end at each of its waits.
    for (const Row& row : rows) {
        TestApp t;
        EXPECT_EQ(Play(row, t, 0),
                  Join(row.sent, "#") + "/" + Join(row.trace, "#") + "/" + Numbers(row.receives) +
                      "/" + Numbers(row.pauses) + "/" + Join(row.log, "#") + "/" +
                      (row.log.empty() ? "000" : std::to_string(row.reboots) + "50"))
            << row.line1 << " " << row.commands.substr(0, 200);
        // The program asked to end (a close request, the end of the session or a quit message, all
        // one request to the logic) at any wait of a conversation that would fail: it stops there
        // with no failure line, no shutdown, no error state and no connection left, and nothing
        // starts after.
        for (int wait = 1; row.reboots == 1 && !row.log.empty() && wait <= t.ui.waits; ++wait) {
            TestApp e;
            EXPECT_TRUE(Play(row, e, wait).ends_with("//000")) << wait << " " << row.commands;
            EXPECT_FALSE(RebootModem(e.app.modemContext));
            EXPECT_LE(e.sockets.connects.size(), 1u);
        }
    }
}

// A login's client nonce: 32 lower-case hexadecimal digits, drawn afresh for each answer.
TEST(RebootTest, ClientNoncesAreFreshHexDigits) {
    const std::string first = RandomCnonce(), both = first + RandomCnonce();
    EXPECT_EQ(first.size(), 32u);
    EXPECT_EQ(both.size(), 64u);
    EXPECT_EQ(both.find_first_not_of("0123456789abcdef"), std::string::npos) << both;
    EXPECT_NE(first, both.substr(32));
}

}  // namespace
}  // namespace qv::test
