#include "modem/TelNetCmds.h"

#include <memory>
#include <vector>

#include "actions/EventLog.h"
#include "actions/FileHelpers.h"
#include "actions/ProgramError.h"
#include "modem/Telnet.h"
#include "modem/WebSteps.h"
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

constexpr size_t kLongestWebLine = 1 << 20;  // what a web-mode line holds at most

bool IsRequest(const WebStep& step) {
    return step.kind == WebStep::Kind::Get || step.kind == WebStep::Kind::Post;
}

// The steps of a web-mode file, whose line 1 (`words`) was read: one step a line, blank lines
// left out, at least one request.
bool ReadWebSteps(const ModemContext& ctx, FileLines& lines,
                  const std::vector<std::string>& words) {
    std::vector<WebStep> steps;
    bool request = false;
    size_t number = 1;
    for (std::string line; lines.Next(line, kLongestWebLine);) {
        ++number;
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        std::optional<WebStep> step = ReadWebStep(line);
        if (!step) {
            Report(ctx, "Unknown Web Step in Line " + std::to_string(number));
            return false;
        }
        request |= IsRequest(*step);
        steps.push_back(std::move(*step));
    }
    if (!request)
        throw ProgramError(kErrSubscript);
    ctx.modem.ModemAddress = words[0];
    ctx.modem.ModemPort = words[1];
    ctx.modem.SearchReplies = false;
    ctx.modem.WebMode = true;
    ctx.modem.WebSteps = std::move(steps);
    ctx.modem.CommandPairs.clear();
    return true;
}

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
        const std::vector<std::string> words = SplitText(first, ' ');
        if (words.size() > 2 && IsWebWord(words[2]))
            return ReadWebSteps(ctx, counting, words);
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
        ctx.modem.WebMode = false;
        ctx.modem.WebSteps.clear();
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
