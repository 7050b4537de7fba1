#include "modem/TelNetCmds.h"

#include <optional>
#include <vector>

#include "actions/EventLog.h"
#include "actions/FileHelpers.h"
#include "app/App.h"
#include "app/ProgramError.h"
#include "settings/LeadingNumber.h"

namespace qv {
namespace {

constexpr const char* kInvalidFile = "Invalid telnet Commands file : ";

void Report(App& app, const std::string& reason) {
    app.IconState = 5;
    WriteLog(app, kInvalidFile + reason);
}

// The file's lines as one pass over it reads them; nothing when it cannot be read.
std::optional<std::vector<std::string>> ReadLines(App& app, const std::string& path) {
    std::optional<std::string> content = app.os.files.ReadAll(path);
    if (!content)
        return std::nullopt;
    return TextLines(*content);
}

bool IsCommandLine(const std::string& line) {
    return line.compare(0, 4, "WAIT") == 0 || line.compare(0, 4, "SEND") == 0;
}

// The text between the line's first and second double quote, decoded.
std::string Argument(const std::string& line) {
    std::vector<std::string> pieces = SplitText(line, '"');
    if (pieces.size() < 3)
        return "";
    return DecodeEscapes(pieces[1]);
}

// The line at a position of a pass; a pass that ends before it is a read past the end.
const std::string& LineAt(const std::vector<std::string>& lines, size_t index) {
    if (index >= lines.size())
        throw ProgramError(kErrPastEndOfFile);
    return lines[index];
}

}  // namespace

std::string DecodeEscapes(std::string& text) {
    text = ReplaceAll(text, "\\m", "\r\n");
    text = ReplaceAll(text, "\\\"", "\"");
    text = ReplaceAll(text, "\\\\", "\\");
    return text;
}

bool ReadCommandFile(App& app, const std::string& path) {
    if (!FileExists(app, path)) {
        Report(app, path + " Does Not Exist.");
        return false;
    }
    try {
        // Counting pass. A file that cannot be read now reads as one that ends at once.
        std::vector<std::string> lines = ReadLines(app, path).value_or(std::vector<std::string>{});
        const std::string& first = LineAt(lines, 0);
        if (first.empty() || LeadingNumber(first) <= 0) {
            Report(app, "first line must be IP & Port.");
            return false;
        }
        size_t count = 1;
        for (size_t i = 1; i < lines.size(); ++i) {
            if (IsCommandLine(lines[i]))
                ++count;
        }
        if (count % 2 == 0) {
            Report(app, "Command Pairs must be even.");
            return false;
        }
        size_t pairs = (count - 1) / 2;
        if (pairs == 0)
            throw ProgramError(kErrSubscript);
        app.modem.CommandPairs.assign(pairs, CommandPair{});

        // Reading pass: the lines that follow line 1, taken by position.
        lines = ReadLines(app, path).value_or(std::vector<std::string>{});
        std::vector<std::string> pieces = SplitText(LineAt(lines, 0), ' ');
        if (pieces.empty())
            throw ProgramError(kErrSubscript);
        app.modem.ModemAddress = pieces[0];
        if (pieces.size() < 2)
            throw ProgramError(kErrSubscript);
        app.modem.ModemPort = pieces[1];
        for (size_t i = 0; i < pairs; ++i) {
            app.modem.CommandPairs[i].WaitText = Argument(LineAt(lines, 1 + 2 * i));
            app.modem.CommandPairs[i].SendText = Argument(LineAt(lines, 2 + 2 * i));
        }
        return true;
    } catch (const ProgramError& error) {
        Report(app, "Unknown Error " + std::to_string(error.Number()));
        return false;
    }
}

}  // namespace qv
