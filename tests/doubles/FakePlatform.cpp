#include "tests/doubles/FakePlatform.h"

#include <algorithm>

#include "app/Globals.h"

namespace qv::test {
bool FakeFiles::Writable(const std::string& path) const {
    if (path.empty() || folders.count(path))
        return false;
    for (const auto& ro : readOnlyFolders) {
        if (path.rfind(ro + "\\", 0) == 0)
            return false;
    }
    return true;
}

bool FakeFiles::AppendBytes(const std::string& path, const std::string& bytes) {
    if (!Writable(path))
        return false;
    files[path] += bytes;
    return true;
}

bool FakeFiles::WriteBytesFromStart(const std::string& path, const std::string& bytes) {
    if (!Writable(path))
        return false;
    std::string& content = files[path];
    if (content.size() < bytes.size())
        content.resize(bytes.size());
    std::copy(bytes.begin(), bytes.end(), content.begin());
    return true;
}

bool FakeFiles::CanOpenForReading(const std::string& path) {
    return files.count(path) > 0;
}

std::optional<std::string> FakeFiles::ReadAll(const std::string& path) {
    auto it = files.find(path);
    if (it == files.end())
        return std::nullopt;
    return it->second;
}

std::unique_ptr<FileReader> FakeFiles::OpenForReading(const std::string& path) {
    auto it = files.find(path);
    if (it == files.end())
        return nullptr;
    return std::make_unique<TextReader>(it->second, readPiece);
}

std::optional<std::string> FakeStore::Read(const std::string& application,
                                           const std::string& section, const std::string& key) {
    if (failReadsOf.count(key))
        throw StoreError("read failed: " + key);
    auto it = values.find({application, section, key});
    if (it == values.end())
        return std::nullopt;
    return it->second;
}

void FakeStore::Write(const std::string& application, const std::string& section,
                      const std::string& key, const std::string& text) {
    if (failWritesOf.count(key))
        throw StoreError("write failed: " + key);
    values[{application, section, key}] = text;
    writtenKeys.push_back(key);
}

void FakeStore::Put(const std::string& key, const std::string& text) {
    values[{"Quorvane", "Quorvane", key}] = text;
}

std::optional<std::string> FakeStore::Get(const std::string& key) const {
    auto it = values.find({"Quorvane", "Quorvane", key});
    if (it == values.end())
        return std::nullopt;
    return it->second;
}

int FakeActions::Count(const std::string& name) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), name));
}

TestApp::TestApp() {
    app.SetActions(actions);
    app.SetDialogHost(dialogHost);
    app.connectivityContext.pageFetched = [this] { actions.StartTrayAnimation(); };
    app.dialogContext.readCommandFile = [this](const std::string& path) {
        return actions.ReadCommandFile(path);
    };
    app.dialogContext.startTrayAnimation = [this] { actions.StartTrayAnimation(); };
    sockets.clockMs = &clock.steadyMs;
}

Platform TestApp::Compose(const Parts& p) {
    return Platform{p.clock ? *p.clock : clock,
                    p.files ? *p.files : files,
                    p.store ? *p.store : store,
                    p.process ? *p.process : process,
                    p.ui ? *p.ui : ui,
                    p.timers ? *p.timers : timers,
                    p.tray ? *p.tray : tray,
                    p.internet ? *p.internet : internet,
                    p.registry ? *p.registry : registry,
                    p.sockets ? *p.sockets : sockets,
                    p.power ? *p.power : power,
                    p.menu ? *p.menu : menu};
}

void TestApp::InitPaths() {
    InitGlobals(app);
}

std::vector<std::string> TestApp::LogLines(const std::string& path) const {
    std::vector<std::string> lines;
    auto it = files.files.find(path.empty() ? app.paths.LogPath : path);
    const std::string content = it == files.files.end() ? "" : it->second;
    for (size_t start = 0, end; start < content.size(); start = end + 2) {
        end = std::min(content.find("\r\n", start), content.size());
        lines.push_back(content.substr(start, end - start));
    }
    return lines;
}

std::vector<std::string> TestApp::LogMessages(const std::string& path) const {
    std::vector<std::string> messages;
    for (const auto& line : LogLines(path))
        messages.push_back(line.size() >= 24 ? line.substr(24) : "");
    return messages;
}

}  // namespace qv::test
