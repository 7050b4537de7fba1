#pragma once
#include <string>
#include <vector>

namespace qv {

struct App;

// The Windows directory in lower case, without what follows the first NUL.
std::string WindowsDirectory(App& app);

// True when the file can be opened for reading; false for a folder, a missing file, an empty
// path or any other failure.
bool FileExists(App& app, const std::string& path);

// Writes the text's bytes from the start of the file (created when missing).
bool WriteTextFile(App& app, const std::string& path, const std::string& text);

// The file's lines, each followed by CR LF; empty on any failure.
std::string ReadTextFile(App& app, const std::string& path);

// The lines of a text: a line ends at CR or CR LF; a lone LF stays inside its line. A last
// line without an end counts when it is not empty.
std::vector<std::string> TextLines(const std::string& content);

}  // namespace qv
