#include "modem/TelNetCmds.h"

#include <memory>
#include <vector>

#include "actions/EventLog.h"
#include "actions/FileHelpers.h"
#include "actions/ProgramError.h"
#include "modem/Telnet.h"
#include "actions/Text.h"
#include "settings/LeadingNumber.h"

namespace qv {
namespace {

constexpr const char* kInvalidFile = "Invalid telnet Commands file : ";

void Report(const ModemContext& ctx, const std::string& reason) {
    ctx.log.ReportFailure(kInvalidFile + reason);
}

// One pass over the file, a line at a time. The file is read in pieces and only the current
// line is held, so a huge file costs no more than its longest line (and a line kept in part, no
// more than that part).
class FileLines {
  public:
    // Nothing to read when the file cannot be opened.
    FileLines(FileSystem& files, const std::string& path)
        : file_(files.OpenForReading(path)), lines_([this](char* buffer, size_t size) {
              return file_ ? file_->Read(buffer, size) : int64_t{0};
          }) {}
    bool Readable() const { return file_ != nullptr && !lines_.Failed(); }
    void Close() { file_.reset(); }
    // The next line, of which at most `keep` characters are held; false at the end of the file.
    bool Next(std::string& line, size_t keep = std::string::npos) {
        return lines_.Next(line, keep);
    }
    // The next line; the end of the file is a read past its end.
    std::string Need() {
        std::string line;
        if (!Next(line))
            throw ProgramError(kErrPastEndOfFile);
        return line;
    }

  private:
    std::unique_ptr<FileReader> file_;
    LineReader lines_;
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

bool ReadCommandFile(const ModemContext& ctx, const std::string& path) {
    if (!FileExists(ctx.files, path)) {
        Report(ctx, path + " Does Not Exist.");
        return false;
    }
    try {
        // Counting pass. A file that cannot be read now reads as one that ends at once; an
        // empty file holds one empty line 1, which is no address and port.
        FileLines counting(ctx.files, path);
        std::string first;
        if (!counting.Next(first) && !counting.Readable())
            throw ProgramError(kErrPastEndOfFile);
        if (first.empty() || LeadingNumber(first) <= 0) {
            Report(ctx, "first line must be IP & Port.");
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
            Report(ctx, "Command Pairs must be even.");
            return false;
        }
        size_t pairs = (count - 1) / 2;
        if (pairs == 0)
            throw ProgramError(kErrSubscript);
        ctx.modem.CommandPairs.assign(pairs, CommandPair{});

        // Reading pass: the lines that follow line 1, taken by position.
        FileLines reading(ctx.files, path);
        std::vector<std::string> pieces = SplitText(reading.Need(), ' ');
        if (pieces.empty())
            throw ProgramError(kErrSubscript);
        ctx.modem.ModemAddress = pieces[0];
        if (pieces.size() < 2)
            throw ProgramError(kErrSubscript);
        ctx.modem.ModemPort = pieces[1];
        ctx.modem.SearchReplies = pieces.size() > 2 && IsTelnetWord(pieces[2]);
        for (size_t i = 0; i < pairs; ++i) {
            ctx.modem.CommandPairs[i].WaitText = Argument(reading.Need());
            ctx.modem.CommandPairs[i].SendText = Argument(reading.Need());
        }
        return true;
    } catch (const ProgramError& error) {
        Report(ctx, "Unknown Error " + std::to_string(error.Number()));
        return false;
    }
}

}  // namespace qv
