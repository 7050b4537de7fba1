#pragma once
#include <string>

namespace qv {

// Show commands for started programs, as Windows numbers them.
enum class ShowCommand : int { Normal = 1, MinimizedFocused = 2 };

// The running process and the programs it starts.
class Process {
  public:
    virtual ~Process() = default;
    // Claims the program's single-instance token; false when another instance holds it.
    virtual bool ClaimSingleInstance() = 0;
    // GetCurrentThread, GetThreadPriority (result unused), SetThreadPriority(2).
    virtual void RaiseThreadPriority() = 0;
    // Full path of the running executable.
    virtual std::string ExecutablePath() = 0;
    // The arguments after the program name; empty when started without any.
    virtual std::string CommandLineArguments() = 0;
    // Starts a command line without waiting for it; false when it could not be started.
    virtual bool StartProgram(const std::string& commandLine, ShowCommand show) = 0;
    // ShellExecuteA with no owner, no verb, no parameters and no directory.
    virtual void ShellOpen(const std::string& file, ShowCommand show) = 0;
    // Opens a file with the program the user chose for its kind (a page in the default
    // browser), without waiting for it; false when nothing could be started.
    virtual bool OpenDocument(const std::string& path) = 0;
    // Ends the process at once.
    [[noreturn]] virtual void EndProcess() = 0;
};

}  // namespace qv
