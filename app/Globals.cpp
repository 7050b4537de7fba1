#include "app/Globals.h"

#include "actions/FileHelpers.h"
#include "app/Actions.h"
#include "app/App.h"
#include "actions/Text.h"

namespace qv {
namespace {

std::string Clean(const std::string& path) {
    return ReplaceAll(path, "\\\\", "\\");
}

}  // namespace

void SplitExecutablePath(const std::string& exePath, std::string& folder, std::string& baseName) {
    size_t slash = exePath.find_last_of("\\/");
    std::string fileName = slash == std::string::npos ? exePath : exePath.substr(slash + 1);
    folder = slash == std::string::npos ? std::string() : exePath.substr(0, slash);
    if (folder.size() == 2 && folder[1] == ':')
        folder += "\\";
    size_t dot = fileName.find_last_of('.');
    baseName = dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

void InitGlobals(App& app) {
    ProgramPaths& p = app.paths;
    // Plain-HTTP portal home pages, each with a search-results page on the same site.
    p.HomePageUrls[0] = "http://www.yahoo.com/";
    p.SearchPageUrls[0] = "http://search.yahoo.com/search?p=weather";
    p.HomePageUrls[1] = "http://www.bing.com/";
    p.SearchPageUrls[1] = "http://www.bing.com/search?q=weather";
    p.HomePageUrls[2] = "http://www.msn.com/";
    p.SearchPageUrls[2] = "http://www.msn.com/en-us/search?q=weather";

    SplitExecutablePath(app.os.process.ExecutablePath(), p.ProgramFolder, p.ExeBaseName);
    p.ExePath = Clean(p.ProgramFolder + "\\" + p.ExeBaseName + ".Exe");
    p.CommandFilePath = Clean(p.ProgramFolder + "\\" + "Reboot.Txt");
    p.LogPath = Clean(p.ProgramFolder + "\\" + p.ExeBaseName + ".log");
    p.EnableBatchPath = WindowsDirectory(app.os.files) + "\\EnbNic.bat";
    p.DisableBatchPath = WindowsDirectory(app.os.files) + "\\DisNic.bat";

    app.actions().SetServiceTimerIntervals();
    app.actions().StartSockets();
    app.actions().WriteNicBatches();
}

}  // namespace qv
