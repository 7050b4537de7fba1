#pragma once
#include <array>
#include <string>

namespace qv {

struct App;

// Program paths and built-in addresses, filled once at start-up.
struct ProgramPaths {
    std::string ProgramFolder;
    std::string ExeBaseName;
    std::string ExePath;
    std::string CommandFilePath;
    std::string LogPath;
    std::string EnableBatchPath;
    std::string DisableBatchPath;
    std::array<std::string, 3> HomePageUrls;
    std::array<std::string, 3> SearchPageUrls;
};

// The diagnostic switches of the settings dialog; never stored.
struct DiagnosticSwitches {
    bool MinuteCountDisplay = false;
    bool ModemTrace = false;
    bool FetchLog = false;
    bool SavePages = false;
};

inline constexpr const char* kAppTitle = "Quorvane";

// Folder and base name of an executable path: "C:\Tools\Quorvane.exe" gives "C:\Tools" and
// "Quorvane"; a program at a drive root gives the folder "C:\".
void SplitExecutablePath(const std::string& exePath, std::string& folder, std::string& baseName);

// Fills the built-in addresses and the program paths, gives the service timers their periods,
// starts the socket library and writes the missing batch files.
void InitGlobals(App& app);

}  // namespace qv
