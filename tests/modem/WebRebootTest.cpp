#include <gtest/gtest.h>

#include <numeric>

#include "app/App.h"
#include "modem/ModemReboot.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

WebAnswer A(int status, Strings headers = {}, std::string body = "") {
    return WebAnswer{true, status, std::move(headers), std::move(body)};
}

// Web-mode files played over the recording web double, with the trace on and a failure shutting
// the computer down: each request's bytes as sent, the trace, the log, the time paused, shutdowns
// and the error state. A row with `reboots` 2 plays the file twice.
TEST(WebRebootTest, PlaysTheStepsAndLogsUrlsWithoutQueryOrLogin) {
    // clang-format off
    const std::string soap = "POST /upnp/control/deviceconfig HTTP/1.1\r\nHost: 192.168.178.1:49000\r\nContent-Type: text/xml; charset=\"utf-8\"\r\nSOAPAction: urn:dslforum-org:service:DeviceConfig:1#Reboot\r\n";
    const std::string shelly = "GET /rpc/Switch.Set?id=0&on=false&toggle_after=30 HTTP/1.1\r\nHost: 192.168.1.60\r\n", gen1 = "GET /relay/0?turn=off HTTP/1.1\r\nHost: 192.168.1.60\r\n";
    const std::string refused = "Unable to Reboot Modem - Web Request Refused : ", basic = "WWW-Authenticate: Basic realm=\"shelly\"";
    struct Row {
        std::string steps;
        std::vector<WebAnswer> answers;
        Strings sent, trace, log;  // no log: rebooted
        uint32_t pausedMs = 0;
        int reboots = 1;
    };
    const std::vector<Row> rows = {
        // A TR-064 reboot under Digest MD5: the POST, then again with the answer to the challenge.
        {"USER \"admin\" \"secret\"\r\nHEADER \"Content-Type: text/xml; charset=\\\"utf-8\\\"\"\r\nHEADER \"SOAPAction: urn:dslforum-org:service:DeviceConfig:1#Reboot\"\r\nPOST \"http://192.168.178.1:49000/upnp/control/deviceconfig\" \"<s:Envelope/>\"",
         {A(401, {"WWW-Authenticate: Digest realm=\"F!Box SOAP-Auth\", nonce=\"5A1C3E\", algorithm=MD5, qop=\"auth\""}), A(200)},
         {soap + "Content-Length: 13\r\n\r\n<s:Envelope/>", soap + "Authorization: Digest username=\"admin\", realm=\"F!Box SOAP-Auth\", uri=\"/upnp/control/deviceconfig\", algorithm=MD5, nonce=\"5A1C3E\", nc=00000001, cnonce=\"0a4f113b\", qop=auth, response=\"972f23731a57077271bbb4627a9aa7b6\"\r\nContent-Length: 13\r\n\r\n<s:Envelope/>"},
         {"POST http://192.168.178.1:49000/upnp/control/deviceconfig : 401", "POST http://192.168.178.1:49000/upnp/control/deviceconfig : 200"}, {}},
        // A Shelly Plus under SHA-256, the login in the URL: the digest's URI holds the query;
        // the request line and the trace hold no login, the trace no query.
        {"GET \"http://admin:pw@192.168.1.60/rpc/Switch.Set?id=0&on=false&toggle_after=30\"\r\nEXPECT \"was_on\"",
         {A(401, {"WWW-Authenticate: Digest qop=\"auth\", realm=\"shellyplus1-a8032ab12345\", nonce=\"60dc59c2\", algorithm=SHA-256"}), A(200, {}, "{\"was_on\":true}")},
         {shelly + "\r\n", shelly + "Authorization: Digest username=\"admin\", realm=\"shellyplus1-a8032ab12345\", uri=\"/rpc/Switch.Set?id=0&on=false&toggle_after=30\", algorithm=SHA-256, nonce=\"60dc59c2\", nc=00000001, cnonce=\"0a4f113b\", qop=auth, response=\"be5d36d7274e17e7f226ee1e60d4d91f5cb669cc0472a1b468b013d86d7f95a0\"\r\n\r\n"},
         {"GET http://192.168.1.60/rpc/Switch.Set : 401", "GET http://192.168.1.60/rpc/Switch.Set : 200"}, {}},
        // A second 401 ends the reboot, and the refused login is never sent again.
        {"USER \"admin\" \"bad1\"\r\nGET \"http://192.168.1.60/relay/0?turn=off\"", {A(401, {basic}), A(401, {basic}), A(401, {basic})},
         {gen1 + "\r\n", gen1 + "Authorization: Basic YWRtaW46YmFkMQ==\r\n\r\n", gen1 + "\r\n"},
         Strings(3, "GET http://192.168.1.60/relay/0 : 401"), Strings(2, refused + "401 http://192.168.1.60/relay/0"), {}, 2},
        // Without a login a 401 is not answered; a challenge the program cannot answer neither.
        {"GET \"http://h/x\"", {A(401, {basic})}, {"GET /x HTTP/1.1\r\nHost: h\r\n\r\n"}, {"GET http://h/x : 401"}, {refused + "401 http://h/x"}},
        {"USER \"a\" \"b\"\r\nGET \"http://h/x\"", {A(401, {"WWW-Authenticate: Bearer"})}, {"GET /x HTTP/1.1\r\nHost: h\r\n\r\n"}, {"GET http://h/x : 401"}, {refused + "401 http://h/x"}},
        // Tasmota: the password in the query never reaches a line; no answer fails.
        {"GET \"http://192.168.1.50/cm?user=admin&password=pw&cmnd=Power%20Off\"\r\nPAUSE \"5\"\r\nGET \"http://192.168.1.50/cm?cmnd=Power%20On#x\"", {A(200)},
         {"GET /cm?user=admin&password=pw&cmnd=Power%20Off HTTP/1.1\r\nHost: 192.168.1.50\r\n\r\n", "GET /cm?cmnd=Power%20On HTTP/1.1\r\nHost: 192.168.1.50\r\n\r\n"},
         {"GET http://192.168.1.50/cm : 200", "GET http://192.168.1.50/cm : No Answer"}, {"Unable to Reboot Modem - No Answer from http://192.168.1.50/cm"}, 5000},
        // A header goes with the next request only; a POST without a type is a form; a 3xx is
        // success and not followed; any other status fails; EXPECT looks in the last body.
        {"HEADER \"X-A: 1\"\r\nHEADER \"X-B: 2\"\r\nGET \"http://h\"\r\nPOST \"http://h/p?q\" \"a=1\"", {A(302, {"Location: http://h/login"}), A(500)},
         {"GET / HTTP/1.1\r\nHost: h\r\nX-A: 1\r\nX-B: 2\r\n\r\n", "POST /p?q HTTP/1.1\r\nHost: h\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\n\r\na=1"},
         {"GET http://h : 302", "POST http://h/p : 500"}, {refused + "500 http://h/p"}},
        {"GET \"http://h/a\"\r\nEXPECT \"done\"", {A(200, {}, "not\r\nyet\nnow\r")}, {"GET /a HTTP/1.1\r\nHost: h\r\n\r\n"}, {"GET http://h/a : 200"}, {"Unable to Reboot Modem - Invalid Responce not\tyet\tnow\t"}},
    };
    // clang-format on
    // The row played in an app of its own, asked to end at the wait numbered `endAtWait`.
    auto play = [](const Row& row, TestApp& t, int endAtWait) {
        t.InitPaths();
        t.files.files[t.app.paths.CommandFilePath] = "192.168.1.1 80 web\r\n" + row.steps;
        t.app.diag.ModemTrace = t.app.settings.SrvModemFail = true;
        t.web.answers.assign(row.answers.begin(), row.answers.end());
        t.ui.endAtWait = endAtWait;
        for (int i = 0; i < row.reboots; ++i)
            EXPECT_EQ(RebootModem(t.app.modemContext), row.log.empty() && !endAtWait) << row.steps;
        return Join(t.web.sent, "#") + "/" + Join(t.ui.messages) + "/" +
               std::to_string(std::accumulate(t.ui.pauses.begin(), t.ui.pauses.end(), 0u)) + "/" +
               Join(t.LogMessages()) + "/" + std::to_string(t.ShutdownRequests()) +
               std::to_string(t.app.IconState);
    };
    for (const Row& row : rows) {
        TestApp t;
        EXPECT_EQ(play(row, t, 0),
                  Join(row.sent, "#") + "/" + Join(row.trace) + "/" + std::to_string(row.pausedMs) +
                      "/" + Join(row.log) + "/" +
                      (row.log.empty() ? "00" : std::to_string(row.reboots) + "5"));
        // Asked to end at any of its waits, a reboot that would fail stops there, with no
        // failure line, no shutdown and no error state.
        for (int wait = 1; row.reboots == 1 && !row.log.empty() && wait <= t.ui.waits; ++wait) {
            TestApp e;
            const std::string seen = play(row, e, wait);
            EXPECT_TRUE(seen.ends_with("//00")) << seen;
        }
    }
}

}  // namespace
}  // namespace qv::test
