#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace qv {

// Cuts a text at every occurrence of one character: n separators give n + 1 parts and an
// empty text gives no parts at all.
std::vector<std::string> SplitText(const std::string& text, char separator);

// The text with its ASCII capitals made small (the byte values of the ANSI code page above 127
// stay as they are).
std::string LowerCase(std::string text);

// Replaces every occurrence of `from` by `to`, left to right.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);

// Reads lines from a source of pieces (a file read a piece at a time, or a text in memory):
// a line ends at CR or CR LF, also when the CR ends one piece and the LF starts the next; a
// lone LF stays inside its line; a last line without an end is a line. Only the current line is
// held, and of it at most the characters asked for.
class LineReader {
  public:
    // Fills the buffer with up to `size` bytes: how many it gave, 0 at the end, below 0 when
    // reading failed.
    using Source = std::function<int64_t(char* buffer, size_t size)>;

    explicit LineReader(Source source) : source_(std::move(source)) {}
    // The next line, of which at most `keep` characters are held; false at the end.
    bool Next(std::string& line, size_t keep = std::string::npos);
    // Reading failed at some point (what came before it was read).
    bool Failed() const { return failed_; }

  private:
    bool Fill();

    Source source_;
    std::array<char, 16384> buffer_{};
    size_t pos_ = 0;
    size_t size_ = 0;
    bool failed_ = false;
};

// The lines of a whole text by the same rule.
std::vector<std::string> TextLines(const std::string& content);

}  // namespace qv
