#include "modem/TelNetCmds.h"

#include <algorithm>
#include <array>
#include <memory>
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
// ends at CR or CR LF. The file is read in pieces and only the current line is held, so a huge
// file costs no more than its longest line (and a line kept in part, no more than that part).
class FileLines {
  public:
    // Nothing to read when the file cannot be opened.
    FileLines(App& app, const std::string& path) : file_(app.os.files.OpenForReading(path)) {}
    bool Readable() const { return file_ != nullptr && !failed_; }
    void Close() { file_.reset(); }
    // The next line, of which at most `keep` characters are held; false at the end of the file.
    bool Next(std::string& line, size_t keep = std::string::npos) {
        if (!Fill())
            return false;
        line.clear();
        for (;;) {
            const char* begin = buffer_.data() + pos_;
            const char* stop = buffer_.data() + size_;
            const char* cr = std::find(begin, stop, '\r');
            if (line.size() < keep)
                line.append(begin, std::min<size_t>(cr - begin, keep - line.size()));
            pos_ = static_cast<size_t>(cr - buffer_.data());
            if (cr != stop) {
                ++pos_;  // the CR, and an LF straight after it
                if (Fill() && buffer_[pos_] == '\n')
                    ++pos_;
                return true;
            }
            if (!Fill())
                return true;  // the last line, without a line end
        }
    }
    // The next line; the end of the file is a read past its end.
    std::string Need() {
        std::string line;
        if (!Next(line))
            throw ProgramError(kErrPastEndOfFile);
        return line;
    }

  private:
    // True when a byte is waiting at pos_, reading the next piece when needed.
    bool Fill() {
        if (pos_ < size_)
            return true;
        pos_ = size_ = 0;
        if (!Readable())
            return false;
        const int64_t n = file_->Read(buffer_.data(), buffer_.size());
        if (n < 0)
            failed_ = true;
        if (n <= 0)
            return false;
        size_ = static_cast<size_t>(n);
        return true;
    }

    std::unique_ptr<FileReader> file_;
    std::array<char, 16384> buffer_{};
    size_t pos_ = 0;
    size_t size_ = 0;
    bool failed_ = false;
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
        // Only a line's first four characters tell a command line.
        for (std::string line; counting.Next(line, 4);) {
            if (IsCommandLine(line))
                ++count;
        }
        counting.Close();
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
