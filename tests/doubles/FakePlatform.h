#pragma once
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/App.h"
#include "app/Globals.h"
#include "tests/doubles/FakeInternet.h"
#include "tests/doubles/FakeSockets.h"
#include "tests/doubles/FakeWebRequests.h"
#ifdef _WIN32
#include "win32/Win32Hashes.h"
#else
#include "posix/CryptoHashes.h"
#endif
#include "tests/doubles/SimTimers.h"

namespace qv::test {

using Strings = std::vector<std::string>;
// The system's own digests: libcrypto natively, BCrypt in the Windows-side tests.
#ifdef _WIN32
using SystemHashes = win32::Win32Hashes;
#else
using SystemHashes = CryptoHashes;
#endif

// The items, `sep` between each two.
inline std::string Join(const Strings& items, const std::string& sep = "|") {
    std::string all;
    for (size_t i = 0; i < items.size(); ++i)
        all += (i ? sep : "") + items[i];
    return all;
}

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
        std::tie(now.hour, now.minute, now.second) = std::tuple(hour, minute, second);
    }
};

// A file of the disk, whole and byte for byte ("" when it cannot be read).
inline std::string WholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Reads a text held elsewhere, in pieces of at most `piece` bytes.
class TextReader : public FileReader {
  public:
    explicit TextReader(const std::string& s, size_t piece = 4096) : text_(s), piece_(piece) {}
    int64_t Read(char* buffer, size_t size) override {
        size_t n = text_.copy(buffer, std::min(size, piece_), pos_);
        pos_ += n;
        return static_cast<int64_t>(n);
    }

  private:
    const std::string& text_;
    size_t piece_, pos_ = 0;
};

// Files in memory. Paths in `readOnlyFolders` refuse every write below them; `folders` are
// folders, which exist but cannot be opened as files.
class FakeFiles : public FileSystem {
  public:
    std::map<std::string, std::string> files;
    std::set<std::string> folders, readOnlyFolders;
    std::string windowsDirectory = "C:\\WINDOWS";
    std::string temporaryFolder = "C:\\Users\\me\\Temp\\";
    size_t readPiece = 4096;  // the most a read of an open file returns

    bool AppendBytes(const std::string& path, const std::string& bytes) override {
        return Writable(path) && (files[path] += bytes, true);
    }
    bool WriteBytesFromStart(const std::string& path, const std::string& bytes) override {
        return Writable(path) && (files[path].replace(0, bytes.size(), bytes), true);
    }
    bool CanOpenForReading(const std::string& path) override { return files.count(path) > 0; }
    std::optional<std::string> ReadAll(const std::string& path) override {
        auto it = files.find(path);
        return it == files.end() ? std::nullopt : std::optional(it->second);
    }
    // Reads the file's text in place: it must not change while the reader is open.
    std::unique_ptr<FileReader> OpenForReading(const std::string& path) override {
        auto it = files.find(path);
        return it == files.end() ? nullptr : std::make_unique<TextReader>(it->second, readPiece);
    }
    std::string WindowsDirectoryRaw() override { return windowsDirectory; }
    bool WriteWholeFile(const std::string& path, const std::string& bytes) override {
        return Writable(path) && (files[path] = bytes, true);
    }
    std::string TemporaryFolder() override { return temporaryFolder; }
    bool Writable(const std::string& path) const {
        return !path.empty() && !folders.count(path) &&
               std::none_of(readOnlyFolders.begin(), readOnlyFolders.end(),
                            [&](const std::string& ro) { return path.rfind(ro + "\\", 0) == 0; });
    }
};

// The settings store in memory; `failReadsOf`/`failWritesOf` make single keys fail.
class FakeStore : public SettingsStore {
  public:
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    std::set<std::string> failReadsOf, failWritesOf;
    Strings writtenKeys;

    std::optional<std::string> Read(const std::string& application, const std::string& section,
                                    const std::string& key) override {
        if (failReadsOf.count(key))
            throw StoreError("read failed: " + key);
        auto it = values.find({application, section, key});
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
    void Write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& text) override {
        if (failWritesOf.count(key))
            throw StoreError("write failed: " + key);
        values[{application, section, key}] = text;
        writtenKeys.push_back(key);
    }
    // Values of the application "Quorvane", section "Quorvane".
    void Put(const std::string& key, const std::string& text) {
        values[{"Quorvane", "Quorvane", key}] = text;
    }
    std::optional<std::string> Get(const std::string& key) {
        return Read("Quorvane", "Quorvane", key);
    }
};

