#pragma once
#include <string>

#include "platform/FileSystem.h"

namespace qv {

// The Windows directory in lower case, without what follows the first NUL.
std::string WindowsDirectory(FileSystem& files);

// True when the file can be opened for reading; false for a folder, a missing file, an empty
// path or any other failure.
bool FileExists(FileSystem& files, const std::string& path);

// Writes the text's bytes from the start of the file (created when missing).
bool WriteTextFile(FileSystem& files, const std::string& path, const std::string& text);

// The file's lines (see LineReader), each followed by CR LF; empty on any failure.
std::string ReadTextFile(FileSystem& files, const std::string& path);

}  // namespace qv
