#include "modem/WebReboot.h"

#include <cctype>
#include <random>

#include "actions/Text.h"
#include "modem/TCPMod.h"
#include "modem/WebAuth.h"

namespace qv {
namespace {

constexpr const char* kFormType = "Content-Type: application/x-www-form-urlencoded";

struct Login {
    std::string user, password;
    bool given = false;
};

bool HasHeader(const std::vector<std::string>& lines, const std::string& name) {
    for (const std::string& line : lines) {
        if (line.size() > name.size() && line[name.size()] == ':') {
            bool same = true;
            for (size_t i = 0; i < name.size() && same; ++i)
                same = std::tolower(static_cast<unsigned char>(line[i])) == name[i];
            if (same)
                return true;
        }
    }
    return false;
}

// The request, with the modem trace's line for its answer.
WebAnswer Send(const ModemContext& ctx, const WebRequest& request) {
    WebAnswer answer = ctx.web.Send(request);
    if (ctx.diag.ModemTrace && !ctx.ui.EndRequested())
        ctx.ui.ShowMessage(request.method + " " + UrlForLog(request.url) + " : " +
                               (answer.answered ? std::to_string(answer.status) : "No Answer"),
                           kAppTitle);
    return answer;
}

// Sends the request; a 401 is answered once with the login, unless this device refused it
// before.
WebAnswer SendWithLogin(const ModemContext& ctx, WebRequest& request, const Login& login) {
    WebAnswer answer = Send(ctx, request);
    if (!answer.answered || answer.status != 401 || !login.given || ctx.ui.EndRequested())
        return answer;
    const std::string key = UrlHost(request.url) + "\n" + login.user + "\n" + login.password;
    const std::optional<AuthChallenge> challenge = StrongestChallenge(answer.headers);
    if (!challenge || ctx.modem.RefusedLogins.count(key))
        return answer;
    const std::string cnonce = ctx.modem.NewCnonce ? ctx.modem.NewCnonce() : RandomCnonce();
    const std::string authorization = AuthorizationLine(
        ctx.hashes, *challenge,
        {login.user, login.password, request.method, UrlTarget(request.url), cnonce});
    if (authorization.empty())
        return answer;
    request.headers.push_back(authorization);
    answer = Send(ctx, request);
    if (answer.answered && answer.status == 401)
        ctx.modem.RefusedLogins.insert(key);
    return answer;
}

// The body as a failure's line carries it: capped as a telnet reply, on one line.
std::string BodyForLog(const std::string& body) {
    return ReplaceAll(ReplaceAll(ReplyForLog(body), "\r", "\t"), "\n", "\t");
}

}  // namespace

std::string RandomCnonce() {
    std::random_device random;
    std::string cnonce;
    static const char digits[] = "0123456789abcdef";
    for (int i = 0; i < 32; ++i)
        cnonce += digits[random() & 15];
    return cnonce;
}

bool PlayWebSteps(const ModemContext& ctx, const std::vector<WebStep>& steps) {
    Ui& ui = ctx.ui;
    Login login;
    std::vector<std::string> headers;
    std::string body;  // of the last answer
    for (const WebStep& step : steps) {
        switch (step.kind) {
            case WebStep::Kind::User:
                login = {step.first, step.second, true};
                break;
            case WebStep::Kind::Header:
                headers.push_back(step.first);
                break;
            case WebStep::Kind::Get:
            case WebStep::Kind::Post: {
                const bool post = step.kind == WebStep::Kind::Post;
                // A login written in the URL is answered like USER's and never sent in it.
                const std::string userInfo = UrlUserInfo(step.first);
                const size_t colon = userInfo.find(':');
                const Login urlLogin{userInfo.substr(0, colon),
                                     colon == std::string::npos ? "" : userInfo.substr(colon + 1),
                                     true};
                WebRequest request{post ? "POST" : "GET", UrlWithoutUserInfo(step.first),
                                   std::move(headers), step.second};
                headers.clear();
                if (post && !HasHeader(request.headers, "content-type"))
                    request.headers.push_back(kFormType);
                const WebAnswer answer =
                    SendWithLogin(ctx, request, userInfo.empty() ? login : urlLogin);
                if (ui.EndRequested())
                    return false;
                const std::string url = UrlForLog(step.first);
                if (!answer.answered) {
                    ctx.log.ReportFailure("Unable to Reboot Modem - No Answer from " + url);
                    return false;
                }
                if (answer.status < 200 || answer.status > 399) {
                    ctx.log.ReportFailure("Unable to Reboot Modem - Web Request Refused : " +
                                          std::to_string(answer.status) + " " + url);
                    return false;
                }
                body = answer.body;
                break;
            }
            case WebStep::Kind::Expect:
                if (body.find(step.first) == std::string::npos) {
                    ctx.log.ReportFailure("Unable to Reboot Modem - Invalid Responce " +
                                          BodyForLog(body));
                    return false;
                }
                break;
            case WebStep::Kind::Pause:
                ui.Pause(static_cast<uint32_t>(std::stoi(step.first)) * 1000);
                break;
        }
        ui.PumpMessages();
        if (ui.EndRequested())
            return false;
    }
    return true;
}

}  // namespace qv