// Thrown by FakeProcess::EndProcess so a test can see the process end.
struct ProcessEnded {};

class FakeProcess : public Process {
  public:
    bool otherInstanceRunning = false, startSucceeds = true;
    int priorityRaised = 0;
    std::string exePath = "C:\\Program Files\\Quorvane\\Quorvane.exe", arguments;
    std::vector<std::pair<std::string, ShowCommand>> started;
    Strings shellOpened, documentsOpened;
    bool openSucceeds = true;

    bool ClaimSingleInstance() override { return !otherInstanceRunning; }
    void RaiseThreadPriority() override { ++priorityRaised; }
    std::string ExecutablePath() override { return exePath; }
    std::string CommandLineArguments() override { return arguments; }
    bool StartProgram(const std::string& commandLine, ShowCommand show) override {
        started.emplace_back(commandLine, show);
        return startSucceeds;
    }
    void ShellOpen(const std::string& file, ShowCommand) override { shellOpened.push_back(file); }
    bool OpenDocument(const std::string& path) override {
        documentsOpened.push_back(path);
        return openSucceeds;
    }
    [[noreturn]] void EndProcess() override { throw ProcessEnded{}; }
};

class FakeUi : public Ui {
  public:
    Strings messages, captions;  // every message box's text and caption, in order
    std::vector<uint32_t> pauses;
    std::function<void()> onPump;  // runs nested "window messages" while pumping
    // Every wait the program makes (a pump, a pause, a socket's or a page's wait) counts; at
    // the wait numbered `endAtWait` (from 1) the program is asked to end, and that wait and
    // every later one end at once.
    int waits = 0, endAtWait = 0;
    bool endRequested = false;

    void ShowMessage(const std::string& text, const std::string& caption) override {
        messages.push_back(text);
        captions.push_back(caption);
    }
    void PumpMessages() override {
        if (!Wait() && onPump)
            onPump();
    }
    void Pause(uint32_t ms) override {
        if (!Wait())
            pauses.push_back(ms);
    }
    bool EndRequested() const override { return endRequested; }
    // One wait: true when it ends at once because the program was asked to end.
    bool Wait() {
        if (++waits == endAtWait)
            endRequested = true;
        return endRequested;
    }
};

// A journal of requests as texts, each also handed to `onCall` when set.
struct Journal {
    Strings calls;
    std::function<void(const std::string&)> onCall;
    void Record(const std::string& text) {
        calls.push_back(text);
        if (onCall)
            onCall(text);
    }
};

// The notification area: "show 2 tip", "change 4" (a picture by its number) and "remove".
class FakeTray : public Tray, public Journal {
  public:
    void Show(Picture p, const std::string& tip) override { Record("show " + Text(p) + " " + tip); }
    void Change(Picture p, const std::string&) override { Record("change " + Text(p)); }
    void Remove() override { Record("remove"); }
    static std::string Text(Picture p) { return std::to_string(static_cast<int>(p)); }
};

// Records every popup menu shown; the test picks the command the user chooses.
class FakeMenu : public Menu {
  public:
    std::vector<std::vector<MenuEntry>> shown;
    int choice = 0;
    int TrackPopupAtCursor(const std::vector<MenuEntry>& entries) override {
        shown.push_back(entries);
        return choice;
    }
};

// Counts the shutdowns asked for; nothing is ever switched off. The keep-awake requests and
// the wake timer are journalled ("awake", "may sleep", "wake 2026-12-06 01:59", "no wake").
class FakePower : public Power, public Journal {
  public:
    int shutdowns = 0;
    void ShutDownWindows() override { ++shutdowns; }
    void KeepSystemAwake(bool on) override { Record(on ? "awake" : "may sleep"); }
    void SetWakeTimer(const LocalTime& t) override {
        char text[40];
        std::snprintf(text, sizeof text, "wake %04d-%02d-%02d %02d:%02d", t.year, t.month, t.day,
                      t.hour, t.minute);
        Record(text);
    }
    void CancelWakeTimer() override { Record("no wake"); }
};

