#include "actions/Text.h"

#include <algorithm>
#include <cctype>

namespace qv {

std::vector<std::string> SplitText(const std::string& text, char separator) {
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    size_t start = 0;
    for (;;) {
        size_t found = text.find(separator, start);
        if (found == std::string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, found - start));
        start = found + 1;
    }
}

std::string LowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty())
        return text;
    size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

bool LineReader::Next(std::string& line, size_t keep) {
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

// True when a byte is waiting at pos_, reading the next piece when needed.
bool LineReader::Fill() {
    if (pos_ < size_)
        return true;
    pos_ = size_ = 0;
    if (failed_ || !source_)
        return false;
    const int64_t n = source_(buffer_.data(), buffer_.size());
    if (n < 0)
        failed_ = true;
    if (n <= 0)
        return false;
    size_ = static_cast<size_t>(n);
    return true;
}

std::vector<std::string> TextLines(const std::string& content) {
    size_t offset = 0;
    LineReader reader([&](char* buffer, size_t size) {
        size_t n = std::min(size, content.size() - offset);
        std::copy_n(content.data() + offset, n, buffer);
        offset += n;
        return static_cast<int64_t>(n);
    });
    std::vector<std::string> lines;
    for (std::string line; reader.Next(line);)
        lines.push_back(line);
    return lines;
}

}  // namespace qv
