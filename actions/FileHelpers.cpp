#include "actions/FileHelpers.h"

#include "actions/Text.h"

namespace qv {

std::string WindowsDirectory(FileSystem& files) {
    std::string raw = files.WindowsDirectoryRaw();
    std::string directory = raw.substr(0, raw.find('\0'));
    for (char& c : directory) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return directory;
}

bool FileExists(FileSystem& files, const std::string& path) {
    if (path.empty())
        return false;
    return files.CanOpenForReading(path);
}

bool WriteTextFile(FileSystem& files, const std::string& path, const std::string& text) {
    return files.WriteBytesFromStart(path, text);
}

std::string ReadTextFile(FileSystem& files, const std::string& path) {
    std::optional<std::string> content = files.ReadAll(path);
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
