#include "connectivity/PingInet.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "actions/EventLog.h"
#include "actions/FileHelpers.h"
#include "actions/FreeWindowLines.h"
#include "connectivity/DateTime.h"
#include "connectivity/RebootPacing.h"
#include "actions/Running.h"
#include "actions/Text.h"
#include "modem/ModemReboot.h"

namespace qv {
namespace {

// The number (0 to 2) of the built-in home page the entry names, or -1.
int HomePageNumber(const ProgramPaths& paths, const std::string& url) {
    for (size_t i = 0; i < paths.HomePageUrls.size(); ++i) {
        if (url == paths.HomePageUrls[i])
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

bool FetchPage(const ConnectivityContext& ctx, const std::string& url) {
    const int homePage = HomePageNumber(ctx.paths, url);
    const std::string address = homePage >= 0 ? ctx.paths.SearchPageUrls[homePage] : url;
    // The text is kept only when it may be saved, and then only its first mebibyte; otherwise the
    // bytes are only counted.
    const bool keepText = ctx.diag.SavePages && homePage >= 0;

    int64_t total = 0;
    std::string text;
    if (std::unique_ptr<InternetRequest> request = ctx.internet.OpenUrl(address)) {
        std::vector<char> buffer(kPageReadSize);
        for (;;) {
            const size_t count = request->Read(buffer.data(), buffer.size());
            if (count == 0)
                break;
            total += static_cast<int64_t>(count);
            if (keepText && text.size() < kSavedPageLimit)
                text.append(buffer.data(), std::min(count, kSavedPageLimit - text.size()));
            ctx.ui.PumpMessages();
        }
        ctx.traffic.TotalBytesDownloaded += total;
    }  // closes the request, then the session
    if (ctx.ui.EndRequested())
        return false;  // cut short because the program is ending: nothing more is written
    const bool received = total > 0;

    if (ctx.diag.FetchLog) {
        std::string path = ctx.paths.ProgramFolder + "\\debug.log";
        ctx.log.WriteLogTo(path, url + " : " + std::to_string(total));
    }
    if (ctx.diag.SavePages && received && homePage >= 0) {
        std::string path =
            ReplaceAll(ctx.paths.ProgramFolder + "\\" + std::to_string(ctx.clock.Now().day) + "_" +
                           std::to_string(homePage + 1) + ".dat",
                       "\\\\", "\\");
        if (!FileExists(ctx.files, path))
            ctx.log.WriteLogTo(path, text);
    }
    return received;
}

void CheckConnectivity(const ConnectivityContext& ctx) {
    ConnectivityState& net = ctx.net;
    if (net.Check.Running())
        return;
    const std::vector<std::string>& list = ctx.settings.PingUrlList;
    if (list.empty())
        return;
    ActionRunning::Hold running(net.Check);

    ++net.PageIndex;
    // A copy: the list may be reloaded by a window message handled during the fetch.
    const std::string entry =
        list[static_cast<size_t>(net.PageIndex % static_cast<int64_t>(list.size()))];

    const bool fetched = FetchPage(ctx, entry);
    // A fetch that the end of the program cut short is no failure of the line.
    if (ctx.ui.EndRequested())
        return;
    if (fetched) {
        net.LastPageOK = ctx.clock.Now();
        net.PageFailures = 0;
        ++net.PagesOpened;
        if (net.FailedInARow > 0)
            ctx.log.WriteLog(RestoredLine(net.FailedInARow));
        net.FailedInARow = 0;
        PageOpened(ctx);
        if (ctx.pageFetched)
            ctx.pageFetched();
    } else {
        if (FailureCounts(ctx))
            ++net.PageFailures;
        ++net.PagesFailed;
        ++net.FailedInARow;
        ctx.log.ReportFailure("Unable to open : " + entry);
    }

    if (net.PageFailures >= 3 && MinutesBetween(net.LastPageOK, ctx.clock.Now()) >= 3 &&
        RuleMayReboot(ctx)) {
        net.PageFailures = 0;
        RuleRebooted(ctx);
        ctx.log.WriteLog("No Connectivity Since last 3 Minutes - Rebooting Modem.");
        if (RebootModem(ctx.modem))
            ctx.log.WriteLog("Modem Rebooted Successfully.");
        net.LastPageOK = ctx.clock.Now();
    }
}

}  // namespace qv
