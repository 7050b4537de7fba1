#include "actions/FileHelpers.h"

#include "app/App.h"

namespace qv {

std::string WindowsDirectory(App& app) {
    std::string raw = app.os.files.WindowsDirectoryRaw();
    std::string directory = raw.substr(0, raw.find('\0'));
    for (char& c : directory) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return directory;
}

bool FileExists(App& app, const std::string& path) {
    if (path.empty())
        return false;
    return app.os.files.CanOpenForReading(path);
}

bool WriteTextFile(App& app, const std::string& path, const std::string& text) {
    return app.os.files.WriteBytesFromStart(path, text);
}

std::vector<std::string> TextLines(const std::string& content) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < content.size(); ++i) {
        char c = content[i];
        if (c == '\r') {
            lines.push_back(std::move(line));
            line.clear();
            if (i + 1 < content.size() && content[i + 1] == '\n')
                ++i;
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

std::string ReadTextFile(App& app, const std::string& path) {
    std::optional<std::string> content = app.os.files.ReadAll(path);
    if (!content)
        return "";
    std::string text;
    text.reserve(content->size() + 2);
    for (const std::string& line : TextLines(*content)) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace qv
