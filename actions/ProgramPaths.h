#pragma once
#include <array>
#include <string>

namespace qv {

inline constexpr const char* kAppTitle = "Quorvane";

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

}  // namespace qv
