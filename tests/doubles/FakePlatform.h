#pragma once
#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "app/Actions.h"
#include "app/App.h"
#include "platform/Platform.h"
#include "tests/doubles/FakeInternet.h"
#include "tests/doubles/FakeRegistry.h"
#include "tests/doubles/FakePower.h"
#include "tests/doubles/FakeSockets.h"
#include "tests/doubles/FakeMenu.h"
#include "tests/doubles/SimTimers.h"

namespace qv::test {

// A clock the test sets by hand. Its steady count moves only when something moves it (the
// fake sockets' receives do).
class FakeClock : public Clock {
  public:
    LocalTime now{2026, 12, 5, 19, 42, 28};
    uint64_t steadyMs = 0;
    std::string decimalSeparator = ".";

    LocalTime Now() override { return now; }
    std::string DateSeparator() override { return "/"; }
    std::string TimeSeparator() override { return ":"; }
    std::string DecimalSeparator() override { return decimalSeparator; }
    uint64_t SteadyMs() override { return steadyMs; }
    void Set(int hour, int minute, int second = 0) {
        now.hour = hour;
        now.minute = minute;
        now.second = second;
    }
};

// Reads a text held elsewhere, in pieces of at most `piece` bytes.
class TextReader : public FileReader {
  public:
    explicit TextReader(const std::string& text, size_t piece = 4096)
        : text_(text), piece_(piece) {}
    int64_t Read(char* buffer, size_t size) override {
        size_t n = std::min({size, piece_, text_.size() - pos_});
        text_.copy(buffer, n, pos_);
        pos_ += n;
        return static_cast<int64_t>(n);
    }

  private:
    const std::string& text_;
    size_t piece_;
    size_t pos_ = 0;
};

// Files in memory. Paths in `readOnlyFolders` refuse every write below them; `folders` are
// folders, which exist but cannot be opened as files.
class FakeFiles : public FileSystem {
  public:
    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::set<std::string> readOnlyFolders;
    std::string windowsDirectory = "C:\\WINDOWS";
    size_t readPiece = 4096;  // the most a read of an open file returns

    bool AppendBytes(const std::string& path, const std::string& bytes) override;
    bool WriteBytesFromStart(const std::string& path, const std::string& bytes) override;
    bool CanOpenForReading(const std::string& path) override;
    std::optional<std::string> ReadAll(const std::string& path) override;
    // Reads the file's text in place: it must not change while the reader is open.
    std::unique_ptr<FileReader> OpenForReading(const std::string& path) override;
    std::string WindowsDirectoryRaw() override { return windowsDirectory; }

    bool Writable(const std::string& path) const;
};

// The settings store in memory; `failReadsOf`/`failWritesOf` make single keys fail.
class FakeStore : public SettingsStore {
  public:
    using Address = std::tuple<std::string, std::string, std::string>;
    std::map<Address, std::string> values;
    std::set<std::string> failReadsOf;
    std::set<std::string> failWritesOf;
    std::vector<std::string> writtenKeys;

    std::optional<std::string> Read(const std::string& application, const std::string& section,
                                    const std::string& key) override;
    void Write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& text) override;

    // Values of the application "Quorvane", section "Quorvane".
    void Put(const std::string& key, const std::string& text);
    std::optional<std::string> Get(const std::string& key) const;
};

// Thrown by FakeProcess::EndProcess so a test can see the process end.
struct ProcessEnded {};

class FakeProcess : public Process {
  public:
    bool otherInstanceRunning = false;
    int priorityRaised = 0;
    std::string exePath = "C:\\Program Files\\Quorvane\\Quorvane.exe";
    std::string arguments;
    bool startSucceeds = true;
    std::vector<std::pair<std::string, ShowCommand>> started;
    std::vector<std::string> shellOpened;

    bool ClaimSingleInstance() override { return !otherInstanceRunning; }
    void RaiseThreadPriority() override { ++priorityRaised; }
    std::string ExecutablePath() override { return exePath; }
    std::string CommandLineArguments() override { return arguments; }
    bool StartProgram(const std::string& commandLine, ShowCommand show) override {
        started.emplace_back(commandLine, show);
        return startSucceeds;
    }
    void ShellOpen(const std::string& file, ShowCommand) override { shellOpened.push_back(file); }
    [[noreturn]] void EndProcess() override { throw ProcessEnded{}; }
};

class FakeUi : public Ui {
  public:
    std::vector<std::string> messages;  // every message box text, in order
    std::vector<std::string> captions;
    int pumps = 0;
    std::vector<uint32_t> sleeps;
    std::function<void()> onPump;  // runs nested "window messages" while pumping

    void ShowMessage(const std::string& text, const std::string& caption) override {
        messages.push_back(text);
        captions.push_back(caption);
    }
    void PumpMessages() override {
        ++pumps;
        if (onPump)
            onPump();
    }
    void Sleep(uint32_t ms) override { sleeps.push_back(ms); }
};