// The Run values in memory. `denyWrites` refuses writes as a user without access to the
// machine-wide hive is refused; `failDeletes` throws from inside a delete.
class FakeRegistry : public Registry {
  public:
    std::map<std::string, std::string> runValues;  // name, data
    bool denyWrites = false, failDeletes = false;

    bool SetRunValue(const std::string& name, const std::string& data) override {
        return !denyWrites && (runValues[name] = data, true);
    }
    bool DeleteRunValue(const std::string& name) override {
        if (failDeletes)
            throw std::runtime_error("registry fault");
        return runValues.erase(name) > 0;
    }
};

// Records every service call, the settings dialog's window and the calls the watch and the
// dialog make upwards, in one journal; results are set by the test.
class FakeActions : public Actions, public SettingsDialogHost, public Journal {
  public:
    bool modemReachable = false, rebootSucceeds = true;

    void SetServiceTimerIntervals() override { Record("SetServiceTimerIntervals"); }
    void ArmServiceTimers() override { Record("ArmServiceTimers"); }
    void StartSockets() override { Record("StartSockets"); }
    void StopSockets() override { Record("StopSockets"); }
    void WriteNicBatches() override { Record("WriteNicBatches"); }
    bool ModemReachable() override { return Record("ModemReachable"), modemReachable; }
    void EnableNIC() override { Record("EnableNIC"); }
    void DisableNIC() override { Record("DisableNIC"); }
    bool RebootModem() override { return Record("RebootModem"), rebootSucceeds; }
    void CheckConnectivity() override { Record("CheckConnectivity"); }
    void ShutDownPC() override { Record("ShutDownPC"); }
    void ShowDialog() override { Record("ShowSettingsDialog"); }
    void UnloadDialog() override { Record("UnloadSettingsDialog"); }
    void SetFrame1Caption(const std::string& text) override {
        Record("SetNicFrameCaption:" + text);
    }
    bool IsDialogLoaded() const override { return false; }
};

// A complete program state over doubles, with paths as a start from
// C:\Program Files\Quorvane\Quorvane.exe would give them.
struct TestApp {
    FakeClock clock;
    FakeFiles files;
    FakeStore store;
    FakeProcess process;
    FakeUi ui;
    SimTimers timers{clock.now};
    FakeTray tray;
    FakeActions actions;
    FakeInternet internet;
    FakeRegistry registry;
    FakeSockets sockets;
    FakePower power;
    FakeMenu menu;
    SystemHashes hashes;
    FakeWebRequests web;
    Platform platform{clock,    files,    store,   process, ui,   timers, tray,
                      internet, registry, sockets, power,   menu, hashes, web};
    App app{platform};

    TestApp() {
        app.SetActions(actions);
        app.SetDialogHost(actions);
        app.connectivityContext.pageFetched = [this] { actions.Record("StartTrayAnimation"); };
        app.dialogContext.startTrayAnimation = app.connectivityContext.pageFetched;
        app.dialogContext.readCommandFile = [this](const std::string& path) {
            return actions.Record("ReadCommandFile:" + path), true;
        };
        sockets.clockMs = &clock.steadyMs;
        sockets.waitEnds = [this] { return ui.Wait(); };
        internet.waitEnds = sockets.waitEnds;
        web.waitEnds = sockets.waitEnds;
        app.modem.NewCnonce = [] { return std::string("0a4f113b"); };
    }

    // Fills the paths and built-in addresses as start-up does.
    void InitPaths() { InitGlobals(app); }
    // The log's (or another file's) lines' messages: what follows the 24-character prefix.
    Strings LogMessages(const std::string& path = "") const {
        Strings messages;
        auto it = files.files.find(path.empty() ? app.paths.LogPath : path);
        const std::string content = it == files.files.end() ? "" : it->second;
        for (size_t start = 0, end; start < content.size(); start = end + 2) {
            end = std::min(content.find("\r\n", start), content.size());
            messages.push_back(end - start >= 24 ? content.substr(start + 24, end - start - 24)
                                                 : "");
        }
        return messages;
    }
    // How often the computer was asked to shut down.
    int ShutdownRequests() const { return power.shutdowns; }
};

}  // namespace qv::test
