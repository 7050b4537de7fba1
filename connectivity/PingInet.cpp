#include "connectivity/PingInet.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "actions/EventLog.h"
#include "actions/FileHelpers.h"
#include "app/App.h"
#include "connectivity/DateTime.h"
#include "settings/LeadingNumber.h"

namespace qv {
namespace {

// Marks a check as under way for as long as it runs.
class CheckInProgress {
  public:
    explicit CheckInProgress(bool& flag) : flag_(flag) { flag_ = true; }
    ~CheckInProgress() { flag_ = false; }
    CheckInProgress(const CheckInProgress&) = delete;
    CheckInProgress& operator=(const CheckInProgress&) = delete;

  private:
    bool& flag_;
};

// The number (0 to 2) of the built-in home page the entry names, or -1.
int HomePageNumber(const App& app, const std::string& url) {
    for (size_t i = 0; i < app.paths.HomePageUrls.size(); ++i) {
        if (url == app.paths.HomePageUrls[i])
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

bool FetchPage(App& app, const std::string& url) {
    const int homePage = HomePageNumber(app, url);
    const std::string address = homePage >= 0 ? app.paths.SearchPageUrls[homePage] : url;
    // The text is kept only when it may be saved, and then only its first mebibyte; otherwise the
    // bytes are only counted.
    const bool keepText = app.diag.SavePages && homePage >= 0;

    int64_t total = 0;
    std::string text;
    if (std::unique_ptr<InternetRequest> request = app.os.internet.OpenUrl(address)) {
        std::vector<char> buffer(kPageReadSize);
        for (;;) {
            const size_t count = request->Read(buffer.data(), buffer.size());
            if (count == 0)
                break;
            total += static_cast<int64_t>(count);
            if (keepText && text.size() < kSavedPageLimit)
                text.append(buffer.data(), std::min(count, kSavedPageLimit - text.size()));
            app.os.ui.PumpMessages();
        }
        app.traffic.TotalBytesDownloaded += total;
    }  // closes the request, then the session
    const bool received = total > 0;

    if (app.diag.FetchLog) {
        std::string path = app.paths.ProgramFolder + "\\debug.log";
        WriteLogTo(app, path, url + " : " + std::to_string(total));
    }
    if (app.diag.SavePages && received && homePage >= 0) {
        std::string path =
            ReplaceAll(app.paths.ProgramFolder + "\\" + std::to_string(app.os.clock.Now().day) +
                           "_" + std::to_string(homePage + 1) + ".dat",
                       "\\\\", "\\");
        if (!FileExists(app, path))
            WriteLogTo(app, path, text);
    }
    return received;
}

void CheckConnectivity(App& app) {
    ConnectivityState& net = app.net;
    if (net.CheckRunning)
        return;
    const std::vector<std::string>& list = app.settings.PingUrlList;
    if (list.empty())
        return;
    CheckInProgress running(net.CheckRunning);

    ++net.PageIndex;
    // A copy: the list may be reloaded by a window message handled during the fetch.
    const std::string entry =
        list[static_cast<size_t>(net.PageIndex % static_cast<int64_t>(list.size()))];

    if (FetchPage(app, entry)) {
        net.LastPageOK = app.os.clock.Now();
        net.PageFailures = 0;
        app.actions().StartTrayAnimation();
    } else {
        ++net.PageFailures;
        app.IconState = 5;
        WriteLog(app, "Unable to open : " + entry);
    }

    if (net.PageFailures >= 3 && MinutesBetween(net.LastPageOK, app.os.clock.Now()) >= 3) {
        net.PageFailures = 0;
        WriteLog(app, "No Connectivity Since last 3 Minutes - Rebooting Modem.");
        if (app.actions().RebootModem())
            WriteLog(app, "Modem Rebooted Successfully.");
        net.LastPageOK = app.os.clock.Now();
    }
}

}  // namespace qv
