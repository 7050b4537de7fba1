#include "modem/TelNetCmds.h"

#include <optional>
#include <vector>

#include "actions/EventLog.h"
#include "actions/FileHelpers.h"
#include "app/App.h"
#include "app/ProgramError.h"
#include "modem/Telnet.h"
#include "settings/LeadingNumber.h"

namespace qv {
namespace {

constexpr const char* kInvalidFile = "Invalid telnet Commands file : ";

void Report(App& app, const std::string& reason) {
    app.IconState = 5;
    WriteLog(app, kInvalidFile + reason);
}

// One pass over the file, a line at a time, as reading a text file line by line goes: a line
// ends at CR or CR LF. Only the current line is held, so a huge file costs no more than its text.
class FileLines {
  public:
    // Nothing to read when the file cannot be read.
    FileLines(App& app, const std::string& path) : content_(app.os.files.ReadAll(path)) {}
    bool Readable() const { return content_.has_value(); }
    // The next line, or false at the end of the file.
    bool Next(std::string& line) {
        if (!content_ || pos_ >= content_->size())
            return false;
        const std::string& text = *content_;
        size_t end = text.find('\r', pos_);
        if (end == std::string::npos)
            end = text.size();
        line.assign(text, pos_, end - pos_);
        pos_ = end;
        if (pos_ < text.size()) {
            ++pos_;
            if (pos_ < text.size() && text[pos_] == '\n')
                ++pos_;
        }
        return true;
    }
    // The next line; the end of the file is a read past its end.
    std::string Need() {
        std::string line;
        if (!Next(line))
            throw ProgramError(kErrPastEndOfFile);
        return line;
    }

  private:
    std::optional<std::string> content_;
    size_t pos_ = 0;
};

bool IsCommandLine(const std::string& line) {
    return line.compare(0, 4, "WAIT") == 0 || line.compare(0, 4, "SEND") == 0;
}

// The text between the line's first and second double quote, decoded.
std::string Argument(const std::string& line) {
    const size_t open = line.find('"');
    const size_t close = open == std::string::npos ? open : line.find('"', open + 1);
    if (close == std::string::npos)
        return "";
    std::string argument = line.substr(open + 1, close - open - 1);
    return DecodeEscapes(argument);
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
        // Counting pass. A file that cannot be read now reads as one that ends at once; an
        // empty file holds one empty line 1, which is no address and port.
        FileLines counting(app, path);
        std::string first;
        if (!counting.Next(first) && !counting.Readable())
            throw ProgramError(kErrPastEndOfFile);
        if (first.empty() || LeadingNumber(first) <= 0) {
            Report(app, "first line must be IP & Port.");
            return false;
        }
        size_t count = 1;
        for (std::string line; counting.Next(line);) {
            if (IsCommandLine(line))
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
        FileLines reading(app, path);
        std::vector<std::string> pieces = SplitText(reading.Need(), ' ');
        if (pieces.empty())
            throw ProgramError(kErrSubscript);
        app.modem.ModemAddress = pieces[0];
        if (pieces.size() < 2)
            throw ProgramError(kErrSubscript);
        app.modem.ModemPort = pieces[1];
        app.modem.SearchReplies = pieces.size() > 2 && IsTelnetWord(pieces[2]);
        for (size_t i = 0; i < pairs; ++i) {
            app.modem.CommandPairs[i].WaitText = Argument(reading.Need());
            app.modem.CommandPairs[i].SendText = Argument(reading.Need());
        }
        return true;
    } catch (const ProgramError& error) {
        Report(app, "Unknown Error " + std::to_string(error.Number()));
        return false;
    }
}

}  // namespace qv