// The main window's timers run on a simulated clock that moves the FakeClock.
using FakeTimers = SimTimers;

// The notification area: what it shows and every request it got.
class FakeTray : public Tray {
  public:
    enum class Op { Show, Change, Remove };
    struct Call {
        Op op;
        Picture picture;
        std::string tip;
    };
    std::vector<Call> calls;
    bool shown = false;
    Picture picture = Picture::WindowIcon;  // the picture the icon has, while shown
    std::string tip;

    void Show(Picture p, const std::string& t) override {
        calls.push_back({Op::Show, p, t});
        shown = true;
        picture = p;
        tip = t;
    }
    void Change(Picture p, const std::string& t) override {
        calls.push_back({Op::Change, p, t});
        if (shown) {
            picture = p;
            tip = t;
        }
    }
    void Remove() override {
        calls.push_back({Op::Remove, picture, tip});
        shown = false;
    }
    // The picture the latest request asked for.
    Picture LastPicture() const {
        return calls.empty() ? Picture::WindowIcon : calls.back().picture;
    }
};

// Records every service call; results are set by the test.
class FakeActions : public Actions {
  public:
    std::vector<std::string> calls;
    bool modemReachable = false;
    bool rebootSucceeds = true;
    std::function<void(const std::string&)> onCall;

    void SetServiceTimerIntervals() override { Record("SetServiceTimerIntervals"); }
    void ArmServiceTimers() override { Record("ArmServiceTimers"); }
    void StartSockets() override { Record("StartSockets"); }
    void StopSockets() override { Record("StopSockets"); }
    void WriteNicBatches() override { Record("WriteNicBatches"); }
    bool ModemReachable() override {
        Record("ModemReachable");
        return modemReachable;
    }
    void EnableNIC() override { Record("EnableNIC"); }
    void DisableNIC() override { Record("DisableNIC"); }
    bool RebootModem() override {
        Record("RebootModem");
        return rebootSucceeds;
    }
    void CheckConnectivity() override { Record("CheckConnectivity"); }
    void ShutDownPC() override { Record("ShutDownPC"); }
    // The calls the watch and the settings dialog make upwards.
    void StartTrayAnimation() { Record("StartTrayAnimation"); }
    bool ReadCommandFile(const std::string& path) {
        Record("ReadCommandFile:" + path);
        return true;
    }

    int Count(const std::string& name) const;

    void Record(const std::string& name) {
        calls.push_back(name);
        if (onCall)
            onCall(name);
    }
};

// The settings dialog's window, journalled with the services.
class FakeDialogHost : public SettingsDialogHost {
  public:
    explicit FakeDialogHost(FakeActions& journal) : journal_(journal) {}
    void ShowDialog() override { journal_.Record("ShowSettingsDialog"); }
    void UnloadDialog() override { journal_.Record("UnloadSettingsDialog"); }
    void SetFrame1Caption(const std::string& caption) override {
        journal_.Record("SetNicFrameCaption:" + caption);
    }
    bool IsDialogLoaded() const override { return false; }

  private:
    FakeActions& journal_;
};

// A complete program state over doubles, with paths as a start from
// C:\Program Files\Quorvane\Quorvane.exe would give them.
struct TestApp {
    FakeClock clock;
    FakeFiles files;
    FakeStore store;
    FakeProcess process;
    FakeUi ui;
    FakeTimers timers{clock.now};
    FakeTray tray;
    FakeActions actions;
    FakeDialogHost dialogHost{actions};
    FakeInternet internet;
    FakeRegistry registry;
    FakeSockets sockets;
    FakePower power;
    FakeMenu menu;
    Platform platform{clock, files,    store,    process, ui,    timers,
                      tray,  internet, registry, sockets, power, menu};
    App app{platform};

    TestApp();

    // The parts of a Platform that a test replaces with real implementations.
    struct Parts {
        Clock* clock = nullptr;
        FileSystem* files = nullptr;
        SettingsStore* store = nullptr;
        Process* process = nullptr;
        Ui* ui = nullptr;
        TimerHost* timers = nullptr;
        Tray* tray = nullptr;
        Internet* internet = nullptr;
        Registry* registry = nullptr;
        Sockets* sockets = nullptr;
        Power* power = nullptr;
        Menu* menu = nullptr;
    };
    // This app's doubles, except where `parts` names another implementation.
    Platform Compose(const Parts& parts);
    // Fills the paths and built-in addresses as start-up does.
    void InitPaths();
    // The lines of the log (or of another file) without their CR LF.
    std::vector<std::string> LogLines(const std::string& path = "") const;
    // How often the computer was asked to shut down.
    int ShutdownRequests() const { return power.shutdowns; }
    // The log lines' messages (what follows the 24-character prefix).
    std::vector<std::string> LogMessages(const std::string& path = "") const;
};

}  // namespace qv::test
