#include "app/NightReport.h"

#include <optional>
#include <string>

#include "app/App.h"
#include "app/FreeWindowWatch.h"
#include "report/Nights.h"
#include "report/ReportPage.h"

namespace qv {
namespace {

// The window messages are served after every this many bytes of the log.
constexpr int64_t kPumpEvery = 1 << 20;

void Fail(App& app, const std::string& message) {
    app.os.ui.ShowMessage(message, kAppTitle);
    app.log.ReportFailure(message);
}

// The open window as the program counts it now, which the log does not hold yet.
std::optional<report::OpenWindowNow> OpenWindow(const App& app, const LocalTime& now) {
    if (!app.freeWindow.Open)
        return std::nullopt;
    const FreeWindowSoFar seen = FreeWindowCounts(app);
    return report::OpenWindowNow{
        report::LocalSeconds(now.year, now.month, now.day, now.hour, now.minute, now.second),
        static_cast<double>(seen.bytes) / 1024, seen.pagesOpened, seen.pagesFailed};
}

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

}  // namespace

void MakeNightReport(App& app) {
    if (app.nightReport.Running())
        return;
    ActionRunning::Hold running(app.nightReport);
    const std::string logPath = app.paths.LogPath;
    std::unique_ptr<FileReader> reader = app.os.files.OpenForReading(logPath);
    if (!reader) {
        Fail(app, kLogUnreadable + logPath);
        return;
    }
    int64_t sincePump = 0;
    report::NightsRead read = report::ReadNights(
        [&](char* buffer, size_t size) {
            const int64_t n = reader->Read(buffer, size);
            if (n > 0 && (sincePump += n) >= kPumpEvery) {
                sincePump = 0;
                app.os.ui.PumpMessages();
            }
            return n;
        },
        OpenWindow(app, app.os.clock.Now()));
    reader.reset();
    if (read.failed) {
        Fail(app, kLogUnreadable + logPath);
        return;
    }
    const std::string folder = app.os.files.TemporaryFolder();
    const std::string page = InFolder(folder, report::kReportPageName);
    const std::string decimal = app.os.clock.DecimalSeparator();
    if (folder.empty() ||
        !app.os.files.WriteWholeFile(page, report::ReportPage(read.nights, decimal)) ||
        !app.os.files.WriteWholeFile(InFolder(folder, report::kReportCsvName),
                                     report::OutagesCsv(read.nights))) {
        Fail(app, kReportUnwritable + page);
        return;
    }
    if (!app.os.process.OpenDocument(page))
        Fail(app, kReportNotOpened + page);
}

}  // namespace qv
