#include <gtest/gtest.h>

#include "app/App.h"
#include "modem/ModemReboot.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

using Answers = std::vector<WebAnswer>;
WebAnswer A(int status, Strings headers = {}, std::string body = "") {
    return FakeWebRequests::Answer(status, std::move(headers), std::move(body));
}

// Web-mode files played over the recording web double, with the trace on and a failure shutting
// the computer down: the bytes of each request as sent, the trace, the log, the pauses. A row
// with `reboots` 2 plays the file twice.
TEST(WebRebootTest, PlaysTheStepsAndLogsUrlsWithoutQueryOrLogin) {
    const std::string tr064 =
        "USER \"admin\" \"secret\"\r\nHEADER \"Content-Type: text/xml; charset=\\\"utf-8\\\"\"\r\n"
        "HEADER \"SOAPAction: urn:dslforum-org:service:DeviceConfig:1#Reboot\"\r\n"
        "POST \"http://192.168.178.1:49000/upnp/control/deviceconfig\" \"<s:Envelope/>\"\r\n";
    const std::string soap =
        "POST /upnp/control/deviceconfig HTTP/1.1\r\nHost: 192.168.178.1:49000\r\nContent-Type: "
        "text/xml; charset=\"utf-8\"\r\nSOAPAction: "
        "urn:dslforum-org:service:DeviceConfig:1#Reboot\r\n";
    const std::string soapTail = "Content-Length: 13\r\n\r\n<s:Envelope/>";
    const std::string shelly =
        "GET /rpc/Switch.Set?id=0&on=false&toggle_after=30 HTTP/1.1\r\n"
        "Host: 192.168.1.60\r\n";
    const std::string shellyUrl = "http://192.168.1.60/rpc/Switch.Set";
    const std::string refused = "Unable to Reboot Modem - Web Request Refused : ";
    const std::string ok = "Modem Rebooted Successfully.";
    struct Row {
        std::string steps;
        Answers answers;
        Strings sent, trace, log;  // no log: rebooted
        std::vector<uint32_t> pauses = {};
        int reboots = 1;
    };
    // clang-format off
    const std::vector<Row> rows = {
        // A TR-064 reboot under Digest MD5: the POST, then again with the answer to the challenge.
        {tr064, {A(401, {"WWW-Authenticate: Digest realm=\"F!Box SOAP-Auth\", nonce=\"5A1C3E\", algorithm=MD5, qop=\"auth\""}), A(200)},
         {soap + soapTail, soap + "Authorization: Digest username=\"admin\", realm=\"F!Box SOAP-Auth\", uri=\"/upnp/control/deviceconfig\", algorithm=MD5, nonce=\"5A1C3E\", nc=00000001, cnonce=\"0a4f113b\", qop=auth, response=\"972f23731a57077271bbb4627a9aa7b6\"\r\n" + soapTail},
         {"POST http://192.168.178.1:49000/upnp/control/deviceconfig : 401", "POST http://192.168.178.1:49000/upnp/control/deviceconfig : 200"}, {}},
        // A Shelly Plus under SHA-256: the digest's URI holds the query; the trace does not.
        {"USER \"admin\" \"pw\"\r\nGET \"http://192.168.1.60/rpc/Switch.Set?id=0&on=false&toggle_after=30\"\r\nEXPECT \"was_on\"",
         {A(401, {"WWW-Authenticate: Digest qop=\"auth\", realm=\"shellyplus1-a8032ab12345\", nonce=\"60dc59c2\", algorithm=SHA-256"}), A(200, {}, "{\"was_on\":true}")},
         {shelly + "\r\n", shelly + "Authorization: Digest username=\"admin\", realm=\"shellyplus1-a8032ab12345\", uri=\"/rpc/Switch.Set?id=0&on=false&toggle_after=30\", algorithm=SHA-256, nonce=\"60dc59c2\", nc=00000001, cnonce=\"0a4f113b\", qop=auth, response=\"be5d36d7274e17e7f226ee1e60d4d91f5cb669cc0472a1b468b013d86d7f95a0\"\r\n\r\n"},
         {"GET " + shellyUrl + " : 401", "GET " + shellyUrl + " : 200"}, {}},
        // A second 401 ends the reboot, and the refused login is never sent again.
        {"USER \"admin\" \"bad\"\r\nGET \"http://192.168.1.60/relay/0?turn=off&timer=30\"",
         {A(401, {"WWW-Authenticate: Basic realm=\"shelly\""}), A(401, {"WWW-Authenticate: Basic realm=\"shelly\""}), A(401, {"WWW-Authenticate: Basic realm=\"shelly\""})},
         {"GET /relay/0?turn=off&timer=30 HTTP/1.1\r\nHost: 192.168.1.60\r\n\r\n", "GET /relay/0?turn=off&timer=30 HTTP/1.1\r\nHost: 192.168.1.60\r\nAuthorization: Basic YWRtaW46YmFk\r\n\r\n",
          "GET /relay/0?turn=off&timer=30 HTTP/1.1\r\nHost: 192.168.1.60\r\n\r\n"},
         {"GET http://192.168.1.60/relay/0 : 401", "GET http://192.168.1.60/relay/0 : 401", "GET http://192.168.1.60/relay/0 : 401"},
         {refused + "401 http://192.168.1.60/relay/0", refused + "401 http://192.168.1.60/relay/0"}, {}, 2},
        // Without USER a 401 is not answered; a challenge the program cannot answer neither.
        {"GET \"http://h/x\"", {A(401, {"WWW-Authenticate: Basic realm=\"r\""})}, {"GET /x HTTP/1.1\r\nHost: h\r\n\r\n"}, {"GET http://h/x : 401"}, {refused + "401 http://h/x"}},
        {"USER \"a\" \"b\"\r\nGET \"http://h/x\"", {A(401, {"WWW-Authenticate: Bearer"})}, {"GET /x HTTP/1.1\r\nHost: h\r\n\r\n"}, {"GET http://h/x : 401"}, {refused + "401 http://h/x"}},
        // Tasmota: the password in the query and the login in the URL never reach a line.
        {"GET \"http://admin:pw@192.168.1.50/cm?user=admin&password=pw&cmnd=Power%20Off\"\r\nPAUSE \"5\"\r\nGET \"http://192.168.1.50/cm?cmnd=Power%20On#x\"",
         {A(200, {}, "{\"POWER\":\"OFF\"}")},
         {"GET /cm?user=admin&password=pw&cmnd=Power%20Off HTTP/1.1\r\nHost: 192.168.1.50\r\n\r\n", "GET /cm?cmnd=Power%20On HTTP/1.1\r\nHost: 192.168.1.50\r\n\r\n"},
         {"GET http://192.168.1.50/cm : 200", "GET http://192.168.1.50/cm : No Answer"},
         {"Unable to Reboot Modem - No Answer from http://192.168.1.50/cm"}, {5000}},
        // A header goes with the next request only; a POST without a type is a form; a 3xx is
        // success and not followed; the body must hold EXPECT's text.
        {"HEADER \"X-A: 1\"\r\nHEADER \"X-B: 2\"\r\nGET \"http://h\"\r\nPOST \"http://h/p?q\" \"a=1\"\r\nEXPECT \"done\"",
         {A(302, {"Location: http://h/login"}), A(500)},
         {"GET / HTTP/1.1\r\nHost: h\r\nX-A: 1\r\nX-B: 2\r\n\r\n", "POST /p?q HTTP/1.1\r\nHost: h\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\n\r\na=1"},
         {"GET http://h : 302", "POST http://h/p : 500"}, {refused + "500 http://h/p"}},
        {"GET \"http://h/a\"\r\nEXPECT \"done\"", {A(200, {}, "not\r\nyet\nnow\r")}, {"GET /a HTTP/1.1\r\nHost: h\r\n\r\n"},
         {"GET http://h/a : 200"}, {"Unable to Reboot Modem - Invalid Responce not\tyet\tnow\t"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        TestApp t;
        t.InitPaths();
        t.files.files[t.app.paths.CommandFilePath] = "192.168.1.1 80 web\r\n" + row.steps;
        t.app.diag.ModemTrace = true;
        t.app.settings.SrvModemFail = true;
        t.web.answers.assign(row.answers.begin(), row.answers.end());
        for (int i = 0; i < row.reboots; ++i) {
            if (RebootModem(t.app.modemContext))
                t.app.log.WriteLog(ok);
        }
        EXPECT_EQ(t.web.sent, row.sent) << row.steps;
        EXPECT_EQ(t.ui.messages, row.trace) << row.steps;
        EXPECT_EQ(t.LogMessages(), row.log.empty() ? Strings{ok} : row.log) << row.steps;
        EXPECT_EQ(t.ui.pauses, row.pauses) << row.steps;
        EXPECT_EQ(t.ShutdownRequests(), row.log.empty() ? 0 : row.reboots) << row.steps;
        EXPECT_EQ(t.app.IconState, row.log.empty() ? 0 : 5) << row.steps;
    }
}

// The program asked to end at any wait of a web reboot that would fail: it stops there, with no
// failure line and no shutdown.
TEST(WebRebootTest, AnEndAtAnyWaitStopsWithoutFailureOrShutdown) {
    for (int wait = 1; wait <= 8; ++wait) {
        TestApp t;
        t.InitPaths();
        t.files.files[t.app.paths.CommandFilePath] =
            "192.168.1.1 80 web\r\nUSER \"a\" \"b\"\r\nGET \"http://h/\"\r\nPAUSE \"3\"\r\nGET "
            "\"http://h/\"\r\nGET \"http://h/\"";
        t.web.answers = {A(401, {"WWW-Authenticate: Basic"}), A(200), A(200)};
        t.app.settings.SrvModemFail = true;
        t.ui.endAtWait = wait;
        EXPECT_FALSE(RebootModem(t.app.modemContext)) << wait;
        EXPECT_EQ(Join(t.LogMessages()) + "/" + std::to_string(t.ShutdownRequests()), "/0") << wait;
    }
}

}  // namespace
}  // namespace qv::test
